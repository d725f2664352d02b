#include "ui/elements/window.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/recording_desktop.h"
#include "ui/elements/element_array.h"
#include "ui/elements/virtual_event_loop.h"

namespace koropika {
namespace {

WindowLayout sampleLayout() {
    WindowLayout layout;
    layout.name = "sample";
    layout.caption = "sample window";
    layout.designedClient = {300, 200};
    auto add = [&](std::string name, int index, ElementKind kind, std::string container, Rect r,
                   ElementProperties p = {}) {
        p.rect = r;
        layout.elements.push_back({std::move(name), index, kind, std::move(container), p});
    };
    ElementProperties label;
    label.caption = "text";
    label.autoSize = true;
    label.font.points = 12;
    add("Title", -1, ElementKind::Label, "", {5, 5, 40, 16}, label);
    add("Panel", -1, ElementKind::Panel, "", {100, 100, 150, 80});
    add("Inner", -1, ElementKind::Picture, "Panel", {10, 10, 30, 30});
    add("Card", 0, ElementKind::Picture, "", {0, 0, 300, 200});  // behind everything
    layout.timers = {{"Blink", 500, true}, {"Slow", 1000, false}};
    layout.menus = {{"終了", "終了"}};
    layout.imageLists = {{"Faces", -1, {55, 72}, {"face_a", "face_b"}}};
    return layout;
}

class WindowTest : public ::testing::Test {
  protected:
    WindowLayout layout = sampleLayout();
    VirtualEventLoop loop;
    testing::RecordingDesktop desktop;
    Window window{layout, loop, desktop};
};

TEST_F(WindowTest, LoadCreatesEveryElementTimerMenuAndImageListAsDescribed) {
    window.load();
    EXPECT_EQ(window.at("Title").caption(), "text");
    EXPECT_EQ(window.at("Inner").container(), &window.at("Panel"));
    EXPECT_EQ(window.at("Inner").windowRect(), (Rect{110, 110, 30, 30}));
    EXPECT_TRUE(window.timer("Blink").running());
    EXPECT_FALSE(window.timer("Slow").running());
    EXPECT_EQ(window.timer("Slow").interval(), 1000);
    EXPECT_EQ(window.menu("終了").caption(), "終了");
    EXPECT_EQ(window.imageList("Faces").picture(1), "face_a");
    EXPECT_EQ(window.imageList("Faces").picture(2), "face_b");
    EXPECT_EQ(window.imageList("Faces").picture(3), "");
    EXPECT_EQ(window.imageList("Faces").picture(0), "");
    EXPECT_EQ(window.topLevel().front()->name(), "Title");
}

TEST_F(WindowTest, ReloadingDiscardsEveryRunTimeChangeAndMember) {
    int loads = 0;
    window.onLoad = [&] { ++loads; };
    window.show();
    window.at("Title").setCaption("changed");
    window.at("Panel").setVisible(false);
    window.createMember("Card", 3);
    window.timer("Slow").setEnabled(true);
    window.unload();
    EXPECT_FALSE(window.loaded());
    EXPECT_TRUE(desktop.onScreen.empty());
    EXPECT_EQ(loop.runningTimers(), 0u);
    window.show();
    EXPECT_EQ(loads, 2);
    EXPECT_EQ(window.at("Title").caption(), "text");
    EXPECT_TRUE(window.at("Panel").visible());
    EXPECT_EQ(window.find("Card", 3), nullptr);
    EXPECT_FALSE(window.timer("Slow").running());
    EXPECT_EQ(loop.runningTimers(), 1u);
}

TEST_F(WindowTest, ArrayMembersAreHiddenCopiesOfTheTemplateSharingItsHandler) {
    window.load();
    Element& model = window.at("Card", 0);
    model.setPicture("back");
    model.setTag("7");
    std::vector<int> clicked;
    model.onClick = [&](int index) { clicked.push_back(index); };
    Element& member = window.createMember("Card", 5);
    EXPECT_FALSE(member.visible());
    EXPECT_EQ(member.picture(), "back");
    EXPECT_EQ(member.tag(), "7");
    EXPECT_EQ(member.rect(), model.rect());
    EXPECT_EQ(window.topLevel().front(), &member);
    window.click(member);
    EXPECT_TRUE(clicked.empty()) << "nobody can click what is not on screen";
    member.setVisible(true);
    window.click(member);
    EXPECT_EQ(clicked, std::vector<int>{5});
    EXPECT_THROW(window.createMember("Card", 5), std::logic_error);
}

// An array shares one set of handlers: a member runs the template's as they are when it is
// used, unless it has one of its own; a reload starts every member without any.
TEST_F(WindowTest, MembersRunTheTemplatesHandlersUnlessGivenTheirOwn) {
    window.load();
    std::vector<std::string> log;
    Element& model = window.at("Card", 0);
    model.onClick = [&](int index) { log.push_back("old " + std::to_string(index)); };
    Element& plain = window.createMember("Card", 1);
    Element& own = window.createMember("Card", 2);
    own.onMouseDown = [&](int index, const MouseEvent&) {
        log.push_back("own " + std::to_string(index));
    };
    model.onClick = [&](int index) { log.push_back("new " + std::to_string(index)); };
    plain.setVisible(true);
    own.setVisible(true);
    EXPECT_TRUE(plain.handlesMouse());
    window.click(plain);
    window.click(own);
    EXPECT_EQ(log, (std::vector<std::string>{"new 1", "own 2", "new 2"}));
    window.unload();
    window.load();
    EXPECT_FALSE(window.createMember("Card", 2).handlesMouse()) << "a reload drops them all";
}

// A reload makes the elements afresh from the layout, texts included, however they are read;
// setting a text to what the layout has is no change, anything else is.
TEST_F(WindowTest, AReloadedElementsTextsReadAsTheLayoutsAndChangesFromThereAreNews) {
    struct Counting : WindowObserver {
        void elementChanged(Element&) override { ++changes; }
        int changes = 0;
    } observer;
    window.load();
    Element& inner = window.at("Inner");
    inner.setPicture("face_a");
    inner.setTag("7");
    inner.setAccessibleName("中");
    window.unload();
    loop.runPending();  // the load is let go
    window.load();
    window.setObserver(&observer);
    Element& again = window.at("Inner");
    EXPECT_EQ(again.properties().picture, "");
    EXPECT_EQ(again.tag(), "");
    EXPECT_EQ(again.accessibleName(), "");
    window.unload();
    loop.runPending();  // the load is let go
    window.load();
    Element& third = window.at("Inner");
    third.setPicture("");
    third.setAccessibleName("");
    EXPECT_EQ(observer.changes, 0) << "the layout's own values change nothing";
    third.setPicture("face_a");
    third.setAccessibleName("中");
    EXPECT_EQ(observer.changes, 2);
    EXPECT_EQ(third.picture(), "face_a");
    EXPECT_EQ(third.properties().accessibleName, "中");
    window.setObserver(nullptr);
}

TEST_F(WindowTest, UnloadCancelsTimersAndContinuationsOfThatLoad) {
    window.load();
    int ticks = 0;
    int continuations = 0;
    window.timer("Blink").onTick = [&] { ++ticks; };
    window.post([&] { ++continuations; });
    window.unload();
    window.load();
    loop.advance(499);
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(continuations, 0);
}

TEST_F(WindowTest, ChangingTheIntervalOfARunningTimerStartsItsCountAgain) {
    window.load();
    std::vector<std::int64_t> ticks;
    window.timer("Blink").onTick = [&] { ticks.push_back(loop.nowMs()); };
    loop.advance(400);
    window.timer("Blink").setInterval(100);
    loop.advance(200);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{500, 600}));
    window.timer("Blink").setEnabled(false);
    loop.advance(1000);
    EXPECT_EQ(ticks.size(), 2u);
}

TEST_F(WindowTest, AReleaseGoesToTheElementThatTookThePress) {
    window.load();
    std::vector<std::string> log;
    Element& inner = window.at("Inner");
    inner.onMouseDown = [&](int, const MouseEvent& e) {
        log.push_back("down " + std::to_string(e.position.x));
    };
    inner.onMouseUp = [&](int, const MouseEvent&) { log.push_back("up"); };
    inner.onClick = [&](int) { log.push_back("click"); };
    window.at("Card", 0).onMouseUp = [&](int, const MouseEvent&) { log.push_back("card up"); };

    window.pointerPressed({115, 115}, MouseButton::Left);
    window.pointerMoved({5, 190});
    window.pointerReleased({5, 190}, MouseButton::Left);  // released far away, over Card
    EXPECT_EQ(log, (std::vector<std::string>{"down 5", "up"}));

    log.clear();
    window.pointerPressed({115, 115}, MouseButton::Right);
    window.pointerReleased({115, 115}, MouseButton::Right);
    EXPECT_EQ(log, (std::vector<std::string>{"down 5", "up"})) << "no click for the right button";

    log.clear();
    window.pointerPressed({115, 115}, MouseButton::Left);
    window.pointerReleased({116, 116}, MouseButton::Left);
    EXPECT_EQ(log, (std::vector<std::string>{"down 5", "up", "click"}));
}

TEST_F(WindowTest, ASecondButtonKeepsTheCaptureButALostReleaseDoesNotDeafenTheWindow) {
    window.load();
    std::vector<std::string> log;
    window.at("Inner").onMouseUp = [&](int, const MouseEvent&) { log.push_back("inner up"); };
    window.at("Card", 0).onMouseUp = [&](int, const MouseEvent&) { log.push_back("card up"); };
    window.pointerPressed({115, 115}, MouseButton::Left);
    window.pointerPressed({5, 190}, MouseButton::Right);
    window.pointerReleased({5, 190}, MouseButton::Right);
    EXPECT_TRUE(log.empty()) << "the right button never had the capture";
    window.pointerPressed({5, 190}, MouseButton::Left);  // the left release never came
    window.pointerReleased({5, 190}, MouseButton::Left);
    EXPECT_EQ(log, std::vector<std::string>{"card up"});
}

TEST_F(WindowTest, PanelsLieInFrontOfPlainElementsAndHandlerlessElementsIgnoreTheMouse) {
    window.load();
    EXPECT_EQ(window.elementAt({120, 120}), &window.at("Inner"));
    EXPECT_EQ(window.elementAt({200, 170}), &window.at("Panel"));
    EXPECT_EQ(window.elementAt({10, 10}), &window.at("Title"));
    int cardClicks = 0;
    window.at("Card", 0).onClick = [&](int) { ++cardClicks; };
    window.pointerPressed({10, 10}, MouseButton::Left);  // on Title, which has no handler
    window.pointerReleased({10, 10}, MouseButton::Left);
    EXPECT_EQ(cardClicks, 0);
    window.pointerPressed({60, 60}, MouseButton::Left);
    window.pointerReleased({60, 60}, MouseButton::Left);
    EXPECT_EQ(cardClicks, 1);
    window.at("Panel").setVisible(false);
    EXPECT_EQ(window.elementAt({120, 120}), &window.at("Card", 0));
}

TEST_F(WindowTest, AHandlerMayUnloadAndReloadItsOwnWindow) {
    window.show();
    int clicks = 0;
    window.onLoad = [&] {
        window.at("Inner").onMouseUp = [&](int, const MouseEvent&) {
            window.unload();
            window.show();
        };
        window.at("Inner").onClick = [&](int) { ++clicks; };
    };
    window.unload();
    window.show();
    window.pointerPressed({115, 115}, MouseButton::Left);
    window.pointerReleased({115, 115}, MouseButton::Left);
    EXPECT_EQ(clicks, 0) << "the click belonged to the unloaded elements";
    EXPECT_TRUE(window.loaded());
    EXPECT_EQ(desktop.onScreen.size(), 1u);
    loop.runPending();  // frees the old elements
}

TEST_F(WindowTest, LabelsSizedToTheirTextFollowTheCaptionOthersKeepTheirRectangle) {
    window.load();
    Element& title = window.at("Title");
    EXPECT_EQ(title.rect(), (Rect{5, 5, 32, 20})) << "fitted to its text at load";
    title.setCaption("longer caption");
    const int longWidth = title.width();
    title.setCaption("ab");
    EXPECT_LT(title.width(), longWidth);
    EXPECT_EQ(title.left(), 5);
    Element& inner = window.at("Inner");
    inner.setCaption("whatever");
    EXPECT_EQ(inner.rect(), (Rect{10, 10, 30, 30}));
}

TEST_F(WindowTest, TheAccessibleNameIsTheCaptionUntilOneIsGivenAndTheObserverHearsOfIt) {
    struct Counting : WindowObserver {
        void elementChanged(Element&) override { ++changes; }
        int changes = 0;
    } observer;
    window.load();
    window.setObserver(&observer);
    Element& title = window.at("Title");
    EXPECT_EQ(title.accessibleName(), "text");
    title.setAccessibleName("見出し");
    title.setCaption("new text");
    EXPECT_EQ(title.accessibleName(), "見出し");
    EXPECT_EQ(observer.changes, 2);
    title.setAccessibleName("見出し");
    EXPECT_EQ(observer.changes, 2) << "no change, no news";
    title.setAccessibleName("");
    EXPECT_EQ(title.accessibleName(), "new text");
    EXPECT_EQ(observer.changes, 3);
    window.setObserver(nullptr);
    window.unload();
    window.load();
    EXPECT_EQ(window.at("Title").accessibleName(), "text") << "a reload starts from the layout";
}

// An accessible name counts as one change, a later name wins, and a reload starts from the layout.
TEST_F(WindowTest, AnAccessibleNameGoesWithAReloadOrALaterName) {
    struct Counting : WindowObserver {
        void elementChanged(Element&) override { ++changes; }
        int changes = 0;
    } observer;
    window.load();
    window.setObserver(&observer);
    Element& title = window.at("Title");
    title.setAccessibleName("カード 7");
    EXPECT_EQ(observer.changes, 1);
    EXPECT_EQ(title.accessibleName(), "カード 7");
    title.setAccessibleName("見出し");
    EXPECT_EQ(title.accessibleName(), "見出し") << "a later name wins";
    window.setObserver(nullptr);
    window.unload();
    window.load();
    EXPECT_EQ(window.at("Title").accessibleName(), "text") << "a reload starts from the layout";
}

TEST_F(WindowTest, ComboBoxesKeepTheirTextAndSelection) {
    WindowLayout combos;
    combos.name = "combos";
    combos.elements.push_back({"Name", -1, ElementKind::ComboBox, "", {}});
    combos.elements.push_back({"Level", -1, ElementKind::DropDownList, "", {}});
    Window w{combos, loop, desktop};
    w.load();
    Element& name = w.at("Name");
    Element& level = w.at("Level");
    int picks = 0;
    name.onClick = [&](int) { ++picks; };
    name.addItem("たろう");
    name.addItem("花子");
    w.pickItem(name, 1);
    EXPECT_EQ(name.text(), "花子");
    EXPECT_EQ(picks, 1);
    w.typeText(name, "花子さん");
    EXPECT_EQ(name.selectedIndex(), -1);
    EXPECT_EQ(picks, 1) << "typing is no pick";
    level.addItem("レベル 1");
    level.addItem("レベル 2");
    level.setText("レベル 2");
    EXPECT_EQ(level.selectedIndex(), 1);
    level.setText("no such entry");
    EXPECT_EQ(level.text(), "");
    w.typeText(level, "typed");
    EXPECT_EQ(level.text(), "") << "a drop-down list takes no typed text";
}

}  // namespace
}  // namespace koropika

namespace koropika {
namespace {

// Each kind of handler unloads its own window; the handler's own objects stay usable until it
// returns, and nothing of that load runs afterwards.
TEST_F(WindowTest, EveryKindOfHandlerMayUnloadItsOwnWindowAndNothingOfThatLoadRunsAgain) {
    int lateRuns = 0;
    const auto armLateWork = [&] {
        window.post([&] { ++lateRuns; });
        window.after(10, [&] { ++lateRuns; });
        window.timer("Slow").onTick = [&] { ++lateRuns; };
        window.timer("Slow").setEnabled(true);
    };
    const auto unloadInside = [&](const std::function<void()>& arm) {
        window.load();
        arm();
        loop.advanceBy(5000);
        EXPECT_FALSE(window.loaded());
        EXPECT_EQ(loop.runningTimers(), 0u);
        EXPECT_EQ(loop.pendingTasks(), 0u);
    };
    // A menu choice.
    unloadInside([&] {
        MenuItem& quit = window.menu("終了");
        quit.onClick = [&] {
            armLateWork();
            window.unload();
            EXPECT_EQ(quit.caption(), "終了");  // still alive until the handler returns
        };
        quit.choose();
    });
    // A mouse release.
    unloadInside([&] {
        Element& card = window.at("Card", 0);
        card.onMouseUp = [&](int, const MouseEvent&) {
            armLateWork();
            window.unload();
            EXPECT_EQ(card.name(), "Card");
        };
        card.onClick = [&](int) { ++lateRuns; };  // the click is gone with the window
        window.click(card);
    });
    // A timer tick, stopping and restarting timers of the gone load.
    unloadInside([&] {
        Timer& blink = window.timer("Blink");
        blink.onTick = [&] {
            armLateWork();
            window.unload();
            blink.setEnabled(false);
            blink.setEnabled(true);
            blink.setInterval(10);
        };
    });
    // A delayed call that leaves a delay and a post behind.
    unloadInside([&] {
        window.after(100, [&] {
            armLateWork();
            window.unload();
            window.post([&] { ++lateRuns; });
        });
    });
    EXPECT_EQ(lateRuns, 0);
}

TEST_F(WindowTest, ADelayRunsOnceAfterItsTimeAndDiesWithItsLoad) {
    window.load();
    std::vector<std::int64_t> runs;
    window.after(15, [&] { runs.push_back(loop.nowMs()); });
    loop.advanceBy(14);
    EXPECT_TRUE(runs.empty());
    loop.advanceBy(100);
    EXPECT_EQ(runs, (std::vector<std::int64_t>{15}));
    window.after(15, [&] { runs.push_back(loop.nowMs()); });
    window.unload();
    window.load();
    loop.advanceBy(100);
    EXPECT_EQ(runs.size(), 1u);
}

// A window held while another one has the player's attention: nothing it scheduled runs, and
// everything goes on where it was once resumed.
TEST_F(WindowTest, HeldTimersDelaysAndTasksGoOnWhereTheyWereWhenResumed) {
    window.load();
    std::vector<std::string> runs;
    const auto at = [&](const char* what) { return what + std::to_string(loop.nowMs()); };
    window.timer("Blink").onTick = [&] { runs.push_back(at("blink@")); };
    loop.advanceBy(200);  // 300 ms left to the first blink
    window.after(100, [&] { runs.push_back(at("delay@")); });
    window.holdTimers();
    window.post([&] { runs.push_back(at("task@")); });
    EXPECT_TRUE(window.timersHeld());
    loop.advanceBy(5000);
    EXPECT_TRUE(runs.empty());
    window.resumeTimers();  // at 5200
    loop.advanceBy(800);
    EXPECT_EQ(runs,
              (std::vector<std::string>{"task@5200", "delay@5300", "blink@5500", "blink@6000"}));
}

TEST_F(WindowTest, ATimerStartedOrStoppedWhileHeldCountsAfreshFromTheResume) {
    window.load();
    std::vector<std::int64_t> slow;
    std::vector<std::int64_t> blink;
    window.timer("Slow").onTick = [&] { slow.push_back(loop.nowMs()); };
    window.timer("Blink").onTick = [&] { blink.push_back(loop.nowMs()); };
    window.holdTimers();
    window.timer("Slow").setEnabled(true);
    window.timer("Blink").setEnabled(false);
    loop.advanceBy(3000);
    window.resumeTimers();
    loop.advanceBy(1000);
    EXPECT_EQ(slow, (std::vector<std::int64_t>{4000}));
    EXPECT_TRUE(blink.empty());
    // A new load is not held.
    window.holdTimers();
    window.unload();
    window.load();
    EXPECT_FALSE(window.timersHeld());
}

// A step that schedules the next one runs once per step, and a run that unloads its window takes
// every delay of that load with it.
TEST_F(WindowTest, ChainedDelaysRunOncePerStepAndDieWithTheirLoad) {
    window.load();
    std::vector<std::int64_t> steps;
    std::function<void()> step = [&] {
        steps.push_back(loop.nowMs());
        if (steps.size() < 3) {
            window.after(15, step);
        }
    };
    window.after(15, step);
    EXPECT_EQ(window.pendingDelays(), 1u);
    loop.advanceBy(1000);
    EXPECT_EQ(steps, (std::vector<std::int64_t>{15, 30, 45}));
    EXPECT_EQ(window.pendingDelays(), 0u);

    // A run that adds delays and unloads its window: nothing of that load runs again.
    int lateRuns = 0;
    window.after(10, [&] {
        for (int i = 0; i < 40; ++i) {
            window.after(5, [&] { ++lateRuns; });
        }
        window.unload();
        window.after(5, step);
    });
    loop.advanceBy(1000);
    EXPECT_FALSE(window.loaded());
    EXPECT_EQ(loop.runningTimers(), 0u);
    window.load();
    loop.advanceBy(1000);
    EXPECT_EQ(lateRuns, 0);
    EXPECT_EQ(steps.size(), 3u);
    EXPECT_EQ(window.pendingDelays(), 0u);
}

TEST_F(WindowTest, AMisspeltArrayNameFailsWhenTheArrayIsBound) {
    window.load();
    EXPECT_THROW(ElementArray(window, "Crad"), std::logic_error);
    ElementArray cards(window, "Card");
    Element& third = cards.create(3);
    EXPECT_EQ(&cards[3], &third);
    EXPECT_FALSE(cards.has(2));
    EXPECT_THROW(cards[2], std::out_of_range);
}

// A label beyond the client area shows only once the window grows: the load leaves it at its
// designed size, so that the first window on screen need not load its font. It is sized to its
// text when the window grows over it, or half a second after the load; an unload before that
// measures nothing.
TEST(WindowMeasuringTest, ALabelBeyondTheClientIsSizedWhenTheWindowGrowsOverItOrOnceOnScreen) {
    WindowLayout layout = sampleLayout();
    ElementProperties footer;
    footer.caption = "beyond";
    footer.autoSize = true;
    footer.font.points = 12;
    footer.rect = {10, 100, 40, 16};  // inside the panel at top 100: just below the client
    layout.elements.push_back({"Footer", -1, ElementKind::Label, "Panel", footer});
    footer.caption = "edge";
    footer.rect = {290, 190, 40, 16};  // partly inside
    layout.elements.push_back({"Edge", -1, ElementKind::Label, "", footer});
    VirtualEventLoop loop;
    testing::RecordingDesktop desktop;
    Window window{layout, loop, desktop};
    const Size footerSize = desktop.measureText(footer.font, "beyond");
    const Rect measured{10, 100, footerSize.width, footerSize.height};
    desktop.measuredTexts.clear();
    const std::vector<std::string> shownPart = {"text", "edge"};

    window.show();
    EXPECT_EQ(desktop.measuredTexts, shownPart);
    EXPECT_EQ(window.at("Footer").rect(), (Rect{10, 100, 40, 16}));
    window.setHeightTwips(window.heightTwips() - 10 * kTwipsPerPixel);
    window.setHeightTwips(window.heightTwips() + 10 * kTwipsPerPixel);  // back, not over it
    loop.advance(499);
    EXPECT_EQ(desktop.measuredTexts, shownPart);
    loop.advance(1);
    EXPECT_EQ(window.at("Footer").rect(), measured);

    window.unload();
    window.show();
    window.setHeightTwips(window.heightTwips() + 20 * kTwipsPerPixel);
    EXPECT_EQ(window.at("Footer").rect(), measured) << "measured as the window grew over it";

    window.unload();
    desktop.measuredTexts.clear();
    window.show();
    window.unload();
    loop.advance(1000);
    EXPECT_EQ(desktop.measuredTexts, shownPart);
}

TEST_F(WindowTest, ALoadStepsMeasuringOfALabelBeyondTheClientWaitsLikeTheLabelsOwn) {
    ElementProperties note;
    note.rect = {10, 100, 40, 16};  // inside the panel at top 100: just below the client
    layout.elements.push_back({"Note", -1, ElementKind::Label, "Panel", note});
    std::vector<std::string> measured;
    window.onLoad = [&] {
        window.measureWhenReached(window.at("Note"), [&] { measured.emplace_back("Note"); });
        window.measureWhenReached(window.at("Panel"), [&] { measured.emplace_back("Panel"); });
    };
    window.show();
    EXPECT_EQ(measured, std::vector<std::string>{"Panel"});
    window.setHeightTwips(window.heightTwips() + 20 * kTwipsPerPixel);
    EXPECT_EQ(measured, (std::vector<std::string>{"Panel", "Note"}));
}

}  // namespace
}  // namespace koropika
