#include "platform/ui/CDialog.h"

#include <qdrawutil.h>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QWindow>

#include "platform/ui/CMenu.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/QtWindows.h"

namespace {
// The modal frame around a dialog that draws its own caption.
constexpr int kFrameWidth = 3;
// Room around the caption's text and the small icon.
constexpr int kCaptionPadding = 8;
constexpr int kSmallIcon = 16;
// List boxes expand tabs at stops this many dialog units apart.
constexpr int kListTabStopUnits = 32;
// Pixels an arrow key moves the window by in a keyboard move.
constexpr int kKeyboardMoveStep = 8;

constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_SPACE = 0x20;
constexpr UINT VK_F4 = 0x73;

// The dialogs in their modal runs, innermost last.
std::vector<CDialog*>& ModalDialogs() {
    static std::vector<CDialog*> dialogs;
    return dialogs;
}

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

QWidget* CreateControl(const DialogItem& item, QWidget* client, const DialogUnits& units) {
    const bool tabStop = (item.dwStyle & WS_TABSTOP) != 0;
    switch (item.kind) {
        case ControlClass::Button: {
            if ((item.dwStyle & BS_TYPEMASK) == BS_GROUPBOX) {
                auto* group = new QGroupBox(ToQt(item.pszText), client);
                // A group box only frames its neighbours: it takes no clicks and lies below.
                group->setAttribute(Qt::WA_TransparentForMouseEvents);
                group->setFocusPolicy(Qt::NoFocus);
                return group;
            }
            auto* button = new QPushButton(ToQt(item.pszText), client);
            button->setAutoDefault(true);
            button->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
            return button;
        }
        case ControlClass::Static: {
            auto* label = new QLabel(client);
            label->setFocusPolicy(Qt::NoFocus);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            if ((item.dwStyle & SS_TYPEMASK) == SS_ICON) {
                label->setPixmap(
                    IconOf(AfxLoadIcon(item.nIcon))
                        .pixmap(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)));
            } else {
                label->setWordWrap(true);
            }
            if ((item.dwStyle & SS_SUNKEN) != 0) {
                label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
                label->setLineWidth(1);
            }
            return label;
        }
        case ControlClass::ListBox: {
            auto* list = new QListWidget(client);
            list->setSelectionMode(QAbstractItemView::SingleSelection);
            list->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
            list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            list->setVerticalScrollBarPolicy(
                (item.dwStyle & WS_VSCROLL) != 0 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
            if ((item.dwStyle & WS_BORDER) == 0) {
                list->setFrameShape(QFrame::NoFrame);
            }
            if ((item.dwStyle & LBS_USETABSTOPS) != 0) {
                list->setItemDelegate(
                    new TabStopDelegate(MulDiv(kListTabStopUnits, units.baseX, 4), list));
            }
            return list;
        }
    }
    return nullptr;
}
}  // namespace

// ---------------------------------------------------------------------------------------
// Qt widgets of a dialog

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

TabStopDelegate::TabStopDelegate(int tabStopPixels, QObject* parent)
    : QStyledItemDelegate(parent), m_tabStop(tabStopPixels) {}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString text = item.text;
    item.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    QTextOption layout(Qt::AlignLeft | Qt::AlignVCenter);
    layout.setTabStopDistance(m_tabStop);
    layout.setWrapMode(QTextOption::NoWrap);
    painter->save();
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    painter->drawText(area, text, layout);
    painter->restore();
}

// ---------------------------------------------------------------------------------------
// CDialog

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() {
    Destroy();
}

void CDialog::Create(const DialogTemplate& tmpl) {
    QWidget* owner = nullptr;
    if (m_pParentWnd != nullptr && m_pParentWnd->GetSafeHwnd() != nullptr) {
        owner = m_pParentWnd->GetSafeHwnd()->window();
    } else if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd != nullptr &&
                                           app->m_pMainWnd != this &&
                                           app->m_pMainWnd->GetSafeHwnd() != nullptr) {
        owner = app->m_pMainWnd->GetSafeHwnd()->window();
    }
    m_pWindow = new DialogWindow(this, tmpl, owner);
    Attach(m_pWindow, static_cast<int>(tmpl.nID), tmpl.dwStyle, m_pParentWnd);

    if ((tmpl.dwStyle & WS_SYSMENU) != 0) {
        const bool minimiseBox = (tmpl.dwStyle & WS_MINIMIZEBOX) != 0;
        const bool maximiseBox = (tmpl.dwStyle & WS_MAXIMIZEBOX) != 0;
        const bool sizing = (tmpl.dwStyle & WS_THICKFRAME) != 0;
        m_pSysMenu = std::make_unique<CMenu>();
        m_pSysMenu->CreatePopupMenu();
        m_pSysMenu->AppendMenu(MF_STRING | MF_GRAYED, SC_RESTORE, "&Restore");
        m_pSysMenu->AppendMenu(MF_STRING, SC_MOVE, "&Move");
        m_pSysMenu->AppendMenu(MF_STRING | (sizing ? 0 : MF_GRAYED), SC_SIZE, "&Size");
        if (minimiseBox || maximiseBox) {
            m_pSysMenu->AppendMenu(MF_STRING | (minimiseBox ? 0 : MF_GRAYED), SC_MINIMIZE,
                                   "Mi&nimize");
            m_pSysMenu->AppendMenu(MF_STRING | (maximiseBox ? 0 : MF_GRAYED), SC_MAXIMIZE,
                                   "Ma&ximize");
        }
        m_pSysMenu->AppendMenu(MF_SEPARATOR);
        m_pSysMenu->AppendMenu(MF_STRING, SC_CLOSE, "&Close\tAlt+F4");
    }

    QWidget* client = m_pWindow->Client();
    QWidget* previous = nullptr;
    QPushButton* defaultButton = nullptr;
    for (const DialogItem& item : tmpl.items) {
        QWidget* widget = CreateControl(item, client, m_pWindow->Units());
        widget->setGeometry(
            DialogRectToPixels(m_pWindow->Units(), item.x, item.y, item.cx, item.cy));
        auto own = std::make_unique<CWnd>();
        own->Attach(widget, item.nID, item.dwStyle, this);
        if (item.kind == ControlClass::Static) {
            own->SetWindowText(item.pszText != nullptr ? item.pszText : "");
        }
        m_items.push_back({item.nID, own.get(), std::move(own)});
        if (widget->focusPolicy() != Qt::NoFocus) {
            if (previous != nullptr) {
                QWidget::setTabOrder(previous, widget);
            }
            previous = widget;
        }
        // Of several default push buttons the last one is the dialog's default.
        if (item.kind == ControlClass::Button && (item.dwStyle & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            defaultButton = static_cast<QPushButton*>(widget);
        }
        if (qobject_cast<QGroupBox*>(widget) != nullptr) {
            widget->lower();
        }
        const UINT id = static_cast<UINT>(item.nID);
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            QObject::connect(button, &QPushButton::clicked, [this, id] { SendCommand(id); });
        } else if (auto* list = qobject_cast<QListWidget*>(widget);
                   list != nullptr && (item.dwStyle & LBS_NOTIFY) != 0) {
            QObject::connect(list, &QListWidget::itemDoubleClicked,
                             [this, id] { SendCommand(id, LBN_DBLCLK); });
        }
    }
    if (defaultButton != nullptr) {
        defaultButton->setDefault(true);
    }
}

void CDialog::Destroy() {
    if (m_pWindow == nullptr) {
        return;
    }
    qApp->removeEventFilter(m_pWindow);
    auto& modal = ModalDialogs();
    std::erase(modal, this);
    for (Item& item : m_items) {
        item.pWnd->Detach();
    }
    m_items.clear();
    m_pSysMenu.reset();
    DialogWindow* window = m_pWindow;
    m_pWindow = nullptr;
    Detach();
    delete window;
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
    }
}

int CDialog::DoModal() {
    const DialogTemplate* tmpl = AfxFindDialogTemplate(m_nIDTemplate);
    if (tmpl == nullptr || m_pWindow != nullptr) {
        return -1;
    }
    Create(*tmpl);
    struct Cleanup {
        CDialog* dialog;
        ~Cleanup() { dialog->Destroy(); }
    } cleanup{this};

    m_nModalResult = -1;
    ModalDialogs().push_back(this);
    qApp->installEventFilter(m_pWindow);
    bool ended = false;
    QObject::connect(m_pWindow, &QDialog::finished, [&ended] { ended = true; });

    const BOOL focusFirst = OnInitDialog();
    if (focusFirst) {
        for (const Item& item : m_items) {
            QWidget* widget = item.pWnd->GetSafeHwnd();
            if (widget->focusPolicy() & Qt::TabFocus) {
                widget->setFocus(Qt::TabFocusReason);
                break;
            }
        }
    }
    if (tmpl->x == 0 && tmpl->y == 0) {
        // A dialog without a position of its own opens centred over its owner or the screen.
        const QWidget* owner = m_pWindow->parentWidget();
        const QRect over =
            owner != nullptr ? owner->frameGeometry() : m_pWindow->screen()->availableGeometry();
        m_pWindow->move(over.center() - m_pWindow->rect().center());
    }
    if (!ended && m_nModalResult == -1) {
        m_pWindow->exec();
    }
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    if (m_pWindow != nullptr) {
        m_pWindow->done(nResult);
    }
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx{this, bSaveAndValidate};
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE)) {
        EndDialog(IDOK);
    }
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::OnSysCommand(UINT nID) {
    if (m_pWindow == nullptr) {
        return;
    }
    switch (nID & 0xFFF0) {
        case SC_CLOSE:
            SendCommand(IDCANCEL);
            break;
        case SC_MINIMIZE:
            if ((m_dwStyle & WS_MINIMIZEBOX) != 0) {
                m_pWindow->showMinimized();
            }
            break;
        case SC_RESTORE:
            m_pWindow->showNormal();
            break;
        case SC_MOVE:
            if (QWindow* handle = m_pWindow->windowHandle();
                handle == nullptr || !handle->startSystemMove()) {
                m_pWindow->BeginKeyboardMove();
            }
            break;
        default:
            break;
    }
}

CWnd* CDialog::GetDlgItem(int nID) const {
    for (const Item& item : m_items) {
        if (item.nID == nID) {
            return item.pWnd;
        }
    }
    return nullptr;
}

CMenu* CDialog::GetSystemMenu(BOOL) const {
    return m_pSysMenu.get();
}

QWidget* CDialog::GetCaptionWidget() const {
    return m_pWindow != nullptr ? m_pWindow->Caption() : nullptr;
}

QWidget* CDialog::ClientWidget() const {
    return m_pWindow != nullptr ? m_pWindow->Client() : nullptr;
}

void CDialog::ShowSystemMenu(CPoint point) {
    if (m_pSysMenu == nullptr || m_pWindow == nullptr) {
        return;
    }
    const bool minimised = m_pWindow->isMinimized();
    m_pSysMenu->EnableMenuItem(SC_RESTORE, minimised ? MF_ENABLED : MF_GRAYED);
    m_pSysMenu->EnableMenuItem(SC_MOVE, minimised ? MF_GRAYED : MF_ENABLED);
    if ((m_dwStyle & WS_MINIMIZEBOX) != 0) {
        m_pSysMenu->EnableMenuItem(SC_MINIMIZE, minimised ? MF_GRAYED : MF_ENABLED);
    }
    const int chosen = m_pSysMenu->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                                  point.x, point.y, this);
    if (chosen != 0) {
        SendSysCommand(static_cast<UINT>(chosen));
    }
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    // F1 asks for help: the Help command goes to the main window, whose command routing
    // passes it on to the application object.
    if (pMsg->message == WM_KEYDOWN && pMsg->nKey == VK_F1 &&
        (pMsg->nModifiers & (MOD_SHIFT | MOD_CONTROL | MOD_ALT)) == 0) {
        CWinApp* app = AfxGetApp();
        CWnd* target = app != nullptr && app->m_pMainWnd != nullptr ? app->m_pMainWnd : this;
        target->SendCommand(ID_HELP);
        return TRUE;
    }
    return FALSE;
}

BOOL CDialog::OnCmdMsg(UINT nID, UINT nCode) {
    if (CWnd::OnCmdMsg(nID, nCode)) {
        return TRUE;
    }
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(nID, nCode);
}

CDialog* CDialog::GetFocusDialog() {
    const auto& modal = ModalDialogs();
    const QWidget* focus = QApplication::focusWidget();
    for (auto it = modal.rbegin(); it != modal.rend(); ++it) {
        const QWidget* window = (*it)->GetSafeHwnd();
        if (focus != nullptr && window != nullptr && focus->window() == window) {
            return *it;
        }
    }
    return modal.empty() ? nullptr : modal.back();
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.GetSafeHwnd() != nullptr) {
        return;
    }
    for (CDialog::Item& item : pDX->m_pDlgWnd->m_items) {
        if (item.nID == nIDC && item.pWnd == item.own.get()) {
            rControl.Attach(item.own->GetSafeHwnd(), nIDC, item.own->GetStyle(), pDX->m_pDlgWnd);
            item.own->Detach();
            item.pWnd = &rControl;
            return;
        }
    }
}
