#include "ui/CPlayerDlg.h"

#include <string>

#include "archive/CPackFile.h"
#include "platform/ui/CFileDialog.h"
#include "platform/ui/CMenu.h"
#include "playback/AudioLibrary.h"
#include "playback/TrackList.h"
#include "ui/CAboutDlg.h"
#include "ui/ExportMember.h"
#include "ui/Resource.h"

extern CPackFile thePack;

BOOL bPlaying = TRUE;

namespace {
constexpr char kExitTip[] = "Quits Marivenn Music Player";
constexpr char kAllFilesFilter[] = "All Files (*.*)|*.*||";
constexpr UINT kSystemCommandMask = 0xFFF0;
// Keyboard requests for the pop-up menu open it this far inside the client area.
constexpr int kKeyboardMenuOffset = 5;

std::string TrimmedRight(const char* text) {
    std::string trimmed = text;
    const std::size_t end = trimmed.find_last_not_of(" \t\n\v\f\r");
    trimmed.erase(end == std::string::npos ? 0 : end + 1);
    return trimmed;
}
}  // namespace

BEGIN_MESSAGE_MAP(CPlayerDlg, CDialog)
ON_WM_CONTEXTMENU()
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_LBN_DBLCLK(IDC_TRACKLIST, OnTrackDoubleClick)
ON_BN_CLICKED(IDC_OPEN, OnOpen)
ON_BN_CLICKED(IDC_PAUSE, OnPauseResume)
ON_BN_CLICKED(IDC_SAVE, OnSave)
END_MESSAGE_MAP()

CPlayerDlg::CPlayerDlg(CWnd* pParent)
    : CDialog(IDD_PLAYER, pParent), m_hPlayerIcon(AfxLoadIcon(IDI_PLAYER)) {}

CPlayerDlg::~CPlayerDlg() = default;

void CPlayerDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PAUSE, m_btnPause);
    DDX_Control(pDX, IDC_TRACKLIST, m_lstTracks);
}

BOOL CPlayerDlg::PreTranslateMessage(MSG* pMsg) {
    m_tooltip.RelayEvent(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

BOOL CPlayerDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    if (CMenu* pSysMenu = GetSystemMenu(FALSE)) {
        const std::string strAboutMenu = AfxLoadString(IDS_ABOUT_ITEM);
        if (!strAboutMenu.empty()) {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, ID_SYS_ABOUT, strAboutMenu.c_str());
        }
    }

    SetIcon(m_hPlayerIcon, TRUE);
    SetIcon(m_hPlayerIcon, FALSE);

    // Each line keeps its track index, so the list may sort lines of three-digit numbers
    // among the two-digit ones and still play the track that was chosen.
    for (std::int32_t i = 0; pTrackList != nullptr && i <= nLastTrack; ++i) {
        const std::string line =
            AfxFormat("%02d: %s\t\t(%s)", i + 1, TrimmedRight(pTrackList[i].szTitle).c_str(),
                      pTrackList[i].szFileName);
        const int at = m_lstTracks.AddString(line);
        m_lstTracks.SetItemData(at, static_cast<DWORD_PTR>(i));
    }

    if (m_lstTracks.GetCount() > 0) {
        for (int line = 0; line < m_lstTracks.GetCount(); ++line) {
            if (m_lstTracks.GetItemData(line) == 0) {
                m_lstTracks.SetCurSel(line);
                break;
            }
        }
        ShowPlayingTrack(0);
    }

    m_tooltip.Create(this);
    m_tooltip.Activate(TRUE);
    m_tooltip.AddTool(GetDlgItem(IDCANCEL), kExitTip);

    return TRUE;
}

void CPlayerDlg::OnContextMenu(CWnd*, CPoint point) {
    if (point.x == -1 && point.y == -1) {
        CRect rect;
        GetClientRect(&rect);
        ClientToScreen(&rect);
        point = {rect.left + kKeyboardMenuOffset, rect.top + kKeyboardMenuOffset};
    }

    CMenu menu;
    if (!menu.LoadMenu(IDR_POPUP)) {
        return;
    }
    CMenu* pPopup = menu.GetSubMenu(0);
    CWnd* pWndPopupOwner = this;
    while ((pWndPopupOwner->GetStyle() & WS_CHILD) != 0 && pWndPopupOwner->GetParent()) {
        pWndPopupOwner = pWndPopupOwner->GetParent();
    }
    pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, pWndPopupOwner);
    menu.DestroyMenu();
}

void CPlayerDlg::OnSysCommand(UINT nID) {
    if ((nID & kSystemCommandMask) == ID_SYS_ABOUT) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        CDialog::OnSysCommand(nID);
    }
}

void CPlayerDlg::OnPaint() {
    if (IsIconic()) {
        CPaintDC dc(this);
        OnIconEraseBkgnd(&dc);

        const int cxIcon = GetSystemMetrics(SM_CXICON);
        const int cyIcon = GetSystemMetrics(SM_CYICON);
        CRect rect;
        GetClientRect(&rect);
        const int x = (rect.Width() - cxIcon + 1) / 2;
        const int y = (rect.Height() - cyIcon + 1) / 2;
        dc.DrawIcon(x, y, m_hPlayerIcon);
    } else {
        CDialog::OnPaint();
    }
}

HICON CPlayerDlg::OnQueryDragIcon() {
    return m_hPlayerIcon;
}

int CPlayerDlg::SelectedTrack() const {
    const int sel = m_lstTracks.GetCurSel();
    if (sel == LB_ERR) {
        return -1;
    }
    const auto track = static_cast<std::int64_t>(m_lstTracks.GetItemData(sel));
    return track >= 0 && track <= nLastTrack ? static_cast<int>(track) : -1;
}

void CPlayerDlg::ShowPlayingTrack(int track) {
    SetDlgItemText(IDC_STATUS,
                   AfxFormat(AfxLoadString(IDS_PLAYING_TRACK).c_str(), pTrackList[track].szTitle));
}

void CPlayerDlg::OnTrackDoubleClick() {
    const int track = SelectedTrack();
    if (track < 0) {
        return;  // an empty list: there is no track to play
    }
    Audio().HaltPlayback();
    Audio().StartPlayback(pModule[track]);
    ShowPlayingTrack(track);
    bPlaying = TRUE;
    SetDlgItemText(IDC_PAUSE, "Pause");
}

void CPlayerDlg::OnPauseResume() {
    if (bPlaying) {
        Audio().PausePlayback();
        bPlaying = FALSE;
        SetDlgItemText(IDC_PAUSE, "&Resume");
    } else {
        Audio().ContinuePlayback();
        bPlaying = TRUE;
        SetDlgItemText(IDC_PAUSE, "&Pause");
    }
}

void CPlayerDlg::OnOpen() {
    CFileDialog dlg(TRUE, "", "", OFN_OVERWRITEPROMPT, kAllFilesFilter);
    dlg.DoModal();
}

void CPlayerDlg::OnSave() {
    const int track = SelectedTrack();
    if (track < 0) {
        return;  // an empty list: there is no track to save
    }
    const TrackRecord& record = pTrackList[track];
    CFileDialog dlg(FALSE, "", record.szFileName, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    kAllFilesFilter);
    if (dlg.DoModal() != IDOK) {
        return;
    }
    const std::string path = dlg.GetPathName();
    ExportMember(record.szFileName, path.c_str());
}

void CPlayerDlg::ExportMember(const char* member, const char* destination) {
    const std::string failure = ::ExportMember(thePack, member, destination);
    if (!failure.empty()) {
        AfxMessageBox(failure, MB_OK | MB_ICONEXCLAMATION);
    }
}
