#include "platform/ui/CWnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <map>
#include <memory>

#include "platform/ui/DialogWindow.h"
#include "platform/ui/QtConvert.h"
#include "platform/ui/QtIcon.h"

namespace {
// The size of a standard icon; the small one is half of it.
constexpr int kIconSize = 32;
// The property that keeps a static text's caption as it was set, '&' included.
constexpr char kRawTextProperty[] = "marivennText";
}  // namespace

int GetSystemMetrics(int nIndex) {
    switch (nIndex) {
        case SM_CXICON:
        case SM_CYICON:
            return kIconSize;
        default:
            return 0;
    }
}

HICON AfxLoadIcon(UINT nID) {
    // Loaded icons live as long as the process and are never destroyed, not even after the
    // window system has gone.
    static auto& loaded = *new std::map<UINT, std::unique_ptr<IconHandle>>;
    auto found = loaded.find(nID);
    if (found == loaded.end()) {
        const IconResource* resource = AfxFindIcon(nID);
        if (resource == nullptr) {
            return nullptr;
        }
        found = loaded.emplace(nID, std::make_unique<IconHandle>(IconHandle{QtIconOf(*resource)}))
                    .first;
    }
    return found->second.get();
}

CWnd::~CWnd() {
    Detach();
}

void CWnd::Attach(QWidget* widget, int nID, DWORD dwStyle, CWnd* pParent) {
    m_pWidget = widget;
    m_nID = nID;
    m_dwStyle = dwStyle;
    m_pParent = pParent;
}

void CWnd::Detach() {
    m_pWidget = nullptr;
}

void CWnd::SetWindowText(const std::string& text) {
    if (m_pWidget == nullptr) {
        return;
    }
    if (auto* window = dynamic_cast<DialogWindow*>(m_pWidget)) {
        window->setWindowTitle(ToQt(text));
        if (window->Caption() != nullptr) {
            window->Caption()->SetText(ToQt(text));
        }
    } else if (auto* button = qobject_cast<QAbstractButton*>(m_pWidget)) {
        button->setText(ToQt(text));
    } else if (auto* group = qobject_cast<QGroupBox*>(m_pWidget)) {
        group->setTitle(ToQt(text));
    } else if (auto* label = qobject_cast<QLabel*>(m_pWidget)) {
        label->setProperty(kRawTextProperty, ToQt(text));
        label->setText(StaticCaption(text, m_dwStyle));
    }
}

std::string CWnd::GetWindowText() const {
    if (m_pWidget == nullptr) {
        return {};
    }
    if (dynamic_cast<DialogWindow*>(m_pWidget) != nullptr) {
        return FromQt(m_pWidget->windowTitle());
    }
    if (auto* button = qobject_cast<QAbstractButton*>(m_pWidget)) {
        return FromQt(button->text());
    }
    if (auto* group = qobject_cast<QGroupBox*>(m_pWidget)) {
        return FromQt(group->title());
    }
    if (auto* label = qobject_cast<QLabel*>(m_pWidget)) {
        return FromQt(label->property(kRawTextProperty).toString());
    }
    return {};
}

void CWnd::SetFocus() {
    if (m_pWidget != nullptr) {
        m_pWidget->setFocus(Qt::OtherFocusReason);
    }
}

BOOL CWnd::IsIconic() const {
    return m_pWidget != nullptr && m_pWidget->window()->isMinimized() ? TRUE : FALSE;
}

CWnd* CWnd::GetDlgItem(int) const {
    return nullptr;
}

void CWnd::SetDlgItemText(int nID, const std::string& text) {
    if (CWnd* item = GetDlgItem(nID)) {
        item->SetWindowText(text);
    }
}

std::string CWnd::GetDlgItemText(int nID) const {
    const CWnd* item = GetDlgItem(nID);
    return item != nullptr ? item->GetWindowText() : std::string();
}

void CWnd::GetClientRect(CRect* pRect) const {
    const QWidget* client = ClientWidget();
    *pRect = client != nullptr ? CRect{0, 0, client->width(), client->height()} : CRect{};
}

void CWnd::ClientToScreen(CPoint* pPoint) const {
    if (const QWidget* client = ClientWidget()) {
        const QPoint global = client->mapToGlobal(QPoint(pPoint->x, pPoint->y));
        *pPoint = {global.x(), global.y()};
    }
}

void CWnd::ClientToScreen(CRect* pRect) const {
    CPoint topLeft{pRect->left, pRect->top};
    CPoint bottomRight{pRect->right, pRect->bottom};
    ClientToScreen(&topLeft);
    ClientToScreen(&bottomRight);
    *pRect = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
    HICON& slot = bBigIcon ? m_hIconBig : m_hIconSmall;
    HICON previous = slot;
    slot = hIcon;
    if (auto* window = dynamic_cast<DialogWindow*>(m_pWidget)) {
        if (bBigIcon) {
            window->setWindowIcon(IconOf(hIcon));
        } else if (window->Caption() != nullptr) {
            window->Caption()->SetIcon(IconOf(hIcon));
        }
    }
    return previous;
}

CMenu* CWnd::GetSystemMenu(BOOL) const {
    return nullptr;
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

BOOL CWnd::SendCommand(UINT nID, UINT nCode) {
    BOOL handled = FALSE;
    AfxCallHandler([&] { handled = OnCmdMsg(nID, nCode); });
    return handled;
}

void CWnd::SendSysCommand(UINT nID) {
    if (const MessageEntry* entry = FindMessageEntry(WM_SYSCOMMAND)) {
        AfxCallHandler([&] { entry->pfnSysCommand(*this, nID); });
    }
}

void CWnd::SendContextMenu(CWnd* pWnd, CPoint point) {
    if (const MessageEntry* entry = FindMessageEntry(WM_CONTEXTMENU)) {
        AfxCallHandler([&] { entry->pfnContextMenu(*this, pWnd, point); });
    }
}

HICON CWnd::SendQueryDragIcon() {
    HICON icon = nullptr;
    if (const MessageEntry* entry = FindMessageEntry(WM_QUERYDRAGICON)) {
        AfxCallHandler([&] { icon = entry->pfnQueryIcon(*this); });
    }
    return icon;
}

void CWnd::OnIconEraseBkgnd(CDC* pDC) {
    CRect rect;
    GetClientRect(&rect);
    pDC->FillBackground(rect);
}

CDC::~CDC() {
    delete static_cast<QPainter*>(m_pPainter);
}

void CDC::DrawIcon(int x, int y, HICON hIcon) {
    if (auto* painter = static_cast<QPainter*>(m_pPainter)) {
        painter->drawPixmap(x, y, IconOf(hIcon).pixmap(kIconSize, kIconSize));
    }
}

void CDC::FillBackground(const CRect& rect) {
    if (auto* painter = static_cast<QPainter*>(m_pPainter); painter != nullptr && m_pWnd) {
        painter->fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()),
                          m_pWnd->ClientWidget()->palette().window());
    }
}

CPaintDC::CPaintDC(CWnd* pWnd) {
    m_pWnd = pWnd;
    if (QWidget* client = pWnd->ClientWidget()) {
        m_pPainter = new QPainter(client);
    }
}

CPaintDC::~CPaintDC() = default;
