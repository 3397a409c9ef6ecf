#include "platform/ui/CDialog.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include "platform/ui/CMenu.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/DialogWindow.h"
#include "platform/ui/QtConvert.h"
#include "platform/ui/TabStopDelegate.h"

namespace {
// List boxes expand tabs at stops this many dialog units apart.
constexpr int kListTabStopUnits = 32;

// The dialogs in their modal runs, innermost last.
std::vector<CDialog*>& ModalDialogs() {
    static std::vector<CDialog*> dialogs;
    return dialogs;
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
