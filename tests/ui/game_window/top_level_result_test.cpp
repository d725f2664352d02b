#include <gtest/gtest.h>

#include <vector>

#include "support/game_driver.h"
#include "support/harness.h"

namespace koropika {
namespace {

using testing::GameDriver;
using testing::Harness;

// At the top level the result panel offers no next level: the offer is hidden, so neither a
// screen reader (which lists only shown elements) nor Tab or the arrow keys reach it. During play
// the whole panel is hidden, and with it every button inside it.
TEST(TopLevelResultPanel, TheLevelOfferIsHiddenAndTheKeysWalkOnlyTheTwoOtherButtons) {
    Harness run;
    GameDriver driver{run};
    run.program().start();
    driver.openRound("たろう", 6, 28, 1);
    GameWindowElements& ui = driver.ui();
    for (const Element* button : {&ui.Image8, &ui.Image11, &ui.Image12, &ui.Label21}) {
        EXPECT_FALSE(button->shown()) << button->name() << " shows during play";
    }
    driver.playToTheEnd(3);
    Window& game = run.gameWindow();
    EXPECT_TRUE(ui.Image8.shown());
    EXPECT_TRUE(ui.Image11.shown());
    EXPECT_FALSE(ui.Image12.shown());
    EXPECT_FALSE(ui.Label21.shown());
    ASSERT_EQ(game.focusedElement(), &ui.Image8);

    std::vector<const Element*> reached;
    for (Key key : {Key::Tab, Key::Tab, Key::Right, Key::Down, Key::BackTab, Key::Left, Key::Up}) {
        game.keyPressed(key);
        run.settle();
        reached.push_back(game.focusedElement());
    }
    EXPECT_EQ(reached,
              (std::vector<const Element*>{&ui.Image11, &ui.Image8, &ui.Image11, &ui.Image8,
                                           &ui.Image11, &ui.Image8, &ui.Image11}));
}

}  // namespace
}  // namespace koropika
