#include "qt/window_view.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <optional>

#include "qt_test_support.h"

namespace koropika {
namespace {

using testing::LayoutBuilder;
using testing::runPendingEvents;
using testing::ShownWindow;

WindowLayout menuLayout() {
    LayoutBuilder b("ころぴか V_1.0", {200, 100});
    b.menu("設定に戻る");
    b.menu("カード選択");
    b.menu("終了");
    b.add("Label", ElementKind::Label, {0, 0, 10, 10});
    return b.layout();
}

TEST(WindowView, ShowsTheCaptionAndOneMenuBarActionPerMenuItemInOrder) {
    ShownWindow w(menuLayout());
    std::vector<std::string> chosen;
    w.window->show();
    for (const auto& item : w.window->menus()) {
        item->onClick = [&chosen, name = item->name()] { chosen.push_back(name); };
    }
    WindowView& view = w.view();
    EXPECT_EQ(view.windowTitle(), QStringLiteral("ころぴか V_1.0"));
    const QList<QAction*> actions = view.menuBar()->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("設定に戻る"));
    EXPECT_EQ(actions[1]->text(), QStringLiteral("カード選択"));
    EXPECT_EQ(actions[2]->text(), QStringLiteral("終了"));

    actions[1]->trigger();
    EXPECT_EQ(chosen, std::vector<std::string>{"カード選択"});
    w.window->menu("終了").setEnabled(false);
    EXPECT_FALSE(actions[2]->isEnabled());
    w.window->menu("終了").setEnabled(true);
    EXPECT_TRUE(actions[2]->isEnabled());
}

TEST(WindowView, AWindowWithoutMenuItemsHasNoMenuBar) {
    LayoutBuilder b("plain", {100, 80});
    ShownWindow w(b.layout());
    w.window->show();
    EXPECT_EQ(w.view().menuWidget(), nullptr);
}

// Sizes and positions set by the window's load step, as the program's windows do.
void onLoadPlace(ShownWindow& w, int widthTwips, int heightTwips, std::optional<QPoint> twips) {
    w.window->onLoad = [&w, widthTwips, heightTwips, twips] {
        w.window->setWidthTwips(widthTwips);
        w.window->setHeightTwips(heightTwips);
        if (twips) {
            w.window->setLeftTwips(twips->x());
            w.window->setTopTwips(twips->y());
        }
    };
}

TEST(WindowView, TheOuterSizeInTwipsIsAFixedSizeWithoutAFrameOffscreen) {
    LayoutBuilder b("plain", {100, 80});
    ShownWindow w(b.layout());
    onLoadPlace(w, 11000, 3500, std::nullopt);
    w.window->show();
    runPendingEvents();  // the frame is known once the window is on screen
    WindowView& view = w.view();
    EXPECT_EQ(view.frameGeometry().size(), QSize(733, 233));
    EXPECT_EQ(view.minimumSize(), view.maximumSize()) << "the person cannot resize it";
    EXPECT_EQ(view.clientArea()->size(), view.size()) << "no menu bar";

    w.window->setHeightTwips(4700);  // the settings window opening its version area
    EXPECT_EQ(view.frameGeometry().size(), QSize(733, 313));
}

TEST(WindowView, TheMenuBarTakesItsHeightFromTheClientArea) {
    ShownWindow w(menuLayout());
    onLoadPlace(w, 3000, 3000, std::nullopt);
    w.window->show();
    runPendingEvents();
    WindowView& view = w.view();
    EXPECT_EQ(view.frameGeometry().size(), QSize(200, 200));
    EXPECT_EQ(view.clientArea()->height(), view.height() - view.menuBar()->height());
    EXPECT_EQ(view.clientArea()->mapTo(&view, QPoint(0, 0)).y(), view.menuBar()->height());
}

TEST(WindowView, ACentredWindowIsCentredOnTheScreenAndAPlacedOneGoesWhereTheModelSays) {
    LayoutBuilder b("plain", {100, 80});
    ShownWindow w(b.layout());
    onLoadPlace(w, 3000, 1500, std::nullopt);
    w.window->show();
    runPendingEvents();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect outer = w.view().frameGeometry();
    EXPECT_EQ(outer.size(), QSize(200, 100));
    EXPECT_EQ(outer.left() - screen.left(), screen.right() - outer.right());
    EXPECT_EQ(outer.top() - screen.top(), screen.bottom() - outer.bottom());

    w.window->setLeftTwips(150);
    w.window->setTopTwips(300);
    EXPECT_EQ(w.view().pos(), QPoint(10, 20));
}

TEST(WindowView, APlaceNoScreenShowsIsMovedOntoTheScreenAPartlyVisibleOneIsKept) {
    LayoutBuilder b("plain", {100, 80});
    ShownWindow w(b.layout());
    onLoadPlace(w, 3000, 1500, std::nullopt);
    w.window->show();
    runPendingEvents();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    w.window->setLeftTwips(-150);  // partly left of the screen: as stored
    w.window->setTopTwips(300);
    EXPECT_EQ(w.view().pos(), QPoint(-10, 20));
    w.window->setLeftTwips((screen.right() + 500) * kTwipsPerPixel);  // a screen that is gone
    w.window->setTopTwips((screen.bottom() + 500) * kTwipsPerPixel);
    EXPECT_TRUE(screen.contains(w.view().frameGeometry())) << "moved back onto the screen";
}

TEST(WindowView, WhereThePersonMovesTheWindowIsReportedToTheModel) {
    LayoutBuilder b("plain", {100, 80});
    ShownWindow w(b.layout());
    onLoadPlace(w, 3000, 1500, QPoint(150, 150));
    w.window->show();
    EXPECT_EQ(w.view().pos(), QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.view().placementSettled(); }, 2000));
    EXPECT_EQ(w.window->leftTwips(), 150) << "the window went where the model put it";
    w.view().move(40, 50);  // stands for a drag of the caption bar
    runPendingEvents();
    EXPECT_EQ(w.window->leftTwips(), 600);
    EXPECT_EQ(w.window->topTwips(), 750);
    EXPECT_FALSE(w.window->centred());
    w.window->setHeightTwips(3000);  // a later size change keeps the window where it is
    EXPECT_EQ(w.view().pos(), QPoint(40, 50));
}

TEST(WindowView, TheCloseBoxAsksTheModelWhichMayUnloadTheWindow) {
    ShownWindow w(menuLayout());
    w.window->show();
    int asked = 0;
    w.window->onCloseBox = [&] { ++asked; };
    QCloseEvent refused;
    QCoreApplication::sendEvent(&w.view(), &refused);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(refused.isAccepted());
    EXPECT_TRUE(w.view().isVisible()) << "the model kept the window";

    w.window->onCloseBox = [&] { w.window->unload(); };
    QPointer<WindowView> view = &w.view();
    QCloseEvent accepted;
    QCoreApplication::sendEvent(view.data(), &accepted);
    EXPECT_FALSE(w.window->loaded());
    ASSERT_TRUE(view);
    EXPECT_FALSE(view->isVisible());
    runPendingEvents();
    EXPECT_TRUE(view.isNull()) << "deleted once back in the event loop";
}

TEST(WindowView, ShowingAgainAfterAnUnloadBuildsAFreshView) {
    ShownWindow w(menuLayout());
    w.window->show();
    QPointer<WindowView> first = &w.view();
    w.window->unload();
    w.window->show();
    EXPECT_NE(&w.view(), first.data());
    EXPECT_TRUE(w.view().isVisible());
    EXPECT_EQ(w.window->observer(), &w.view());
}

TEST(WindowView, DestroyingAShownWindowLetsGoOfItsView) {
    ShownWindow w(menuLayout());
    w.window->show();
    QPointer<WindowView> view = &w.view();
    w.window.reset();
    ASSERT_TRUE(view);
    EXPECT_FALSE(view->attached());
    EXPECT_FALSE(view->isVisible());
}

}  // namespace
}  // namespace koropika
