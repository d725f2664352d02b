#include "qt/sound_menu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <vector>

#include "qt/window_view.h"
#include "qt_test_support.h"

namespace koropika {
namespace {

using testing::LayoutBuilder;
using testing::ShownWindow;

TEST(SoundMenuTest, ComesLastInTheMenuBarAndMTogglesTheSoundWithAnAnnouncement) {
    LayoutBuilder b("ころぴか V_1.0", {200, 100});
    b.menu("設定に戻る");
    b.menu("終了");
    ShownWindow w(b.layout());
    SoundMenu menu(SoundChoice{true, Volume::Medium});
    std::vector<bool> switched;
    std::vector<Volume> chosen;
    menu.onSwitched = [&switched](bool on) { switched.push_back(on); };
    menu.onVolumeChosen = [&chosen](Volume volume) { chosen.push_back(volume); };
    w.desktop->onViewMade = [&menu](WindowView& view) { menu.addTo(view); };
    w.window->show();
    WindowView& view = w.view();
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));

    const QList<QAction*> bar = view.menuBar()->actions();
    ASSERT_EQ(bar.size(), 3);
    EXPECT_EQ(bar[0]->text(), QStringLiteral("設定に戻る"));
    ASSERT_EQ(bar[2]->text(), QStringLiteral("音"));
    QList<QAction*> items = bar[2]->menu()->actions();
    items.removeIf([](QAction* item) { return item->isSeparator(); });
    ASSERT_EQ(items.size(), 4);
    EXPECT_TRUE(items[0]->isChecked());
    EXPECT_EQ(items[2]->text(), QStringLiteral("中"));
    EXPECT_TRUE(items[2]->isChecked());

    QTest::keyClick(&view, Qt::Key_M);
    EXPECT_EQ(view.lastAnnouncement(), QStringLiteral("音: オフ"));
    QTest::keyClick(&view, Qt::Key_M);
    EXPECT_EQ(view.lastAnnouncement(), QStringLiteral("音: オン"));
    items[3]->trigger();
    EXPECT_EQ(switched, (std::vector<bool>{false, true}));
    EXPECT_EQ(chosen, std::vector<Volume>{Volume::Soft});
    EXPECT_FALSE(items[2]->isChecked());
    EXPECT_EQ(menu.choice(), (SoundChoice{true, Volume::Soft}));
}

}  // namespace
}  // namespace koropika
