// A modal dialog built from a dialog template of the application's resources. DoModal runs
// a nested event loop until EndDialog. A dialog with a caption and a system menu draws its
// own caption (icon, text, minimise and close boxes) so that its system menu, which the
// desktop does not let an application extend, opens from the icon, from a right-click on
// the caption and from Alt+Space.
#pragma once

#include <memory>
#include <vector>

#include "platform/ui/CWnd.h"

class DialogWindow;

// Help contexts of dialogs: this base plus the dialog's template id.
inline constexpr DWORD HID_BASE_RESOURCE = 0x20000;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Builds the window, runs it modally and destroys it; the code given to EndDialog,
    // or -1 when the template is missing.
    virtual int DoModal();
    void EndDialog(int nResult);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    UINT GetTemplateID() const { return m_nIDTemplate; }
    // The controls in template order, also those that share an id such as IDC_STATIC.
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    CWnd* GetItem(int nIndex) const { return m_items.at(static_cast<std::size_t>(nIndex)).pWnd; }
    CWnd* GetDlgItem(int nID) const override;
    CMenu* GetSystemMenu(BOOL bRevert) const override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Commands no entry of the dialog's map takes go on to the application object.
    BOOL OnCmdMsg(UINT nID, UINT nCode) override;

    // The caption bar and the client area, for the window system's side of the framework.
    QWidget* GetCaptionWidget() const;
    QWidget* GetClientWidget() const { return ClientWidget(); }
    // Opens the system menu with its top-left corner at `point` (screen coordinates).
    void ShowSystemMenu(CPoint point);

    // The running modal dialog that holds the keyboard focus, else the innermost one.
    static CDialog* GetFocusDialog();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // Default processing of system commands: restore, move, minimise and close.
    void OnSysCommand(UINT nID);
    QWidget* ClientWidget() const override;

    DECLARE_MESSAGE_MAP()

private:
    friend void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
    friend class DialogWindow;

    struct Item {
        int nID;
        CWnd* pWnd;                 // the member bound by DDX_Control, else `own`
        std::unique_ptr<CWnd> own;  // the framework's wrapper for the control
    };

    void Create(const DialogTemplate& tmpl);
    void Destroy();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    DialogWindow* m_pWindow = nullptr;
    std::vector<Item> m_items;  // template order
    std::unique_ptr<CMenu> m_pSysMenu;
    int m_nModalResult = -1;
};
