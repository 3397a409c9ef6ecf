#include "ui/CAboutDlg.h"

#include "ui/Resource.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUT) {}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    // The label promises the memory that is free: what programs can still be given without
    // swapping. When the system does not say, the value stays empty.
    if (const unsigned long kb = AfxGetAvailableMemoryKb(); kb != 0) {
        SetDlgItemText(IDC_MEMORY_VALUE, AfxFormat(AfxLoadString(IDS_MEMORY_KB).c_str(), kb));
    }
    return TRUE;
}
