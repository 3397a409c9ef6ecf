// The dialog framework on a template of its own: running out of memory inside a handler,
// and the help file named after the executable.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <new>

#include "platform/ui/CDialog.h"
#include "platform/ui/CWinApp.h"
#include "tests/support/ScriptedUiService.h"

namespace {

constexpr UINT kTemplateId = 7;
constexpr int kGreedy = 10;

constexpr DialogItem kItems[] = {
    {ControlClass::Button, kGreedy, "&Greedy", 5, 5, 50, 14,
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    {ControlClass::Button, IDOK, "OK", 60, 5, 50, 14,
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
};
constexpr DialogTemplate kTemplate = {kTemplateId,
                                      "Test",
                                      0,
                                      0,
                                      120,
                                      30,
                                      WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                                      0,
                                      "MS Sans Serif",
                                      8,
                                      kItems};
constexpr const DialogTemplate* kDialogs[] = {&kTemplate};
const ResourceSet kResources = {kDialogs, {}, {}, {}};

class GreedyDlg : public CDialog {
public:
    GreedyDlg() : CDialog(kTemplateId) {}
    void OnGreedy() {
        ++m_nCalls;
        throw std::bad_alloc();
    }
    int m_nCalls = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(GreedyDlg, CDialog)
ON_BN_CLICKED(kGreedy, OnGreedy)
END_MESSAGE_MAP()

int g_argc = 1;
char g_name[] = "test";
char* g_argv[] = {g_name, nullptr};

TEST(CDialogTest, OutOfMemoryInAHandlerIsShownAndTheDialogGoesOn) {
    QApplication qapp(g_argc, g_argv);
    ScriptedUiService ui;
    AfxSetResources(&kResources);
    AfxSetAppName("marivenn");
    GreedyDlg dlg;
    bool visibleAfter = false;
    QTimer::singleShot(0, [&] {
        QPushButton* greedy = qobject_cast<QPushButton*>(dlg.GetDlgItem(kGreedy)->GetSafeHwnd());
        QTest::mouseClick(greedy, Qt::LeftButton);
        QTest::mouseClick(greedy, Qt::LeftButton);
        visibleAfter = dlg.GetSafeHwnd()->isVisible();
        QTest::mouseClick(dlg.GetDlgItem(IDOK)->GetSafeHwnd(), Qt::LeftButton);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nCalls, 2);
    EXPECT_TRUE(visibleAfter);
    const LoggedBox box{"marivenn", "Out of memory.", MB_OK | MB_ICONEXCLAMATION};
    EXPECT_EQ(ui.boxes, (std::vector<LoggedBox>{box, box}));
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
}

TEST(CDialogTest, HelpFileIsTheExecutableWithTheExtensionHLP) {
    CWinApp app;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/usr/games/marivenn", "/usr/games/marivenn.HLP"},
        {"/opt/player.d/Jukebox.bin", "/opt/player.d/Jukebox.HLP"},
        {"/opt/x/archive.tar.gz", "/opt/x/archive.tar.HLP"},
        {"/home/u/.player", "/home/u/.player.HLP"},
    };
    for (const auto& [exe, help] : cases) {
        app.m_strExePath = exe;
        EXPECT_EQ(app.GetHelpFilePath(), help) << exe;
    }
}

}  // namespace
