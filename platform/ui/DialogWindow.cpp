#include "platform/ui/DialogWindow.h"

#include <qdrawutil.h>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QWindow>

#include "platform/ui/QtConvert.h"

namespace {
// The modal frame around a dialog that draws its own caption.
constexpr int kFrameWidth = 3;
// Room around the caption's text and the small icon.
constexpr int kCaptionPadding = 8;
constexpr int kSmallIcon = 16;
// Pixels an arrow key moves the window by in a keyboard move.
constexpr int kKeyboardMoveStep = 8;

constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_SPACE = 0x20;
constexpr UINT VK_F4 = 0x73;

UINT VirtualKeyOf(int key) {
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return VK_F1 + static_cast<UINT>(key - Qt::Key_F1);
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
        return static_cast<UINT>(key);
    }
    switch (key) {
        case Qt::Key_Space:
            return VK_SPACE;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return VK_RETURN;
        case Qt::Key_Menu:
            return VK_APPS;
        default:
            return 0;
    }
}

UINT ModifiersOf(Qt::KeyboardModifiers modifiers) {
    UINT bits = 0;
    bits |= modifiers.testFlag(Qt::ShiftModifier) ? MOD_SHIFT : 0;
    bits |= modifiers.testFlag(Qt::ControlModifier) ? MOD_CONTROL : 0;
    bits |= modifiers.testFlag(Qt::AltModifier) ? MOD_ALT : 0;
    return bits;
}

CPoint ToPoint(const QPoint& point) {
    return {point.x(), point.y()};
}

QToolButton* CaptionButton(QWidget* parent, QStyle::StandardPixmap pixmap) {
    // Raised boxes in the desktop's button colours, so their glyphs stand out of the caption.
    auto* button = new QToolButton(parent);
    button->setPalette(QApplication::palette());
    button->setIcon(parent->style()->standardIcon(pixmap, nullptr, button));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}
}  // namespace

ClientArea::ClientArea(CDialog* owner, QWidget* parent) : QWidget(parent), m_owner(owner) {}

void ClientArea::paintEvent(QPaintEvent*) {
    if (const MessageEntry* entry = m_owner->FindMessageEntry(WM_PAINT)) {
        AfxCallHandler([&] { entry->pfnCommand(*m_owner); });
    }
}

CaptionBar::CaptionBar(CDialog* owner, QWidget* parent, DWORD dwStyle)
    : QWidget(parent), m_owner(owner) {
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::WindowText,
                     colours.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(colours);

    m_icon = new QToolButton(this);
    m_icon->setAutoRaise(true);
    m_icon->setFocusPolicy(Qt::NoFocus);
    m_icon->setIconSize(QSize(kSmallIcon, kSmallIcon));
    m_icon->hide();  // shown once the dialog has a small icon
    QObject::connect(m_icon, &QToolButton::clicked, [this] {
        m_owner->ShowSystemMenu(ToPoint(m_icon->mapToGlobal(m_icon->rect().bottomLeft())));
    });

    m_text = new QLabel(this);
    m_text->setTextFormat(Qt::PlainText);
    QFont bold = m_text->font();
    bold.setBold(true);
    m_text->setFont(bold);
    m_text->setAttribute(Qt::WA_TransparentForMouseEvents);

    if ((dwStyle & WS_MINIMIZEBOX) != 0) {
        m_minimise = CaptionButton(this, QStyle::SP_TitleBarMinButton);
        QObject::connect(m_minimise, &QToolButton::clicked,
                         [this] { m_owner->SendSysCommand(SC_MINIMIZE); });
    }
    m_close = CaptionButton(this, QStyle::SP_TitleBarCloseButton);
    QObject::connect(m_close, &QToolButton::clicked, [this] { m_owner->SendSysCommand(SC_CLOSE); });
}

void CaptionBar::SetText(const QString& text) {
    m_text->setText(text);
}

QString CaptionBar::Text() const {
    return m_text->text();
}

void CaptionBar::SetIcon(const QIcon& icon) {
    m_icon->setIcon(icon);
    m_icon->setVisible(!icon.isNull());
    Layout(width(), height());
}

void CaptionBar::Layout(int width, int height) {
    const int box = height - 2;
    int right = width - 1;
    right -= box;
    m_close->setGeometry(right, 1, box, box);
    if (m_minimise != nullptr) {
        right -= box;
        m_minimise->setGeometry(right, 1, box, box);
    }
    int left = 2;
    if (!m_icon->isHidden()) {
        m_icon->setGeometry(left, 1, box, box);
        left += box + 2;
    }
    m_text->setGeometry(left, 0, std::max(0, right - left), height);
}

void CaptionBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    QWindow* handle = window()->windowHandle();
    if (handle == nullptr || !handle->startSystemMove()) {
        // The window system cannot move it for us: follow the pointer ourselves.
        m_dragging = true;
        m_dragOffset = event->globalPosition().toPoint() - window()->pos();
    }
}

void CaptionBar::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging) {
        window()->move(event->globalPosition().toPoint() - m_dragOffset);
    }
}

void CaptionBar::mouseReleaseEvent(QMouseEvent*) {
    m_dragging = false;
}

DialogWindow::DialogWindow(CDialog* owner, const DialogTemplate& tmpl, QWidget* parent)
    : QDialog(parent), m_owner(owner) {
    const QFont font = DialogFontOf(tmpl);
    setFont(font);
    m_units = DialogUnitsOf(font);
    const QRect client = DialogRectToPixels(m_units, 0, 0, tmpl.cx, tmpl.cy);

    const bool ownCaption =
        (tmpl.dwStyle & WS_CAPTION) == WS_CAPTION && (tmpl.dwStyle & WS_SYSMENU) != 0;
    Qt::WindowFlags flags = Qt::Dialog;
    int frame = 0;
    int captionHeight = 0;
    if (ownCaption) {
        flags |= Qt::FramelessWindowHint;
        frame = (tmpl.dwStyle & DS_MODALFRAME) != 0 ? kFrameWidth : 1;
        captionHeight = QFontMetrics(font).height() + kCaptionPadding;
        m_caption = new CaptionBar(owner, this, tmpl.dwStyle);
        m_caption->setGeometry(frame, frame, client.width(), captionHeight);
    }
    setWindowFlags(flags);
    setWindowTitle(ToQt(tmpl.pszCaption));
    if (m_caption != nullptr) {
        m_caption->SetText(windowTitle());
        m_caption->Layout(client.width(), captionHeight);
    }
    m_client = new ClientArea(owner, this);
    m_client->setGeometry(frame, frame + captionHeight, client.width(), client.height());
    setFixedSize(client.width() + 2 * frame, client.height() + captionHeight + 2 * frame);
    setModal(true);
}

DialogWindow::~DialogWindow() {
    qApp->removeEventFilter(this);
}

void DialogWindow::paintEvent(QPaintEvent*) {
    if (m_caption != nullptr) {
        QPainter painter(this);
        qDrawWinPanel(&painter, rect(), palette());
    }
}

void DialogWindow::reject() {
    m_owner->SendCommand(IDCANCEL);
}

void DialogWindow::accept() {
    m_owner->SendCommand(IDOK);
}

void DialogWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A dialog that opens takes the keyboard, as its modal run expects.
    activateWindow();
}

void DialogWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    m_owner->SendSysCommand(SC_CLOSE);
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType()) {
        return false;
    }
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this) {
        return false;
    }
    return Translate(widget, event);
}

void DialogWindow::BeginKeyboardMove() {
    m_moving = true;
    m_moveStart = pos();
}

bool DialogWindow::KeyboardMove(QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        m_moving = false;
        return true;
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) {
        return false;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();  // keys of the move are not shortcuts
        return true;
    }
    switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Left:
            move(pos() + QPoint(-kKeyboardMoveStep, 0));
            break;
        case Qt::Key_Right:
            move(pos() + QPoint(kKeyboardMoveStep, 0));
            break;
        case Qt::Key_Up:
            move(pos() + QPoint(0, -kKeyboardMoveStep));
            break;
        case Qt::Key_Down:
            move(pos() + QPoint(0, kKeyboardMoveStep));
            break;
        case Qt::Key_Escape:
            move(m_moveStart);
            m_moving = false;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            m_moving = false;
            break;
        default:
            break;
    }
    return true;
}

bool DialogWindow::Translate(QWidget* receiver, QEvent* event) {
    if (m_moving) {
        return KeyboardMove(event);
    }
    MSG msg;
    msg.pWnd = m_owner;
    for (const CDialog::Item& item : m_owner->m_items) {
        if (item.pWnd->GetSafeHwnd() != nullptr &&
            (item.pWnd->GetSafeHwnd() == receiver ||
             item.pWnd->GetSafeHwnd()->isAncestorOf(receiver))) {
            msg.pWnd = item.pWnd;
            break;
        }
    }
    msg.pNative = event;
    msg.pReceiver = receiver;
    switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            msg.message = WM_KEYDOWN;
            msg.nKey = VirtualKeyOf(key->key());
            msg.nModifiers = ModifiersOf(key->modifiers());
            break;
        }
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const bool right = mouse->button() == Qt::RightButton;
            msg.message = event->type() == QEvent::MouseMove ? WM_MOUSEMOVE
                          : event->type() == QEvent::MouseButtonPress
                              ? (right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN)
                              : (right ? WM_RBUTTONUP : WM_LBUTTONUP);
            msg.pt = ToPoint(mouse->globalPosition().toPoint());
            break;
        }
        default:
            break;
    }
    BOOL eaten = FALSE;
    AfxCallHandler([&] { eaten = m_owner->PreTranslateMessage(&msg); });
    if (eaten) {
        return true;
    }

    if (msg.message == WM_KEYDOWN) {
        const UINT key = msg.nKey;
        const UINT modifiers = msg.nModifiers;
        if (key == VK_SPACE && modifiers == MOD_ALT && m_caption != nullptr) {
            m_owner->ShowSystemMenu(
                ToPoint(m_caption->mapToGlobal(QPoint(0, m_caption->height()))));
            return true;
        }
        if (key == VK_F4 && modifiers == MOD_ALT) {
            m_owner->SendSysCommand(SC_CLOSE);
            return true;
        }
        if ((key == VK_F10 && modifiers == MOD_SHIFT) || (key == VK_APPS && modifiers == 0)) {
            m_owner->SendContextMenu(msg.pWnd, {-1, -1});
            return true;
        }
        if (key == VK_RETURN && (modifiers & (MOD_ALT | MOD_CONTROL)) == 0) {
            // A focused push button takes Enter itself; elsewhere the default button does,
            // and without one the dialog gets IDOK.
            auto* focused = qobject_cast<QPushButton*>(receiver);
            int id = IDOK;
            if (focused != nullptr && focused->isEnabled()) {
                id = msg.pWnd->GetDlgCtrlID();
            } else {
                for (const CDialog::Item& item : m_owner->m_items) {
                    auto* button = qobject_cast<QPushButton*>(item.pWnd->GetSafeHwnd());
                    if (button != nullptr && button->isDefault()) {
                        id = item.nID;
                        break;
                    }
                }
            }
            m_owner->SendCommand(static_cast<UINT>(id));
            return true;
        }
    }
    if (event->type() == QEvent::ContextMenu) {
        const auto* request = static_cast<QContextMenuEvent*>(event);
        if (m_caption != nullptr && (receiver == m_caption || m_caption->isAncestorOf(receiver))) {
            m_owner->ShowSystemMenu(ToPoint(request->globalPos()));
            return true;
        }
        const CPoint point = request->reason() == QContextMenuEvent::Mouse
                                 ? ToPoint(request->globalPos())
                                 : CPoint{-1, -1};
        m_owner->SendContextMenu(msg.pWnd, point);
        return true;
    }
    return false;
}
