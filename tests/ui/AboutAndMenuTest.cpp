// The About box, the Cut/Copy/Paste pop-up menu and F1 help, in the running player window.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "app/CPlayerApp.h"
#include "tests/ui/PlayerFixture.h"
#include "ui/CAboutDlg.h"
#include "ui/Resource.h"

namespace {

const std::vector<CatalogueEntry> kTracks = {{"ONE.MOD", "One"}, {"TWO.MOD", "Two"}};
const std::vector<std::string> kPopupItems = {"Cu&t=57635", "&Copy=57634", "&Paste=57637"};

// Opens the About box from the system menu's About item and runs `inside` while it is up.
void WithAboutBox(PlayerTest& t, const std::function<void(QWidget* about)>& inside) {
    PlayerTest::WhenNested([&] {
        PlayerTest::WhenNested([&] {
            QWidget* about = QApplication::activeModalWidget();
            ASSERT_NE(about, t.player->GetSafeHwnd());
            inside(about);
        });
        ChooseMenuItem(ID_SYS_ABOUT);
    });
    QTest::keyClick(t.List(), Qt::Key_Space, Qt::AltModifier);
}

std::vector<std::string> LabelsOf(QWidget* dialog) {
    std::vector<std::string> texts;
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
        if (label->pixmap().isNull()) {
            texts.push_back(label->text().toStdString());
        }
    }
    return texts;
}

TEST_F(PlayerTest, AboutBoxShowsIconNameOkAndFreeMemoryWithFocusOnOk) {
    LoadCatalogue(kTracks);
    Run([&] {
        WithAboutBox(*this, [](QWidget* about) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(about));
            EXPECT_EQ(about->windowTitle().toStdString(), "About Marivenn Music Player");
            const std::vector<std::string> texts = LabelsOf(about);
            ASSERT_EQ(texts.size(), 4u);  // caption, name, memory label and value
            EXPECT_EQ(texts[1], "Marivenn Music Player v1.0");
            EXPECT_EQ(texts[2], "Free Memory:");
            EXPECT_TRUE(QRegularExpression("^[1-9][0-9]* KB$")
                            .match(QString::fromStdString(texts[3]))
                            .hasMatch())
                << texts[3];
            int icons = 0;
            for (const QLabel* label : about->findChildren<QLabel*>()) {
                icons += label->pixmap().isNull() ? 0 : 1;
            }
            EXPECT_EQ(icons, 1);
            auto* ok = qobject_cast<QPushButton*>(QApplication::focusWidget());
            ASSERT_NE(ok, nullptr);
            EXPECT_EQ(ok->text(), "OK");
            QTest::keyClick(ok, Qt::Key_Return);
        });
    });
}

TEST_F(PlayerTest, AboutBoxClosesByOkEscAndCloseBoxAndThePlayerGoesOn) {
    LoadCatalogue(kTracks);
    const std::vector<std::pair<std::string, std::function<void(QWidget*)>>> ways = {
        {"OK",
         [](QWidget* about) {
             for (QPushButton* button : about->findChildren<QPushButton*>()) {
                 QTest::mouseClick(button, Qt::LeftButton);
             }
         }},
        {"Esc", [](QWidget* about) { QTest::keyClick(about, Qt::Key_Escape); }},
        {"close box", [](QWidget* about) { about->close(); }},
    };
    Run([&] {
        for (const auto& [name, close] : ways) {
            bool closed = false;
            WithAboutBox(*this, [&](QWidget* about) {
                close(about);
                closed = !about->isVisible();
            });
            EXPECT_TRUE(closed) << name;
            EXPECT_EQ(QApplication::activeModalWidget(), player->GetSafeHwnd()) << name;
        }
        EXPECT_TRUE(audio.calls.empty());
        Click(IDC_PAUSE);  // the player takes input again
        EXPECT_EQ(audio.calls, (std::vector<std::string>{"PausePlayback()"}));
    });
}

// Right-clicks on a control or the background open the menu at the pointer; the keyboard's
// requests open it 5 pixels inside the client area's top-left corner.
TEST_F(PlayerTest, PopupMenuOpensAtThePointerOrInsideTheClientArea) {
    LoadCatalogue(kTracks);
    Run([&] {
        QWidget* client = player->GetClientWidget();
        const QPoint keyboardCorner = client->mapToGlobal(QPoint(5, 5));
        struct Request {
            std::string name;
            std::function<void()> make;
            QPoint expected;
        };
        auto rightClickOn = [&](QWidget* widget) -> Request {
            const QPoint at(4, 3);
            return {widget->metaObject()->className(), [=] { RightClick(widget, at); },
                    widget->mapToGlobal(at)};
        };
        const std::vector<Request> requests = {
            rightClickOn(List()->viewport()),
            rightClickOn(Item(IDC_SAVE)),
            rightClickOn(Item(IDC_STATUS)),
            {"background", [&] { RightClick(client, QPoint(300, 5)); },
             client->mapToGlobal(QPoint(300, 5))},
            {"Shift+F10", [&] { QTest::keyClick(List(), Qt::Key_F10, Qt::ShiftModifier); },
             keyboardCorner},
            {"Menu key", [&] { QTest::keyClick(Item(IDC_PAUSE), Qt::Key_Menu); }, keyboardCorner},
        };
        for (const Request& request : requests) {
            std::vector<std::string> items;
            QPoint shownAt;
            WhenNested([&] {
                items = OpenMenuItems();
                shownAt = QApplication::activePopupWidget()->pos();
                QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            });
            request.make();
            EXPECT_EQ(items, kPopupItems) << request.name;
            EXPECT_EQ(shownAt, request.expected) << request.name;
        }
    });
}

TEST_F(PlayerTest, ChoosingCutCopyOrPasteChangesNothing) {
    LoadCatalogue(kTracks);
    QApplication::clipboard()->setText("kept");
    Run([&] {
        DoubleClickLine(1);
        audio.calls.clear();
        for (UINT id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE}) {
            WhenNested([id] { ChooseMenuItem(id); });
            RightClick(List()->viewport(), QPoint(4, 3));
            EXPECT_EQ(List()->currentRow(), 1) << id;
            EXPECT_EQ(Text(IDC_STATUS), "Playing Track: Two") << id;
            EXPECT_EQ(Text(IDC_PAUSE), "Pause") << id;
            EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "kept") << id;
            EXPECT_TRUE(player->GetSafeHwnd()->isVisible()) << id;
        }
    });
    EXPECT_TRUE(audio.calls.empty());
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(PlayerTest, F1AsksForTheHelpOfTheFocusedDialogOnlyWithoutModifiers) {
    LoadCatalogue(kTracks);
    Run([&] {
        for (Qt::KeyboardModifier held :
             {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
            QTest::keyClick(List(), Qt::Key_F1, held);
        }
        EXPECT_TRUE(ui.helpRequests.empty());
        QTest::keyClick(List(), Qt::Key_F1);
        WithAboutBox(*this, [](QWidget* about) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(about));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
            QTest::keyClick(about, Qt::Key_Escape);
        });
    });
    EXPECT_EQ(ui.helpRequests, (std::vector<LoggedHelp>{{"/usr/games/marivenn.HLP", 0x20066},
                                                        {"/usr/games/marivenn.HLP", 0x20064}}));
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(audio.calls.empty());
}

TEST_F(PlayerTest, HelpThatCannotStartSaysSo) {
    LoadCatalogue(kTracks);
    ui.helpStarts = false;
    Run([&] { QTest::keyClick(List(), Qt::Key_F1); });
    EXPECT_EQ(ui.helpRequests.size(), 1u);
    EXPECT_EQ(ui.boxes, (std::vector<LoggedBox>{
                            {"marivenn", "Failed to launch help.", MB_OK | MB_ICONEXCLAMATION}}));
}

}  // namespace
