#include "platform/ui/CFileDialog.h"

#include <utility>

namespace {
std::string TextOf(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}
}  // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName,
                         DWORD dwFlags, const char* lpszFilter, CWnd*) {
    m_request.bOpen = bOpenFileDialog != FALSE;
    m_request.defaultExtension = TextOf(lpszDefExt);
    m_request.proposedName = TextOf(lpszFileName);
    m_request.flags = dwFlags;
    m_request.filter = TextOf(lpszFilter);
}

int CFileDialog::DoModal() {
    std::optional<std::string> path = AfxGetUiService().FileDialog(m_request);
    if (!path || path->empty()) {
        return IDCANCEL;
    }
    m_strPathName = std::move(*path);
    return IDOK;
}
