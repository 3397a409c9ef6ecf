// The player window: the track list, Open, Pause/Resume, Save and Exit, the status line
// naming the track started last, the Exit tooltip and the About item of the system menu.
#pragma once

#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CListBox.h"
#include "platform/ui/CToolTipCtrl.h"

// True while playing, false while paused; the player window alone reads and writes it.
extern BOOL bPlaying;

class CPlayerDlg : public CDialog {
public:
    explicit CPlayerDlg(CWnd* pParent = nullptr);
    ~CPlayerDlg() override;

    DECLARE_MESSAGE_MAP()

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;

    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnSysCommand(UINT nID);
    void OnPaint();
    HICON OnQueryDragIcon();
    void OnTrackDoubleClick();
    void OnOpen();
    void OnPauseResume();
    void OnSave();

private:
    // Copies the archive member `member` to `destination`, telling the user when it fails.
    void ExportMember(const char* member, const char* destination);
    // The track of the selected line, or -1 when no line is selected.
    int SelectedTrack() const;
    void ShowPlayingTrack(int track);

    CButton m_btnPause;
    CListBox m_lstTracks;
    CToolTipCtrl m_tooltip;
    HICON m_hPlayerIcon;
};
