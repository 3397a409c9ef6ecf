#include "platform/ui/CToolTipCtrl.h"

#include <QHelpEvent>
#include <QToolTip>

#include "platform/ui/QtConvert.h"

CToolTipCtrl::~CToolTipCtrl() {
    if (!m_tools.empty() && QToolTip::isVisible()) {
        QToolTip::hideText();
    }
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD) {
    m_pOwner = pParentWnd;
    m_tools.clear();
    return TRUE;
}

void CToolTipCtrl::Activate(BOOL bActivate) {
    m_bActive = bActivate;
    if (!m_bActive && QToolTip::isVisible()) {
        QToolTip::hideText();
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, const char* lpszText) {
    if (m_pOwner == nullptr || pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr) {
        return FALSE;
    }
    m_tools.push_back({pWnd->GetSafeHwnd(), lpszText != nullptr ? lpszText : ""});
    return TRUE;
}

void CToolTipCtrl::RelayEvent(MSG* pMsg) {
    if (!m_bActive || pMsg == nullptr || pMsg->pNative == nullptr) {
        return;
    }
    if (pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_RBUTTONDOWN) {
        QToolTip::hideText();
        return;
    }
    auto* event = static_cast<QEvent*>(pMsg->pNative);
    if (event->type() != QEvent::ToolTip) {
        return;
    }
    // The window system asks for a tip when the pointer rests on a widget.
    auto* receiver = static_cast<QWidget*>(pMsg->pReceiver);
    for (const Tool& tool : m_tools) {
        if (tool.pWidget == receiver) {
            const auto* help = static_cast<QHelpEvent*>(event);
            QToolTip::showText(help->globalPos(), ToQt(tool.text), receiver);
            return;
        }
    }
}
