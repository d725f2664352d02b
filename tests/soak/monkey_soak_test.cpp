// A monkey plays the whole program headless in virtual time: random clicks on any element at
// random moments (during sounds, the reveal, the result stacks and the dice roll), random menu
// choices, card back choices, close boxes and settings-window starts. After every event the
// table's rules hold, no timer runs for a window that is not loaded, and the end of a run is
// asked for once. Run in the sanitizer build it also shows that no handler touches a window
// that has gone. The number of dealt tables is small in a quick run and larger in the full one;
// KOROPIKA_SOAK_ROUNDS sets another number.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "support/game_driver.h"
#include "support/harness.h"
#include "support/test_size.h"

namespace koropika {
namespace {

using testing::GameDriver;
using testing::Harness;

struct Figures {
    long runs = 0;
    long rounds = 0;          // tables dealt
    long finishedRounds = 0;  // tables played to the result stacks
    long events = 0;
    long endedRuns = 0;
};

long roundsWanted() {
    const char* value = std::getenv("KOROPIKA_SOAK_ROUNDS");
#ifdef __SANITIZE_ADDRESS__
    const long rounds = test::testSize(15L, 40L);  // the sanitizer build runs several times slower
#else
    const long rounds = test::testSize(40L, 150L);
#endif
    return value != nullptr ? std::atol(value) : rounds;
}

class Monkey {
  public:
    Monkey(std::uint64_t seed, Figures& figures) : random_(seed), figures_(figures) {}

    // One run of the program from its start until it ends or `roundsLeft` tables were dealt.
    void playOneRun(long roundsLeft) {
        run_ = std::make_unique<Harness>();
        firstSeed_ = random_() >> 1;
        run_->nextSeed = firstSeed_;
        finishedSeed_ = 0;
        driver_ = std::make_unique<GameDriver>(*run_);
        ++figures_.runs;
        if (chance(0.3)) {
            run_->folder().write("name.txt", " 2 \r\nA\r\nB\r\n");
        }
        run_->program().start();
        checkEverything();
        while (!ended() && roundsThisRun() < roundsLeft && !::testing::Test::HasFailure()) {
            oneEvent();
            ++figures_.events;
            checkEverything();
            waitARandomMoment();
        }
        figures_.rounds += roundsThisRun();
        if (ended()) {
            ++figures_.endedRuns;
            // The program is asked to end once; the front end then stops the loop, so the
            // monkey stops here too.
            EXPECT_EQ(run_->desktop.endRequests, 1);
        }
        driver_.reset();
        run_.reset();
    }

    long invariantChecks() const { return invariantChecks_; }

  private:
    // Each load of the game window deals a table from the next seed.
    long roundsThisRun() const { return static_cast<long>(run_->nextSeed - firstSeed_); }

    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
    int below(int n) { return static_cast<int>(random_() % static_cast<std::uint64_t>(n)); }
    bool ended() const { return run_->desktop.endRequests > 0; }
    bool gameOnScreen() {
        return run_->desktop.onScreen.size() == 1 &&
               run_->desktop.onScreen.front() == &run_->gameWindow();
    }

    void checkEverything() {
        if (ended()) {
            return;
        }
        ASSERT_EQ(run_->desktop.onScreen.size(), 1u) << "exactly one window is on screen";
        if (run_->program().gameWindow().elements() != nullptr && run_->gameWindow().loaded()) {
            driver_->checkInvariants();
            ++invariantChecks_;
            if (run_->program().gameWindow().resultStacksBuilt() &&
                finishedSeed_ != run_->nextSeed) {
                finishedSeed_ = run_->nextSeed;
                ++figures_.finishedRounds;
            }
        }
        // Every running timer belongs to a loaded window: one of its timers or its delays.
        std::size_t running = 0;
        for (Window* window : {&run_->settingsWindow(), &run_->gameWindow()}) {
            if (window->loaded()) {
                running += window->pendingDelays();
                for (const auto& timer : window->timers()) {
                    running += timer->running() ? 1 : 0;
                }
            }
        }
        ASSERT_EQ(run_->loop.runningTimers(), running) << "a timer runs for an unloaded window";
    }

    void waitARandomMoment() {
        if (ended()) {
            return;
        }
        const int kind = below(10);
        const std::int64_t ms = kind < 3   ? 0
                                : kind < 6 ? below(120)
                                : kind < 9 ? below(1500)
                                           : below(6000);
        run_->loop.runUntil(
            [&] {
                if (!ended()) {
                    checkEverything();
                }
                return ended() || ::testing::Test::HasFailure();
            },
            ms);
    }

    void oneEvent() {
        Window& window = run_->windowOnScreen();
        if (gameOnScreen()) {
            gameEvent(window);
        } else {
            settingsEvent(window);
        }
    }

    void settingsEvent(Window& window) {
        static const std::vector<std::string> names = {
            "たろう", "A", "B", "はなこ～", "", "𠮷田", std::string(200, 'x')};
        const int kind = below(100);
        if (kind < 25) {
            run_->type("Combo1",
                       names[static_cast<std::size_t>(below(static_cast<int>(names.size())))]);
        } else if (kind < 35 && !window.at("Combo1").items().empty()) {
            run_->pick("Combo1", below(static_cast<int>(window.at("Combo1").items().size())));
        } else if (kind < 45) {
            run_->pick("Combo2", below(6));
        } else if (kind < 80) {
            if (window.at("Combo1").text().empty() || chance(0.1)) {
                run_->type("Combo1", "たろう");
            }
            static const char* labels[] = {"Label8", "Label9", "Label10"};
            run_->pressAndRelease(labels[below(3)]);
        } else if (kind < 98) {
            clickAnything(window);
        } else {
            window.closeBoxClicked();
            run_->settle();
        }
    }

    void gameEvent(Window& window) {
        GameWindow& game = run_->program().gameWindow();
        if (moodSeed_ != run_->nextSeed) {
            // Each table gets a mood: most are played through to the result panel, the rest
            // are left early in every way there is.
            moodSeed_ = run_->nextSeed;
            calm_ = chance(0.75);
        }
        const int kind = below(1000);
        const bool leave = calm_ ? below(1000) == 0 : kind >= 940;
        if (leave) {
            const int way = below(10);
            if (way < 6) {
                chooseMenu(window, "設定に戻る");
            } else if (way < 8) {
                chooseMenu(window, "終了");
            } else {
                window.closeBoxClicked();
                run_->settle();
            }
        } else if (kind < 500) {
            // A face-down card, as a person playing would.
            std::vector<int> down;
            for (int slot = 1; slot <= game.engine().table().cardCount(); ++slot) {
                if (window.find("omote1", slot) != nullptr && window.at("omote1", slot).visible()) {
                    down.push_back(slot);
                }
            }
            if (!down.empty()) {
                run_->click("omote1",
                            down[static_cast<std::size_t>(below(static_cast<int>(down.size())))]);
                return;
            }
            clickAnything(window);
        } else if (kind < 820) {
            clickAnything(window);
        } else if (kind < 900) {
            pressSomewhere(window);
        } else if (kind < 930) {
            chooseMenu(window, "カード選択");
        } else {
            run_->loop.advanceBy(below(3) * 1000);
        }
    }

    void chooseMenu(Window& window, const std::string& name) {
        if (window.menu(name).enabled()) {
            run_->chooseMenu(name);
        }
    }

    // A click on any element a person could see, anywhere in the window.
    void clickAnything(Window& window) {
        std::vector<Element*> visible;
        for (Element* element : window.elements()) {
            if (element->visible()) {
                visible.push_back(element);
            }
        }
        if (visible.empty()) {
            return;
        }
        Element& element =
            *visible[static_cast<std::size_t>(below(static_cast<int>(visible.size())))];
        window.click(element);
        run_->settle();
    }

    void pressSomewhere(Window& window) {
        const Point at{below(std::max(1, window.widthTwips() / 15)),
                       below(std::max(1, window.heightTwips() / 15))};
        window.pointerMoved(at);
        window.pointerPressed(at, chance(0.9) ? MouseButton::Left : MouseButton::Right);
        if (chance(0.5)) {
            run_->settle();  // the release comes a moment later
        }
        if (!ended() && run_->desktop.onScreen.size() == 1 &&
            run_->desktop.onScreen.front() == &window) {
            window.pointerReleased(at, MouseButton::Left);
        }
        run_->settle();
    }

    std::mt19937_64 random_;
    Figures& figures_;
    std::unique_ptr<Harness> run_;
    std::unique_ptr<GameDriver> driver_;
    long invariantChecks_ = 0;
    std::uint64_t firstSeed_ = 0;
    std::uint64_t finishedSeed_ = 0;
    std::uint64_t moodSeed_ = 0;
    bool calm_ = true;
};

TEST(MonkeySoak, RandomPlayKeepsTheTableRulesAndLeavesNoTimerOrHandlerBehind) {
    const long wanted = roundsWanted();
    Figures figures;
    const auto started = std::chrono::steady_clock::now();
    Monkey monkey(20240611, figures);
    long driverChecks = 0;
    while (figures.rounds < wanted && !HasFailure()) {
        monkey.playOneRun(wanted - figures.rounds);
    }
    driverChecks = monkey.invariantChecks();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::cout << "[ soak     ] " << figures.rounds << " rounds dealt, " << figures.finishedRounds
              << " played to the end, " << figures.runs << " runs (" << figures.endedRuns
              << " ended by 終了 or a close box), " << figures.events << " events, " << driverChecks
              << " invariant checks, " << seconds << " s\n";
    EXPECT_GE(figures.rounds, wanted);
}

}  // namespace
}  // namespace koropika
