#include "app/CPlayerApp.h"

#include "archive/CPackFile.h"
#include "playback/AudioLibrary.h"
#include "playback/TrackList.h"
#include "ui/CPlayerDlg.h"
#include "ui/Resources.h"

// The archive reader is constructed before the application object and destroyed after it:
// both are defined here, in that order, because only within one file is the order of static
// construction fixed.
CPackFile thePack;
CPlayerApp theApp;

namespace {
constexpr char kArchivePath[] = "marivenn.dat";
constexpr std::uint16_t kSampleRate = 44100;
constexpr std::int32_t kVoices = 32;
}  // namespace

BEGIN_MESSAGE_MAP(CPlayerApp, CWinApp)
ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

// The windows find their templates, menu, icon and strings in the player's resources.
CPlayerApp::CPlayerApp() {
    AfxSetResources(&kPlayerResources);
}

BOOL CPlayerApp::InitInstance() {
    Enable3dControls();

    AudioLibrary& audio = Audio();
    audio.StartLibrary();
    const AudioOutputInfo output{kDefaultDevice, kFormat16BitStereo, kSampleRate};
    audio.OpenOutput(&output);

    if (thePack.Open(kArchivePath) != 0) {
        AfxMessageBox("Can't open MARIVENN.DAT!", MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    if (thePack.OffsetOf(kCatalogueName) == 0) {
        AfxMessageBox("Can't find MUSIC.DAT in MARIVENN.DAT!", MB_OK | MB_ICONSTOP);
        return FALSE;
    }

    ReadCatalogue();
    LoadAllTracks();
    audio.AllocateVoices(kVoices);
    audio.StartPlayback(pModule[0]);

    CPlayerDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();

    audio.HaltPlayback();
    audio.ReleaseVoices();
    audio.CloseOutput();
    return FALSE;
}
