#include "qt/deal_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <string_view>
#include <vector>

#include "qt/window_view.h"
#include "qt_test_support.h"

namespace koropika {
namespace {

TEST(DealDialogTest, OpensByKeyAfterTheWindowsMenusAndPlaysOnlyAGoodNumber) {
    testing::LayoutBuilder b("ころぴか V_1.0", {200, 100});
    b.menu("終了");
    testing::ShownWindow w(b.layout());
    DealMenu menu([] { return std::uint64_t{123456789}; });
    std::vector<std::uint64_t> played;
    menu.onPlay = [&played](std::uint64_t number) { played.push_back(number); };
    w.desktop->onViewMade = [&menu](WindowView& view) { menu.addTo(view); };
    w.window->show();
    WindowView& view = w.view();
    const QList<QAction*> bar = view.menuBar()->actions();
    ASSERT_EQ(bar.size(), 2);
    EXPECT_EQ(bar[1]->text(), QStringLiteral("ゲーム番号"));

    // Each round of the loop opens the dialog by its key; the last ends it with the same cards.
    for (const char* typed :
         std::initializer_list<const char*>{"", "12a", "0", "1000000000", "4321", nullptr}) {
        view.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &view; }));
        QTest::keyClick(&view, Qt::Key_N);
        QPointer<DealDialog> dialog = view.findChild<DealDialog*>();
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return dialog && QApplication::activeWindow() == dialog; }));
        EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
        EXPECT_EQ(dialog->currentField()->text(), QStringLiteral("123456789"));
        EXPECT_TRUE(dialog->currentField()->isReadOnly());
        for (QWidget* control : std::initializer_list<QWidget*>{
                 dialog->currentField(), dialog->numberField(), dialog->playButton(),
                 dialog->replayButton(), dialog->closeButton()}) {
            EXPECT_FALSE(control->accessibleName().isEmpty());
        }
        if (typed == nullptr) {
            // Tab from the number field: この番号で遊ぶ, then 同じカードでもう一度.
            QTest::keyClick(dialog, Qt::Key_Tab);
            QTest::keyClick(dialog, Qt::Key_Tab);
            ASSERT_TRUE(dialog->replayButton()->hasFocus());
            QTest::keyClick(dialog->replayButton(), Qt::Key_Return);
        } else {
            ASSERT_TRUE(dialog->numberField()->hasFocus());
            QTest::keyClicks(dialog->numberField(), QString::fromUtf8(typed));
            QTest::keyClick(dialog->numberField(), Qt::Key_Return);
            const bool good = std::string_view(typed) == "4321";
            EXPECT_EQ(dialog->isVisible(), !good) << typed;
            EXPECT_EQ(dialog->problemLabel()->isVisible(), !good) << typed;
            if (!good) {
                QTest::keyClick(dialog, Qt::Key_Escape);
            }
        }
        testing::runPendingEvents();
        EXPECT_TRUE(dialog.isNull());
    }
    EXPECT_EQ(played, (std::vector<std::uint64_t>{4321, 123456789}));
}

}  // namespace
}  // namespace koropika
