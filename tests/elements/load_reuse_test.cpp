#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "elements/table_layout.h"
#include "support/recording_desktop.h"
#include "ui/elements/element_array.h"
#include "ui/elements/virtual_event_loop.h"
#include "ui/elements/window.h"

// Counts every allocation of this test program, so a test can tell that a stretch of virtual
// time allocated nothing.
namespace {
long allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace koropika {
namespace {

constexpr int kCards = 52;

class LoadReuseTest : public ::testing::Test {
  protected:
    WindowLayout layout = testing::tableLayout();
    VirtualEventLoop loop;
    testing::RecordingDesktop desktop;
    Window window{layout, loop, desktop};

    // Changes everything a round changes: captions, tags, handlers, members, timers, delays.
    void playARound() {
        window.at("Score").setCaption("52");
        window.at("Table").setVisible(false);
        Element& model = window.at("Card", 0);
        model.setTag("7");
        model.onClick = [](int) {};
        ElementArray cards(window, "Card");
        for (int i = 1; i <= kCards; ++i) {
            cards.create(i).setVisible(true);
        }
        window.timer("Slow").setEnabled(true);
        window.after(10, [] {});
    }

    void expectFresh() {
        ASSERT_TRUE(window.loaded());
        EXPECT_EQ(window.at("Score").caption(), "0");
        EXPECT_TRUE(window.at("Table").visible());
        EXPECT_EQ(window.at("Card", 0).tag(), "");
        EXPECT_FALSE(window.at("Card", 0).handlesMouse());
        EXPECT_EQ(window.find("Card", 1), nullptr);
        EXPECT_EQ(window.elements().size(), 3u);
        EXPECT_EQ(window.at("Table").children().size(), 1u);
        EXPECT_EQ(ElementArray(window, "Card").end(), 1);
        EXPECT_TRUE(window.timer("Blink").running());
        EXPECT_FALSE(window.timer("Slow").running());
        EXPECT_EQ(window.pendingDelays(), 0u);
        EXPECT_EQ(loop.runningTimers(), 1u);
    }
};

// A handler that plays again unloads and reloads its own window: the old load's objects stay
// usable (and dead) until it returns, and every later load, also one that reuses them, starts
// from the layout.
TEST_F(LoadReuseTest, ALoadAfterAnUnloadFromInsideAHandlerStartsFromTheLayout) {
    window.show();
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        playARound();
        Element& score = window.at("Score");
        Element& member = window.at("Card", kCards);
        bool ran = false;
        score.onClick = [&](int) {
            window.unload();
            window.show();
            ran = true;
            EXPECT_FALSE(score.alive());
            EXPECT_FALSE(member.alive());
            EXPECT_EQ(score.caption(), "52") << "the old load is intact until the handler returns";
            expectFresh();
        };
        window.click(score);
        ASSERT_TRUE(ran);
        loop.advanceBy(2000);
        expectFresh();
    }
}

TEST_F(LoadReuseTest, MembersAreCreatedAndRetiredAtEveryIndexLoadAfterLoad) {
    for (int load = 0; load < 3; ++load) {
        window.load();
        ElementArray cards(window, "Card");
        // Every other load creates them from the top down.
        for (int n = 1; n <= kCards; ++n) {
            const int i = load % 2 == 0 ? n : kCards + 1 - n;
            Element& member = cards.create(i);
            EXPECT_EQ(&cards[i], &member);
            EXPECT_EQ(window.find("Card", i), &member);
            EXPECT_EQ(window.at("Table").children().front(), &member);
            EXPECT_FALSE(member.visible());
            EXPECT_EQ(member.picture(), "back");
            EXPECT_THROW(cards.create(i), std::logic_error);
        }
        EXPECT_EQ(cards.end(), kCards + 1);
        EXPECT_EQ(window.elements().size(), 3u + kCards);
        window.unload();
        loop.advanceBy(0);
        EXPECT_EQ(window.find("Card", 1), nullptr);
    }
}

TEST_F(LoadReuseTest, TicksDelaysAndTimerRestartsInVirtualTimeAllocateNothing) {
    window.load();
    int ticks = 0;
    int steps = 0;
    // A chain of short delays, as the reveal of a table makes, beside a blinking timer that a
    // move stops and starts again.
    struct Step {
        Window* window;
        int* steps;
        void operator()() const {
            if (++*steps % 100 != 0) {
                window->after(15, *this);
            }
        }
    };
    window.timer("Blink").onTick = [&ticks] { ++ticks; };
    Timer& slow = window.timer("Slow");
    slow.onTick = [&slow] {
        slow.setEnabled(false);
        slow.setEnabled(true);
    };
    slow.setEnabled(true);
    window.after(15, Step{&window, &steps});
    loop.advanceBy(2000);  // the first chain makes the slots it needs
    const long before = allocations;
    window.after(15, Step{&window, &steps});
    loop.advanceBy(10'000);
    EXPECT_EQ(allocations - before, 0);
    EXPECT_EQ(steps, 200);
    EXPECT_EQ(ticks, 24);
}

}  // namespace
}  // namespace koropika
