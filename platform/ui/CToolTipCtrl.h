// A tooltip control: shows a tool's text when the pointer rests on it. It hears of the
// pointer only through RelayEvent, which the owner calls from PreTranslateMessage.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/CWnd.h"

class CToolTipCtrl : public CWnd {
public:
    ~CToolTipCtrl() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    void Activate(BOOL bActivate);
    // Adds `pWnd` as a tool identified by its window, covering all of it.
    BOOL AddTool(CWnd* pWnd, const char* lpszText);
    void RelayEvent(MSG* pMsg);
    int GetToolCount() const { return static_cast<int>(m_tools.size()); }

private:
    struct Tool {
        QWidget* pWidget;
        std::string text;
    };
    std::vector<Tool> m_tools;
    CWnd* m_pOwner = nullptr;
    BOOL m_bActive = FALSE;
};
