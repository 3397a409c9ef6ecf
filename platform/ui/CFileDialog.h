// The common Open and Save As dialogs. The dialog itself is shown by the installed
// UiService, so tests answer it with a path or Cancel.
#pragma once

#include <string>

#include "platform/ui/Afx.h"
#include "platform/ui/UiService.h"

class CWnd;

// Dialog flags.
inline constexpr DWORD OFN_READONLY = 0x0001;         // the read-only box starts ticked
inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x0002;  // Save As asks before replacing a file
inline constexpr DWORD OFN_HIDEREADONLY = 0x0004;     // no read-only box

class CFileDialog {
public:
    // `lpszFilter` is bar-separated: "Description|pattern|...||". The owner is the window
    // the user works in; `pParentWnd` is accepted for the callers' sake and not needed.
    explicit CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt = nullptr,
                         const char* lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         const char* lpszFilter = nullptr, CWnd* pParentWnd = nullptr);
    virtual ~CFileDialog() = default;

    // Runs the dialog modally: IDOK when the user confirmed a file, IDCANCEL otherwise.
    virtual int DoModal();

    // The full path of the confirmed file; empty before a confirmed DoModal.
    std::string GetPathName() const { return m_strPathName; }

private:
    FileDialogRequest m_request;
    std::string m_strPathName;
};
