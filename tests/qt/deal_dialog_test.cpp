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
#include <vector>

#include "qt/sound_menu.h"
#include "qt/window_view.h"
#include "qt_test_support.h"

namespace koropika {
namespace {

using testing::LayoutBuilder;
using testing::ShownWindow;

// The game window's menus with the ゲーム番号 and 音 menus after them, as the program adds them.
class DealDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        LayoutBuilder b("ころぴか V_1.0", {200, 100});
        b.menu("設定に戻る");
        b.menu("終了");
        shown = std::make_unique<ShownWindow>(b.layout());
        menu.onPlay = [this](std::uint64_t number) { played.push_back(number); };
        shown->desktop->onViewMade = [this](WindowView& view) {
            menu.addTo(view);
            sound.addTo(view);
        };
        shown->window->show();
        WindowView& view = shown->view();
        view.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    }

    // Opens the dialog by its key, as a keyboard player would.
    DealDialog* openByKey() {
        QTest::keyClick(&shown->view(), Qt::Key_N);
        auto* dialog = shown->view().findChild<DealDialog*>();
        if (dialog != nullptr) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == dialog; }));
        }
        return dialog;
    }

    std::uint64_t current = 123456789;
    DealMenu menu{[this] { return current; }};
    SoundMenu sound{SoundChoice{}};
    std::unique_ptr<ShownWindow> shown;
    std::vector<std::uint64_t> played;
};

TEST_F(DealDialogTest, TheMenuComesBeforeTheSoundMenuAndShowsTheNumberModally) {
    const QList<QAction*> bar = shown->view().menuBar()->actions();
    ASSERT_EQ(bar.size(), 4);
    EXPECT_EQ(bar[2]->text(), QStringLiteral("ゲーム番号"));
    EXPECT_EQ(bar[3]->text(), QStringLiteral("音"));

    bar[2]->trigger();
    QPointer<DealDialog> dialog = shown->view().findChild<DealDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->currentField()->text(), QStringLiteral("123456789"));
    EXPECT_TRUE(dialog->currentField()->isReadOnly());
    for (QWidget* control :
         std::vector<QWidget*>{dialog->currentField(), dialog->numberField(), dialog->playButton(),
                               dialog->replayButton(), dialog->closeButton()}) {
        EXPECT_FALSE(control->accessibleName().isEmpty());
        EXPECT_NE(control->focusPolicy() & Qt::TabFocus, 0);
    }
    QTest::keyClick(dialog, Qt::Key_Escape);
    testing::runPendingEvents();
    EXPECT_TRUE(dialog.isNull());
    EXPECT_TRUE(played.empty());
}

TEST_F(DealDialogTest, BadNumbersAreRefusedInTheDialogAndNothingIsPlayed) {
    QPointer<DealDialog> dialog = openByKey();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->numberField()->hasFocus());
    for (const char* typed : {"", "12a", "0", "1000000000"}) {
        dialog->numberField()->setText(QString::fromUtf8(typed));
        QTest::keyClick(dialog->numberField(), Qt::Key_Return);
        EXPECT_TRUE(dialog->isVisible()) << typed;
        EXPECT_TRUE(dialog->problemLabel()->isVisible()) << typed;
        EXPECT_FALSE(dialog->problemLabel()->text().isEmpty()) << typed;
        EXPECT_TRUE(dialog->numberField()->hasFocus()) << typed;
    }
    EXPECT_EQ(dialog->problemLabel()->text(), QStringLiteral("番号は 1 から 999999999 までです。"));
    EXPECT_TRUE(played.empty());

    dialog->numberField()->clear();
    QTest::keyClicks(dialog->numberField(), QStringLiteral("4321"));
    QTest::keyClick(dialog->numberField(), Qt::Key_Return);
    EXPECT_EQ(played, std::vector<std::uint64_t>{4321});
    testing::runPendingEvents();
    EXPECT_TRUE(dialog.isNull());
}

TEST_F(DealDialogTest, TheSameCardsButtonPlaysThisRoundsNumberByKeyboard) {
    QPointer<DealDialog> dialog = openByKey();
    ASSERT_NE(dialog, nullptr);
    // From the number field: この番号で遊ぶ, then 同じカードでもう一度.
    QTest::keyClick(dialog, Qt::Key_Tab);
    QTest::keyClick(dialog, Qt::Key_Tab);
    ASSERT_TRUE(dialog->replayButton()->hasFocus());
    QTest::keyClick(dialog->replayButton(), Qt::Key_Return);
    EXPECT_EQ(played, std::vector<std::uint64_t>{123456789});
}

}  // namespace
}  // namespace koropika
