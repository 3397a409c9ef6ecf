// The player window run for real on the offscreen platform, over an archive built in code,
// against the recording audio library and the scripted desktop services.
#pragma once

#include <gtest/gtest.h>

#include <QListWidget>
#include <QPoint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/Fixtures.h"
#include "tests/support/RecordingAudioLibrary.h"
#include "tests/support/ScriptedUiService.h"
#include "tests/support/TempDir.h"
#include "ui/CPlayerDlg.h"

class QApplication;
class QWidget;

// What DoModal answers when a test body left the window open.
inline constexpr int kLeftOpen = -2;

class PlayerTest : public ::testing::Test {
public:
    void SetUp() override;
    void TearDown() override;

    // Packs `tracks` (each with a member of its own) into marivenn.dat and loads them as
    // start-up does; the audio log starts empty afterwards.
    void LoadCatalogue(const std::vector<CatalogueEntry>& tracks);
    // "T001.MOD" "Track 1" ... for `count` tracks.
    static std::vector<CatalogueEntry> NumberedTracks(int count);

    // Runs a new player window modally with `body` inside its loop; the window's end code.
    int Run(const std::function<void()>& body);
    // Runs `action` as soon as the coming nested loop (a menu, a dialog) is running.
    static void WhenNested(const std::function<void()>& action);

    QWidget* Item(int nID) const;
    QListWidget* List() const;
    std::string Text(int nID) const { return player->GetDlgItemText(nID); }
    std::vector<std::string> Lines() const;
    void DoubleClickLine(int line);
    void Click(int nID);
    // Sends the context-menu request a right-click at `local` of `widget` makes.
    static void RightClick(QWidget* widget, QPoint local);

    std::unique_ptr<QApplication> qapp;
    TempDir dir;
    ScriptedUiService ui;
    RecordingAudioLibrary audio;
    Bytes archive;
    CPlayerDlg* player = nullptr;
};

// Chooses the item `nID` of the open pop-up menu with the keyboard, as the user would.
void ChooseMenuItem(unsigned nID);
// The visible top-level pop-up menu and its items as "text=id", or empty when none is open.
std::vector<std::string> OpenMenuItems();
