// Windows on Qt widgets: the common base of dialogs and controls, the paint device and the
// data exchange that binds controls to members. Window-system-free header: the Qt side
// lives in the .cpp files and in DialogWindow.h and QtConvert.h.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ui/CCmdTarget.h"
#include "platform/ui/Resources.h"

class QWidget;
class CMenu;
class CDialog;

using DWORD_PTR = std::uintptr_t;

// System metrics the windows ask for.
inline constexpr int SM_CXICON = 11;
inline constexpr int SM_CYICON = 12;
int GetSystemMetrics(int nIndex);

// The icon `nID` of the application's resources, loaded once and shared; null when the
// resources hold no such icon.
HICON AfxLoadIcon(UINT nID);

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;

    // The Qt widget behind the window; null before creation and after destruction.
    QWidget* GetSafeHwnd() const { return m_pWidget; }
    int GetDlgCtrlID() const { return m_nID; }
    DWORD GetStyle() const { return m_dwStyle; }
    CWnd* GetParent() const { return m_pParent; }

    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    void SetFocus();
    BOOL IsIconic() const;

    virtual CWnd* GetDlgItem(int nID) const;
    void SetDlgItemText(int nID, const std::string& text);
    std::string GetDlgItemText(int nID) const;

    void GetClientRect(CRect* pRect) const;
    void ClientToScreen(CPoint* pPoint) const;
    void ClientToScreen(CRect* pRect) const;

    // The window's icons: the big one for the window system, the small one in the caption.
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const { return bBigIcon ? m_hIconBig : m_hIconSmall; }

    // The window's system menu; null when it has none. Changes stay for the window's life.
    virtual CMenu* GetSystemMenu(BOOL bRevert) const;

    // Offered every event of the window before it is handled; TRUE swallows it.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // Sends WM_COMMAND; TRUE when a handler ran.
    BOOL SendCommand(UINT nID, UINT nCode = BN_CLICKED);
    // Sends WM_SYSCOMMAND to the message map, or to the default processing.
    void SendSysCommand(UINT nID);
    // Sends WM_CONTEXTMENU; `point` (-1, -1) means the keyboard asked.
    void SendContextMenu(CWnd* pWnd, CPoint point);
    // Sends WM_QUERYDRAGICON: the image for dragging the minimised window.
    HICON SendQueryDragIcon();

    // Binds the window to a widget that the framework created.
    void Attach(QWidget* widget, int nID, DWORD dwStyle, CWnd* pParent);
    void Detach();

protected:
    // Default processing of system commands, which a plain window leaves alone.
    void OnSysCommand(UINT) {}
    // Default painting: Qt fills the background and paints the controls itself.
    void OnPaint() {}
    // Default processing of WM_ICONERASEBKGND: the window's background behind the icon.
    void OnIconEraseBkgnd(class CDC* pDC);

    // The widget that holds the client area: the controls' parent for a dialog.
    virtual QWidget* ClientWidget() const { return m_pWidget; }

    QWidget* m_pWidget = nullptr;
    int m_nID = 0;
    DWORD m_dwStyle = 0;
    CWnd* m_pParent = nullptr;
    HICON m_hIconBig = nullptr;
    HICON m_hIconSmall = nullptr;

    friend class CDC;
    friend class CPaintDC;
};

// A paint device for a window's client area.
class CDC {
public:
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    void DrawIcon(int x, int y, HICON hIcon);
    void FillBackground(const CRect& rect);

protected:
    CDC() = default;
    ~CDC();
    void* m_pPainter = nullptr;  // QPainter
    CWnd* m_pWnd = nullptr;
};

// Painting inside WM_PAINT: valid only while the window's paint handler runs.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC();
};

struct CDataExchange {
    CDialog* m_pDlgWnd = nullptr;
    BOOL m_bSaveAndValidate = FALSE;
};

// Binds the dialog's control `nIDC` to `rControl`, once; later exchanges leave it bound.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
