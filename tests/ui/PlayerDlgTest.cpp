// The player window: its list, double-click, Pause/Resume, status line, ways to close, system
// menu, tooltip, geometry and minimised icon.
#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

#include "platform/ui/CMenu.h"
#include "platform/ui/QtIcon.h"
#include "playback/TrackList.h"
#include "tests/ui/PlayerFixture.h"
#include "ui/PlayerIcon.h"
#include "ui/Resource.h"
#include "ui/Resources.h"

namespace {

const std::vector<CatalogueEntry> kThreeTracks = {
    {"INTRO.MOD", "Intro   "}, {"battle.mod", "Battle\t \r\n"}, {"END.MOD", "The End"}};

TEST_F(PlayerTest, ListsTracksInOrderSelectsTheFirstAndFocusesTheList) {
    LoadCatalogue(kThreeTracks);
    Run([&] {
        EXPECT_EQ(Lines(), (std::vector<std::string>{"01: Intro\t\t(INTRO.MOD)",
                                                     "02: Battle\t\t(battle.mod)",
                                                     "03: The End\t\t(END.MOD)"}));
        EXPECT_EQ(List()->currentRow(), 0);
        EXPECT_TRUE(List()->currentItem()->isSelected());
        EXPECT_EQ(QApplication::focusWidget(), List());
        // The status line names the track start-up started, with its title as stored.
        EXPECT_EQ(Text(IDC_STATUS), "Playing Track: Intro   ");
        EXPECT_EQ(Text(IDC_PAUSE), "&Pause");
    });
    EXPECT_TRUE(audio.calls.empty());
}

TEST_F(PlayerTest, DoubleClickPlaysThatTrackAndNamesIt) {
    LoadCatalogue(kThreeTracks);
    Run([&] {
        DoubleClickLine(1);
        EXPECT_EQ(audio.calls,
                  (std::vector<std::string>{"HaltPlayback()",
                                            "StartPlayback(" + HandleText(pModule[1]) + ")"}));
        EXPECT_EQ(pModule[1], RecordingAudioLibrary::kFirstHandle + 1);
        EXPECT_EQ(Text(IDC_STATUS), "Playing Track: Battle\t \r\n");
        EXPECT_EQ(Text(IDC_PAUSE), "Pause");
        EXPECT_TRUE(bPlaying);
    });
}

TEST_F(PlayerTest, PauseResumeAndDoubleClickFollowThePlayStates) {
    LoadCatalogue(kThreeTracks);
    struct Step {
        std::function<void(PlayerTest&)> act;
        std::string call;
        std::string caption;
        BOOL playing;
    };
    const std::string third =
        "StartPlayback(" + HandleText(RecordingAudioLibrary::kFirstHandle + 2) + ")";
    const std::vector<Step> steps = {
        {[](PlayerTest& t) { t.Click(IDC_PAUSE); }, "PausePlayback()", "&Resume", FALSE},
        {[](PlayerTest& t) { t.Click(IDC_PAUSE); }, "ContinuePlayback()", "&Pause", TRUE},
        {[](PlayerTest& t) { t.Click(IDC_PAUSE); }, "PausePlayback()", "&Resume", FALSE},
        // Paused, a double-click starts the chosen track and the window plays again.
        {[](PlayerTest& t) { t.DoubleClickLine(2); }, third, "Pause", TRUE},
        {[](PlayerTest& t) { t.Click(IDC_PAUSE); }, "PausePlayback()", "&Resume", FALSE},
    };
    Run([&] {
        for (const Step& step : steps) {
            audio.calls.clear();
            step.act(*this);
            ASSERT_FALSE(audio.calls.empty());
            EXPECT_EQ(audio.calls.back(), step.call);
            EXPECT_EQ(Text(IDC_PAUSE), step.caption);
            EXPECT_EQ(bPlaying, step.playing);
        }
        // Neither pausing nor resuming touches the status line.
        EXPECT_EQ(Text(IDC_STATUS), "Playing Track: The End");
    });
}

TEST_F(PlayerTest, ExitEscapeCloseBoxAltF4AndSystemMenuCloseAllCancel) {
    LoadCatalogue(kThreeTracks);
    const std::vector<std::pair<std::string, std::function<void(PlayerTest&)>>> ways = {
        {"Exit", [](PlayerTest& t) { t.Click(IDCANCEL); }},
        {"Esc", [](PlayerTest& t) { QTest::keyClick(t.List(), Qt::Key_Escape); }},
        {"close box",
         [](PlayerTest& t) {
             auto* caption = t.player->GetCaptionWidget();
             QToolButton* close = caption->findChildren<QToolButton*>().back();
             QTest::mouseClick(close, Qt::LeftButton);
         }},
        {"Alt+F4", [](PlayerTest& t) { QTest::keyClick(t.List(), Qt::Key_F4, Qt::AltModifier); }},
        {"window system's close", [](PlayerTest& t) { t.player->GetSafeHwnd()->close(); }},
        {"system menu Close",
         [](PlayerTest& t) {
             PlayerTest::WhenNested([] { ChooseMenuItem(SC_CLOSE); });
             QTest::keyClick(t.List(), Qt::Key_Space, Qt::AltModifier);
         }},
    };
    for (const auto& [name, close] : ways) {
        EXPECT_EQ(Run([&] { close(*this); }), IDCANCEL) << name;
    }
    EXPECT_TRUE(audio.calls.empty());
}

TEST_F(PlayerTest, SystemMenuEndsWithAboutAndOpensFromIconCaptionAndAltSpace) {
    LoadCatalogue(kThreeTracks);
    const std::vector<std::string> expected = {
        "&Restore=61728 (greyed)",        "&Move=61456", "&Size=61440 (greyed)", "Mi&nimize=61472",
        "Ma&ximize=61488 (greyed)",       "-",           "&Close\tAlt+F4=61536", "-",
        "&About Marivenn Music Player=16"};
    Run([&] {
        CMenu* menu = player->GetSystemMenu(FALSE);
        ASSERT_NE(menu, nullptr);
        const int count = menu->GetMenuItemCount();
        EXPECT_EQ(menu->GetMenuState(static_cast<UINT>(count - 2), MF_BYPOSITION), MF_SEPARATOR);
        EXPECT_EQ(menu->GetMenuItemID(count - 1), ID_SYS_ABOUT);

        QWidget* caption = player->GetCaptionWidget();
        QToolButton* icon = caption->findChildren<QToolButton*>().front();
        const std::vector<std::pair<std::string, std::function<void()>>> openers = {
            {"icon", [&] { QTest::mouseClick(icon, Qt::LeftButton); }},
            {"caption", [&] { RightClick(caption, caption->rect().center()); }},
            {"Alt+Space", [&] { QTest::keyClick(List(), Qt::Key_Space, Qt::AltModifier); }},
        };
        for (const auto& [name, open] : openers) {
            std::vector<std::string> shown;
            WhenNested([&] {
                shown = OpenMenuItems();
                QApplication::activePopupWidget()->close();
            });
            open();
            EXPECT_EQ(shown, expected) << name;
        }
    });
}

TEST_F(PlayerTest, SystemMenuAboutOpensTheAboutBoxAndMinimiseMinimises) {
    LoadCatalogue(kThreeTracks);
    Run([&] {
        std::string aboutTitle;
        WhenNested([&] {
            ChooseMenuItem(ID_SYS_ABOUT);
            WhenNested([&] {
                QWidget* about = QApplication::activeModalWidget();
                aboutTitle = about->windowTitle().toStdString();
                QTest::keyClick(about, Qt::Key_Escape);
            });
        });
        QTest::keyClick(List(), Qt::Key_Space, Qt::AltModifier);
        EXPECT_EQ(aboutTitle, "About Marivenn Music Player");

        WhenNested([&] { ChooseMenuItem(SC_MINIMIZE); });
        QTest::keyClick(List(), Qt::Key_Space, Qt::AltModifier);
        EXPECT_TRUE(player->IsIconic());
        EXPECT_EQ(Text(IDC_STATUS), "Playing Track: Intro   ");
    });
    EXPECT_TRUE(audio.calls.empty());
}

// Where the window system cannot move the window, Move moves it with the arrow keys; Enter
// keeps the place and Esc goes back, and neither closes the window.
TEST_F(PlayerTest, SystemMenuMoveMovesTheWindowWithTheArrowKeys) {
    LoadCatalogue(kThreeTracks);
    Run([&] {
        QWidget* window = player->GetSafeHwnd();
        auto moveBy = [&](std::vector<Qt::Key> keys) {
            WhenNested([] { ChooseMenuItem(SC_MOVE); });
            QTest::keyClick(List(), Qt::Key_Space, Qt::AltModifier);
            const QPoint start = window->pos();
            for (Qt::Key key : keys) {
                QTest::keyClick(List(), key);
            }
            return window->pos() - start;
        };
        EXPECT_EQ(moveBy({Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Return}),
                  QPoint(16, 8));
        EXPECT_EQ(moveBy({Qt::Key_Left, Qt::Key_Up, Qt::Key_Escape}), QPoint(0, 0));
        EXPECT_TRUE(window->isVisible());
        QTest::keyClick(List(), Qt::Key_Down);  // keys reach the list again
        EXPECT_EQ(List()->currentRow(), 1);
    });
    EXPECT_TRUE(audio.calls.empty());
}

TEST_F(PlayerTest, WithoutTheAboutStringTheSystemMenuGetsNoAboutItem) {
    LoadCatalogue(kThreeTracks);
    const ResourceSet withoutAbout = {
        kPlayerResources.dialogs, kPlayerResources.menus, kPlayerResources.icons, {}};
    AfxSetResources(&withoutAbout);
    Run([&] {
        CMenu* menu = player->GetSystemMenu(FALSE);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->GetMenuItemID(menu->GetMenuItemCount() - 1), SC_CLOSE);
    });
    AfxSetResources(&kPlayerResources);
}

TEST_F(PlayerTest, OnlyExitHasATooltip) {
    LoadCatalogue(kThreeTracks);
    Run([&] {
        auto tipOf = [](QWidget* widget) {
            const QPoint centre = widget->rect().center();
            QHelpEvent rest(QEvent::ToolTip, centre, widget->mapToGlobal(centre));
            QApplication::sendEvent(widget, &rest);
            return QToolTip::isVisible() ? QToolTip::text().toStdString() : std::string();
        };
        for (int i = 0; i < player->GetItemCount(); ++i) {
            if (player->GetItem(i)->GetDlgCtrlID() != IDCANCEL) {
                EXPECT_EQ(tipOf(player->GetItem(i)->GetSafeHwnd()), "") << "control " << i;
            }
        }
        EXPECT_EQ(tipOf(Item(IDCANCEL)), "Quits Marivenn Music Player");
    });
}

// Every control of a dialog sits where its template puts it, converted with the dialog
// font's units: the template's face where it is installed, else the desktop's sans font.
void ExpectTemplateGeometry(const CDialog& dialog) {
    auto muldiv = [](int value, int base, int divisor) {
        return (value * base + divisor / 2) / divisor;
    };
    const DialogTemplate& tmpl = *AfxFindDialogTemplate(dialog.GetTemplateID());
    const QFont font = dialog.GetSafeHwnd()->font();
    EXPECT_EQ(font.pointSize(), tmpl.nPointSize);
    EXPECT_EQ(font.family(), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    const QFontMetrics metrics(font);
    const int baseX =
        (metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") + 26) /
        52;
    const int baseY = metrics.height();
    auto pixels = [&](int x, int y, int cx, int cy) {
        return QRect(muldiv(x, baseX, 4), muldiv(y, baseY, 8), muldiv(cx, baseX, 4),
                     muldiv(cy, baseY, 8));
    };
    EXPECT_EQ(QRect(QPoint(), dialog.GetClientWidget()->size()), pixels(0, 0, tmpl.cx, tmpl.cy));
    ASSERT_EQ(dialog.GetItemCount(), static_cast<int>(tmpl.items.size()));
    for (std::size_t i = 0; i < tmpl.items.size(); ++i) {
        const DialogItem& item = tmpl.items[i];
        QWidget* widget = dialog.GetItem(static_cast<int>(i))->GetSafeHwnd();
        EXPECT_EQ(widget->parentWidget(), dialog.GetClientWidget());
        EXPECT_EQ(widget->geometry(), pixels(item.x, item.y, item.cx, item.cy))
            << tmpl.pszCaption << ", control " << i;
    }
}

TEST_F(PlayerTest, ControlsSitAtTheirTemplateRectanglesInDialogUnits) {
    LoadCatalogue(kThreeTracks);
    Run([&] {
        ExpectTemplateGeometry(*player);
        WhenNested([] {
            ChooseMenuItem(ID_SYS_ABOUT);
            WhenNested([] {
                const CDialog* about = CDialog::GetFocusDialog();
                ASSERT_EQ(about->GetTemplateID(), IDD_ABOUT);
                ExpectTemplateGeometry(*about);
                QTest::keyClick(about->GetSafeHwnd(), Qt::Key_Escape);
            });
        });
        QTest::keyClick(List(), Qt::Key_Space, Qt::AltModifier);
    });
}

TEST_F(PlayerTest, TabOrderIsTemplateOrderAndEnterPressesSave) {
    LoadCatalogue(kThreeTracks);
    Run([&] {
        const std::vector<int> order = {IDC_OPEN, IDC_PAUSE, IDC_SAVE, IDCANCEL, IDC_TRACKLIST};
        for (int id : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget(), Item(id)) << id;
        }
        // From the list, Enter raises the dialog's default button, the last one the template
        // marks as default; a focused push button takes Enter itself.
        QTest::keyClick(List(), Qt::Key_Return);
        Item(IDC_OPEN)->setFocus();
        QTest::keyClick(Item(IDC_OPEN), Qt::Key_Return);
    });
    ASSERT_EQ(ui.fileDialogs.size(), 2u);
    EXPECT_FALSE(ui.fileDialogs[0].bOpen);
    EXPECT_TRUE(ui.fileDialogs[1].bOpen);
}

// As in a single-selection list box, the user moves the selection but cannot clear it.
TEST_F(PlayerTest, TheUserCannotClearTheListsSelection) {
    LoadCatalogue(kThreeTracks);
    Run([&] {
        QListWidget* list = List();
        const QPoint second = list->visualItemRect(list->item(1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, second);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          QPoint(5, list->viewport()->height() - 3));
        QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
        EXPECT_EQ(list->selectedItems().size(), 1);
        EXPECT_EQ(list->currentRow(), 1);
        EXPECT_TRUE(list->item(1)->isSelected());
    });
}

TEST_F(PlayerTest, NinetyNineTracksEndWithLine99PlayingIndex98) {
    LoadCatalogue(NumberedTracks(99));
    Run([&] {
        ASSERT_EQ(List()->count(), 99);
        EXPECT_EQ(Lines().back(), "99: Track 99\t\t(T099.MOD)");
        DoubleClickLine(98);
        EXPECT_EQ(audio.calls.back(), "StartPlayback(" + HandleText(pModule[98]) + ")");
        EXPECT_EQ(Text(IDC_STATUS), "Playing Track: Track 99");
    });
}

// Lines numbered 100 and up sort among the two-digit ones; each still plays its own track.
TEST_F(PlayerTest, MoreThan99TracksPlayTheTrackOfTheClickedLine) {
    LoadCatalogue(NumberedTracks(120));
    Run([&] {
        ASSERT_EQ(List()->count(), 120);
        EXPECT_EQ(Lines()[0], "01: Track 1\t\t(T001.MOD)");
        for (int line : {9, 10, 11, 60, 119}) {
            audio.calls.clear();
            DoubleClickLine(line);
            const int number = std::stoi(Lines()[static_cast<std::size_t>(line)]);
            EXPECT_EQ(audio.calls.back(), "StartPlayback(" + HandleText(pModule[number - 1]) + ")")
                << Lines()[static_cast<std::size_t>(line)];
            EXPECT_EQ(Text(IDC_STATUS), "Playing Track: Track " + std::to_string(number));
        }
    });
}

TEST_F(PlayerTest, EmptyCatalogueLeavesTheListAndTheTablesAlone) {
    LoadCatalogue({});
    Run([&] {
        EXPECT_EQ(List()->count(), 0);
        EXPECT_EQ(List()->currentRow(), -1);
        EXPECT_EQ(Text(IDC_STATUS), "");
        QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, QPoint(10, 5));
        QTest::keyClick(List(), Qt::Key_Return);  // Save
        Click(IDC_SAVE);
        EXPECT_EQ(Text(IDC_STATUS), "");
    });
    EXPECT_TRUE(audio.calls.empty());
    EXPECT_TRUE(ui.fileDialogs.empty());
    EXPECT_TRUE(ui.boxes.empty());
}

// Minimised, the window paints its icon centred in its client area.
TEST_F(PlayerTest, MinimisedWindowPaintsItsIconCentred) {
    LoadCatalogue(kThreeTracks);
    Run([&] {
        QWidget* client = player->GetClientWidget();
        const QImage icon = QtIconImage(kPlayerIcon, kPlayerIcon.big);
        const int x = (client->width() - icon.width() + 1) / 2;
        const int y = (client->height() - icon.height() + 1) / 2;
        auto paint = [&] {
            QImage canvas(client->size(), QImage::Format_ARGB32);
            canvas.fill(Qt::magenta);
            client->render(&canvas, QPoint(), QRegion(), QWidget::DrawWindowBackground);
            return canvas.copy(x, y, icon.width(), icon.height());
        };
        auto showsIcon = [&](const QImage& area) {
            for (int py = 0; py < icon.height(); ++py) {
                for (int px = 0; px < icon.width(); ++px) {
                    if (qAlpha(icon.pixel(px, py)) == 255 &&
                        area.pixel(px, py) != icon.pixel(px, py)) {
                        return false;
                    }
                }
            }
            return true;
        };
        EXPECT_FALSE(showsIcon(paint()));
        player->SendSysCommand(SC_MINIMIZE);
        ASSERT_TRUE(player->IsIconic());
        EXPECT_TRUE(showsIcon(paint()));
        EXPECT_EQ(player->SendQueryDragIcon(), AfxLoadIcon(IDI_PLAYER));
        EXPECT_FALSE(player->GetSafeHwnd()->windowIcon().isNull());
        player->SendSysCommand(SC_RESTORE);
        EXPECT_FALSE(player->IsIconic());
        EXPECT_EQ(Text(IDC_STATUS), "Playing Track: Intro   ");
    });
}

}  // namespace
