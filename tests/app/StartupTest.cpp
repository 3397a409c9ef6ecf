// The start-up sequence run for real, in its own process per case, against the recording
// audio library and the scripted desktop services.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include "app/CPlayerApp.h"
#include "archive/CPackFile.h"
#include "platform/ui/CWnd.h"
#include "playback/TrackList.h"
#include "tests/support/Fixtures.h"
#include "tests/support/RecordingAudioLibrary.h"
#include "tests/support/ScriptedUiService.h"
#include "tests/support/TempDir.h"

namespace {

// What the audio library had been asked when the player window ran, and whether it was
// then the application's main window.
const RecordingAudioLibrary* g_audio = nullptr;
std::vector<std::string> g_callsWhenShown;
bool g_mainWindowWhenShown = false;

// Once the window system is up, cancels the player window as soon as it runs modally, as
// the user's Exit would.
void CancelTheWindowWhenItRuns() {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            g_callsWhenShown = g_audio->calls;
            g_mainWindowWhenShown =
                theApp.m_pMainWnd != nullptr && theApp.m_pMainWnd->GetSafeHwnd() == dialog;
            dialog->reject();
        }
    });
    poll->start(10);
}

const std::vector<std::string> kLibraryStart = {"StartLibrary()",
                                                "OpenOutput(65535, 0x0101, 44100)"};

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Enter();
        g_audio = &audio;
        // A box is shown while no window of the player is visible.
        ui.onBox = [this](const LoggedBox&) {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                windowsDuringBoxes += widget->isVisible() ? 1 : 0;
            }
        };
    }

    int Run(std::string exe = "/usr/games/marivenn") {
        qAddPreRoutine(CancelTheWindowWhenItRuns);
        char* argv[] = {exe.data(), nullptr};
        return AfxWinMain(1, argv);
    }

    TempDir dir;
    ScriptedUiService ui;
    RecordingAudioLibrary audio;
    int windowsDuringBoxes = 0;
};

TEST_F(StartupTest, MissingArchiveShowsOneStopBox) {
    Run();
    EXPECT_EQ(
        ui.boxes,
        (std::vector<LoggedBox>{{"marivenn", "Can't open MARIVENN.DAT!", MB_OK | MB_ICONSTOP}}));
    EXPECT_EQ(audio.calls, kLibraryStart);
    EXPECT_EQ(windowsDuringBoxes, 0);
}

TEST_F(StartupTest, WrongMagicShowsMismatchThenCannotOpen) {
    Bytes bytes = MakePack({MakeCatalogue({})});
    bytes[0] = 'X';
    dir.Write("marivenn.dat", bytes);
    Run();
    EXPECT_EQ(ui.boxes, (std::vector<LoggedBox>{
                            {"marivenn", "Header ID mismatch!", MB_OK | MB_ICONEXCLAMATION},
                            {"marivenn", "Can't open MARIVENN.DAT!", MB_OK | MB_ICONSTOP}}));
    EXPECT_EQ(audio.calls, kLibraryStart);
    EXPECT_EQ(windowsDuringBoxes, 0);
}

TEST_F(StartupTest, ArchiveWithoutCatalogueShowsOneStopBox) {
    dir.Write("marivenn.dat", MakePack({{"INTRO.MOD", Pattern(10)}}));
    Run();
    EXPECT_EQ(ui.boxes,
              (std::vector<LoggedBox>{
                  {"marivenn", "Can't find MUSIC.DAT in MARIVENN.DAT!", MB_OK | MB_ICONSTOP}}));
    EXPECT_EQ(audio.calls, kLibraryStart);
    EXPECT_EQ(windowsDuringBoxes, 0);
}

TEST_F(StartupTest, BoxesAreTitledWithTheExecutablesOwnName) {
    Run("/opt/elsewhere/Jukebox.bin");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].title, "Jukebox");
    EXPECT_EQ(theApp.m_strAppName, "Jukebox");
}

TEST_F(StartupTest, GoodArchiveLoadsEveryTrackAndStartsTheFirst) {
    const Bytes bytes = MakePack({MakeCatalogue({{"ONE.MOD", "One"}, {"two.mod", "Two"}}),
                                  {"ONE.MOD", Pattern(30)},
                                  {"TWO.MOD", Pattern(40)}});
    dir.Write("marivenn.dat", bytes);
    Run();
    EXPECT_TRUE(ui.boxes.empty());
    const std::int32_t one = GetInt32(bytes, EntryAt(1) + kEntryOffsetField);
    const std::int32_t two = GetInt32(bytes, EntryAt(2) + kEntryOffsetField);
    std::vector<std::string> expected = kLibraryStart;
    expected.insert(expected.end(),
                    {"LoadModuleAt(marivenn.dat, slot 0, " + std::to_string(one) + ")",
                     "LoadModuleAt(marivenn.dat, slot 1, " + std::to_string(two) + ")",
                     "AllocateVoices(32)", "StartPlayback(0x1001)"});
    ASSERT_GE(audio.calls.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(audio.calls.begin(), audio.calls.begin() + expected.size()),
              expected);
    // The first track sounds before the window runs as the main window; once the window is
    // closed, shutdown runs in this order and the window is no longer registered.
    EXPECT_EQ(g_callsWhenShown, expected);
    EXPECT_TRUE(g_mainWindowWhenShown);
    EXPECT_EQ(std::vector<std::string>(audio.calls.begin() + expected.size(), audio.calls.end()),
              (std::vector<std::string>{"HaltPlayback()", "ReleaseVoices()", "CloseOutput()"}));
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
}

TEST_F(StartupTest, EmptyCatalogueStartsTheEmptySlotAndGoesOn) {
    dir.Write("marivenn.dat", MakePack({MakeCatalogue({})}));
    Run();
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(nLastTrack, -1);
    EXPECT_EQ(audio.CallsTo("LoadModuleAt").size(), 0u);
    EXPECT_EQ(audio.CallsTo("StartPlayback"), (std::vector<std::string>{"StartPlayback(0x0)"}));
    EXPECT_EQ(audio.calls.back(), "CloseOutput()");
}

}  // namespace
