// The start-up sequence run for real, in its own process per case, against the recording
// audio library and the scripted desktop services.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "app/CPlayerApp.h"
#include "archive/CPackFile.h"
#include "playback/TrackList.h"
#include "tests/support/Fixtures.h"
#include "tests/support/RecordingAudioLibrary.h"
#include "tests/support/ScriptedUiService.h"
#include "tests/support/TempDir.h"

namespace {

const std::vector<std::string> kLibraryStart = {"StartLibrary()",
                                                "OpenOutput(65535, 0x0101, 44100)"};

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Enter();
        // A box is shown while no window of the player is visible.
        ui.onBox = [this](const LoggedBox&) {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                windowsDuringBoxes += widget->isVisible() ? 1 : 0;
            }
        };
    }

    int Run(std::string exe = "/usr/games/marivenn") {
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
    // Shutdown, in this order, ends the run.
    EXPECT_EQ(std::vector<std::string>(audio.calls.end() - 3, audio.calls.end()),
              (std::vector<std::string>{"HaltPlayback()", "ReleaseVoices()", "CloseOutput()"}));
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
