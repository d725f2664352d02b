#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "elements/table_layout.h"
#include "support/recording_desktop.h"
#include "ui/elements/element_array.h"
#include "ui/elements/virtual_event_loop.h"
#include "ui/elements/window.h"

namespace koropika {
namespace {

constexpr int kCards = 52;

class ReloadTest : public ::testing::Test {
  protected:
    WindowLayout layout = testing::tableLayout();
    VirtualEventLoop loop;
    testing::RecordingDesktop desktop;
    Window window{layout, loop, desktop};
};

// Whatever changed before a reload, every property of every element, rows and members alike,
// comes back as the layout has it. Members made while their template was changed take the
// changed template, and the layout's texts again once the template is untouched.
TEST_F(ReloadTest, EveryTextComesBackFromTheLayoutWhicheverChangedBeforeTheReload) {
    for (int load = 0; load < 4; ++load) {
        window.load();
        Element& model = window.at("Card", 0);
        const bool changeTemplate = load == 1;
        if (changeTemplate) {
            model.setPicture("front");
            model.setAccessibleName("template");
        }
        ElementArray cards(window, "Card");
        for (int i = 1; i <= 3; ++i) {
            Element& card = cards.create(i);
            EXPECT_EQ(card.picture(), changeTemplate ? "front" : "back") << "load " << load;
            EXPECT_EQ(card.accessibleName(), changeTemplate ? "template" : "") << "load " << load;
            EXPECT_EQ(card.tag(), "");
            EXPECT_EQ(card.caption(), "");
            EXPECT_EQ(card.rect(), (Rect{0, 0, 30, 40}));
            // Each load changes different texts of the members and the rows.
            if ((load + i) % 2 == 0) {
                card.setPicture("face" + std::to_string(i));
                card.setTag(std::to_string(i));
            } else {
                card.setAccessibleName("card " + std::to_string(i));
                card.setCaption("x");
            }
            card.move({i, i, 5, 5});
        }
        Element& score = window.at("Score");
        EXPECT_EQ(score.caption(), "0");
        EXPECT_EQ(score.accessibleName(), "0");
        EXPECT_EQ(score.font(), Font{});
        if (load % 2 == 0) {
            score.setCaption("12");
            score.setFontSize(20);
        } else {
            score.setAccessibleName("score");
        }
        window.unload();
        loop.runPending();
    }
}

// The order read is the one a list moved at every step would have, over any mix of moves and
// reads.
TEST_F(ReloadTest, TheStackingOrderReadIsTheOrderOfMovingAtEveryStep) {
    window.load();
    ElementArray cards(window, "Card");
    std::vector<Element*> literal = {&window.at("Card", 0)};
    for (int i = 1; i <= kCards; ++i) {
        Element& card = cards.create(i);
        literal.insert(literal.begin(), &card);
    }
    std::mt19937 random(7);
    for (int step = 0; step < 2000; ++step) {
        Element* card = literal[random() % literal.size()];
        if (random() % 3 != 0) {
            card = literal[random() % 4];  // mostly cards near the front, moved again and again
        }
        card->bringToFront();
        std::rotate(literal.begin(), std::find(literal.begin(), literal.end(), card),
                    std::find(literal.begin(), literal.end(), card) + 1);
        if (random() % 50 == 0) {
            ASSERT_EQ(window.at("Table").children(), literal) << "after step " << step;
        }
    }
    EXPECT_EQ(window.at("Table").children(), literal);
}

}  // namespace
}  // namespace koropika
