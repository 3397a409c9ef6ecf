#include "tests/ui/PlayerFixture.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "app/CPlayerApp.h"
#include "archive/CPackFile.h"
#include "playback/TrackList.h"
#include "ui/Resource.h"

namespace {
int g_argc = 1;
char g_name[] = "marivenn";
char* g_argv[] = {g_name, nullptr};
}  // namespace

void PlayerTest::SetUp() {
    qapp = std::make_unique<QApplication>(g_argc, g_argv);
    dir.Enter();
    AfxSetAppName("marivenn");
    theApp.m_strExePath = "/usr/games/marivenn";
}

void PlayerTest::TearDown() {
    qapp.reset();
}

void PlayerTest::LoadCatalogue(const std::vector<CatalogueEntry>& tracks) {
    std::vector<PackMember> members{MakeCatalogue(tracks)};
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        members.push_back({tracks[i].fileName, Pattern(20 + i, static_cast<std::uint8_t>(i))});
    }
    archive = MakePack(members);
    dir.Write("marivenn.dat", archive);
    ASSERT_EQ(thePack.Open("marivenn.dat"), 0);
    ReadCatalogue();
    LoadAllTracks();
    audio.calls.clear();
}

std::vector<CatalogueEntry> PlayerTest::NumberedTracks(int count) {
    std::vector<CatalogueEntry> tracks;
    for (int i = 1; i <= count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "T%03d.MOD", i);
        tracks.push_back({name, "Track " + std::to_string(i)});
    }
    return tracks;
}

int PlayerTest::Run(const std::function<void()>& body) {
    CPlayerDlg dlg;
    player = &dlg;
    theApp.m_pMainWnd = &dlg;
    QTimer::singleShot(0, [&] {
        // The window system activates the window once it is shown; focus follows.
        EXPECT_TRUE(QTest::qWaitForWindowActive(dlg.GetSafeHwnd()));
        body();
        if (dlg.GetSafeHwnd() != nullptr && dlg.GetSafeHwnd()->isVisible()) {
            dlg.EndDialog(kLeftOpen);
        }
    });
    const int result = dlg.DoModal();
    player = nullptr;
    return result;
}

void PlayerTest::WhenNested(const std::function<void()>& action) {
    QTimer::singleShot(0, action);
}

QWidget* PlayerTest::Item(int nID) const {
    CWnd* item = player->GetDlgItem(nID);
    return item != nullptr ? item->GetSafeHwnd() : nullptr;
}

QListWidget* PlayerTest::List() const {
    return qobject_cast<QListWidget*>(Item(IDC_TRACKLIST));
}

std::vector<std::string> PlayerTest::Lines() const {
    std::vector<std::string> lines;
    for (int i = 0; i < List()->count(); ++i) {
        lines.push_back(List()->item(i)->text().toStdString());
    }
    return lines;
}

void PlayerTest::DoubleClickLine(int line) {
    QListWidget* list = List();
    list->scrollToItem(list->item(line));
    const QPoint at = list->visualItemRect(list->item(line)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

void PlayerTest::Click(int nID) {
    QTest::mouseClick(Item(nID), Qt::LeftButton);
}

void PlayerTest::RightClick(QWidget* widget, QPoint local) {
    QContextMenuEvent request(QContextMenuEvent::Mouse, local, widget->mapToGlobal(local));
    QApplication::sendEvent(widget, &request);
}

std::vector<std::string> OpenMenuItems() {
    std::vector<std::string> items;
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) {
        return items;
    }
    for (const QAction* action : menu->actions()) {
        items.push_back(action->isSeparator() ? std::string("-")
                                              : action->text().toStdString() + "=" +
                                                    std::to_string(action->data().toUInt()) +
                                                    (action->isEnabled() ? "" : " (greyed)"));
    }
    return items;
}

void ChooseMenuItem(unsigned nID) {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    for (QAction* action : menu->actions()) {
        if (action->data().toUInt() == nID) {
            menu->setActiveAction(action);
        }
    }
    QTest::keyClick(menu, Qt::Key_Return);
}
