#include "platform/ui/CFileDialog.h"

#include <gtest/gtest.h>

#include "tests/support/ScriptedUiService.h"

TEST(CFileDialogTest, PassesItsSettingsToTheDialogAndReturnsTheConfirmedPath) {
    ScriptedUiService ui;
    ui.fileAnswers.push_back("/home/user/tune.mod");
    CFileDialog dialog(FALSE, "", "LANTERNS.MOD", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "All Files (*.*)|*.*||");

    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPathName(), "/home/user/tune.mod");
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    const FileDialogRequest& asked = ui.fileDialogs[0];
    EXPECT_FALSE(asked.bOpen);
    EXPECT_EQ(asked.defaultExtension, "");
    EXPECT_EQ(asked.proposedName, "LANTERNS.MOD");
    EXPECT_EQ(asked.flags, 6u);
    EXPECT_EQ(asked.filter, "All Files (*.*)|*.*||");
}

TEST(CFileDialogTest, CancelAnswersIdCancelWithNoPath) {
    ScriptedUiService ui;
    ui.fileAnswers.push_back(std::nullopt);
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_OVERWRITEPROMPT, nullptr);

    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetPathName(), "");
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_TRUE(ui.fileDialogs[0].bOpen);
    EXPECT_EQ(ui.fileDialogs[0].proposedName, "");
    EXPECT_EQ(ui.fileDialogs[0].flags, 2u);
}
