// The round in play kept in the records file after every card and continued by the next run:
// a run killed at random moments, closed by its close box or 終了, a kept round declined or left,
// and two runs at once in one folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <vector>

#include "records/records_store.h"
#include "support/game_driver.h"
#include "support/harness.h"
#include "support/test_size.h"
#include "ui/game_window/game_window.h"

namespace koropika {
namespace {

using testing::GameDriver;
using testing::Harness;

// The records store of a run, noting the engine and its source as each resolved move (or the
// start of play) left them: what a run killed now would be continued from.
class WatchedArchive final : public RoundArchive {
  public:
    WatchedArchive(Harness& run, const std::string& folder) : run_(run), store(folder) {}

    bool record(const RoundRecord& round) override { return store.record(round); }
    bool keep(const KeptRound& round) override {
        if (round.resolvedTurns == static_cast<int>(round.turns.size())) {
            resolved = Snapshot{run_.program().gameWindow().engine(), run_.random};
        }
        return store.keep(round);
    }
    std::optional<KeptRound> claimKept() override { return store.claimKept(); }
    void dropKept() override { store.dropKept(); }

    struct Snapshot {
        RoundEngine engine;
        SeededRandom random;
    };

  private:
    Harness& run_;

  public:
    records::RecordsStore store;
    std::optional<Snapshot> resolved;
};

// Hears what a window announces, as a screen reader would.
class Heard final : public WindowObserver {
  public:
    void announced(Window&, const std::string& text) override { said.push_back(text); }
    std::vector<std::string> said;
};

// One run of the program with its records in its own folder.
struct RunOfTheGame {
    RunOfTheGame() { harness.program().useArchive(archive); }

    GameWindow& game() { return harness.program().gameWindow(); }
    std::vector<RoundRecord> rounds(const std::string& player) {
        return archive.store.lastRounds(player, 100).value_or(std::vector<RoundRecord>{});
    }

    Harness harness;
    GameDriver driver{harness};
    WatchedArchive archive{harness, harness.folder().path()};
};

// What a run killed now leaves: the records file and its write-ahead log, copied to `to`.
void copyRecords(const RunOfTheGame& from, RunOfTheGame& to) {
    for (const char* name : {"records.sqlite", "records.sqlite-wal"}) {
        const std::filesystem::path source = from.harness.folder().file(name);
        if (std::filesystem::exists(source)) {
            std::filesystem::copy_file(source, to.harness.folder().file(name),
                                       std::filesystem::copy_options::overwrite_existing);
        }
    }
}

// The player of these tests turns cards by the table alone, so that a round continued from its
// last resolved move goes on with the same choices as the round never interrupted.
int chosenSlot(const RoundEngine& engine, std::uint64_t seed) {
    std::vector<int> choices;
    const RoundState& state = engine.state();
    for (int slot = 1; slot <= engine.table().cardCount(); ++slot) {
        if (engine.table().faceDown(slot) &&
            !(state.flippedThisTurn == 1 && slot == state.firstSlot)) {
            choices.push_back(slot);
        }
    }
    std::mt19937_64 pick(seed * 1000 + engine.moveLog().turns().size());
    return choices.at(pick() % choices.size());
}

// Runs the loop, the player turning the cards chosenSlot() gives, until `done`.
void playUntil(RunOfTheGame& run, std::uint64_t seed, const std::function<bool()>& done) {
    for (;;) {
        ASSERT_TRUE(run.harness.loop.runUntil([&] { return done() || run.driver.playerMayClick(); },
                                              600'000));
        if (done()) {
            return;
        }
        run.harness.click("omote1", chosenSlot(run.game().engine(), seed));
    }
}

void expectSameRound(const WatchedArchive::Snapshot& uninterrupted, RunOfTheGame& continued) {
    const RoundEngine& engine = continued.game().engine();
    EXPECT_EQ(engine.table(), uninterrupted.engine.table());
    EXPECT_EQ(engine.state(), uninterrupted.engine.state());
    EXPECT_EQ(engine.moveLog().turns(), uninterrupted.engine.moveLog().turns());
    EXPECT_EQ(engine.playerCards(), uninterrupted.engine.playerCards());
    EXPECT_EQ(engine.computerCards(), uninterrupted.engine.computerCards());
    SeededRandom expected = uninterrupted.random;
    SeededRandom seen = continued.harness.random;
    for (int draw = 0; draw < 4; ++draw) {
        EXPECT_EQ(seen.next(), expected.next()) << "draw " << draw << " of the round's source";
    }
}

TEST(KeptRound, KilledAtRandomMomentsAndContinuedTheRoundIsTheSameAndRecordedOnce) {
    const int kills = test::testSize(100, 1000);
    std::mt19937_64 chance(2026);
    int continued = 0;
    for (int kill = 0; kill < kills; ++kill) {
        const int cardCount = std::array{28, 40, 52}[chance() % 3];
        const int level = 1 + static_cast<int>(chance() % 6);
        const int dice = 1 + static_cast<int>(chance() % 6);
        const std::uint64_t deal = 1 + chance() % 999'999'999;
        const std::size_t turnsBeforeKill = chance() % static_cast<std::uint64_t>(cardCount);
        const std::int64_t extraMs = static_cast<std::int64_t>(chance() % 2500);
        SCOPED_TRACE("kill " + std::to_string(kill) + ": deal " + std::to_string(deal) + ", " +
                     std::to_string(cardCount) + " cards, level " + std::to_string(level) +
                     ", after " + std::to_string(turnsBeforeKill) + " cards and " +
                     std::to_string(extraMs) + " ms");
        RunOfTheGame first;
        first.harness.program().start();
        first.harness.nextSeed = deal;
        first.driver.openRound("はなこ", level, cardCount, dice);
        playUntil(first, kill, [&] {
            return first.game().engine().moveLog().turns().size() >= turnsBeforeKill;
        });
        const std::int64_t killMs = first.harness.loop.nowMs() + extraMs;
        playUntil(first, kill, [&] {
            return first.harness.loop.nowMs() >= killMs || first.game().resultShown();
        });
        if (first.game().resultShown()) {
            continue;  // the round ended before the kill came
        }
        RunOfTheGame second;
        copyRecords(first, second);
        const WatchedArchive::Snapshot killedAt = *first.archive.resolved;
        // The first run goes on as if nothing had happened, the second continues the round.
        playUntil(first, kill, [&] { return first.game().resultShown(); });

        second.harness.program().start();
        second.harness.settle();
        ASSERT_EQ(second.harness.desktop.questions.size(), 1u);
        second.harness.desktop.answer(true);
        ASSERT_EQ(&second.harness.windowOnScreen(), &second.harness.gameWindow());
        expectSameRound(killedAt, second);
        playUntil(second, kill, [&] { return second.game().resultShown(); });
        EXPECT_EQ(second.game().engine().moveLog().signature(),
                  first.game().engine().moveLog().signature());

        const std::vector<RoundRecord> rounds = second.rounds("はなこ");
        ASSERT_EQ(rounds.size(), 1u);
        EXPECT_EQ(rounds[0].ending, Ending::Finished);
        EXPECT_EQ(rounds[0].dealNumber, static_cast<std::int64_t>(deal));
        EXPECT_EQ(rounds[0].playerCount, first.game().engine().playerCards());
        EXPECT_FALSE(second.archive.store.claimKept().has_value());
        ++continued;
        if (::testing::Test::HasFailure()) {
            break;
        }
    }
    EXPECT_GT(continued, kills * 9 / 10);
}

// A round of 28 cards played for a few moves, the player starting.
void playSomeMoves(RunOfTheGame& run, int cards) {
    run.harness.program().start();
    run.harness.settle();
    run.driver.openRound("たろう", 4, 28, 1);
    playUntil(run, 7, [&] {
        return run.game().engine().moveLog().turns().size() >= static_cast<std::size_t>(cards);
    });
}

TEST(KeptRound, TheCloseBoxAndQuitKeepTheRoundAndTheNextStartOffersIt) {
    for (const bool closeBox : {true, false}) {
        SCOPED_TRACE(closeBox ? "close box" : "終了");
        RunOfTheGame first;
        playSomeMoves(first, 9);
        const int playerCards = first.game().engine().playerCards();
        if (closeBox) {
            first.harness.gameWindow().closeBoxClicked();
            first.harness.settle();
        } else {
            first.harness.chooseMenu("終了");
        }
        EXPECT_TRUE(first.rounds("たろう").empty());

        RunOfTheGame second;
        copyRecords(first, second);
        second.harness.program().start();
        second.harness.settle();
        ASSERT_EQ(second.harness.desktop.questions.size(), 1u);
        const Desktop::Question& question = second.harness.desktop.questions[0];
        EXPECT_EQ(question.text, "前回のゲームの続きから遊びますか？");
        EXPECT_EQ(question.first, "続きから遊ぶ");
        EXPECT_EQ(question.second, "新しく始める");
        EXPECT_NE(question.detail.find("たろう"), std::string::npos);
        EXPECT_NE(question.detail.find("レベル 4"), std::string::npos);
        EXPECT_NE(question.detail.find("あなた " + std::to_string(playerCards) + " 枚"),
                  std::string::npos);
        EXPECT_EQ(second.harness.desktop.questionOwner, &second.harness.settingsWindow());
        Heard heard;
        second.harness.gameWindow().setObserver(&heard);
        second.harness.desktop.answer(true);
        GameWindowElements& ui = *second.game().elements();
        EXPECT_FALSE(ui.Picture1.visible());  // no dice panel, no start button
        EXPECT_EQ(ui.Label2.caption(), std::to_string(playerCards));
        EXPECT_EQ(second.game().setup().playerName, "たろう");
        const bool players = second.game().engine().turn() == Side::Player;
        ASSERT_FALSE(heard.said.empty());
        EXPECT_EQ(heard.said[0], "続きから：あなた " + std::to_string(playerCards) +
                                     " 枚、コンピューター " + ui.Label3.caption() + " 枚、" +
                                     (players ? "あなたの番です" : "コンピュータの番です"));
        // The round goes on by keys alone: the focus is on a face-down card.
        const Element* focused = second.harness.gameWindow().focusedElement();
        ASSERT_NE(focused, nullptr);
        EXPECT_EQ(focused->name(), "omote1");
        EXPECT_TRUE(second.game().engine().table().faceDown(focused->index()));
        second.harness.gameWindow().setObserver(nullptr);
    }
}

TEST(KeptRound, ANewGameInsteadRecordsTheRoundOnceAsLeftAndForgetsIt) {
    RunOfTheGame first;
    playSomeMoves(first, 6);
    const std::uint64_t deal = first.game().dealNumber();
    first.harness.gameWindow().closeBoxClicked();
    first.harness.settle();

    RunOfTheGame second;
    copyRecords(first, second);
    second.harness.program().start();
    second.harness.settle();
    second.harness.desktop.answer(false);
    EXPECT_EQ(&second.harness.windowOnScreen(), &second.harness.settingsWindow());
    const std::vector<RoundRecord> rounds = second.rounds("たろう");
    ASSERT_EQ(rounds.size(), 1u);
    EXPECT_EQ(rounds[0].ending, Ending::Left);
    EXPECT_EQ(rounds[0].dealNumber, static_cast<std::int64_t>(deal));
    EXPECT_GT(rounds[0].secondsPlayed, 0);

    RunOfTheGame third;
    copyRecords(second, third);
    third.harness.program().start();
    third.harness.settle();
    EXPECT_TRUE(third.harness.desktop.questions.empty());
    EXPECT_EQ(third.rounds("たろう").size(), 1u);
}

TEST(KeptRound, GoingBackToTheSettingsWindowLeavesTheRoundAndNothingIsOffered) {
    RunOfTheGame first;
    playSomeMoves(first, 5);
    first.harness.chooseMenu("設定に戻る");
    EXPECT_EQ(first.rounds("たろう").size(), 1u);

    RunOfTheGame second;
    copyRecords(first, second);
    second.harness.program().start();
    second.harness.settle();
    EXPECT_TRUE(second.harness.desktop.questions.empty());
}

TEST(KeptRound, ASecondRunInTheSameFolderNeitherOffersNorOverwritesTheRoundInPlay) {
    RunOfTheGame first;
    playSomeMoves(first, 5);
    const std::uint64_t deal = first.game().dealNumber();

    Harness second;
    records::RecordsStore beside(first.harness.folder().path(), [](const std::string&) {});
    second.program().useArchive(beside);
    second.program().start();
    second.settle();
    EXPECT_TRUE(second.desktop.questions.empty());
    GameDriver(second).openRound("じろう", 2, 28, 1);
    second.click("omote1", 1);
    // Its own round could not be kept, so closing it records it as left.
    second.gameWindow().closeBoxClicked();
    second.settle();

    first.harness.gameWindow().closeBoxClicked();
    first.harness.settle();
    RunOfTheGame third;
    copyRecords(first, third);
    third.harness.program().start();
    third.harness.settle();
    ASSERT_EQ(third.harness.desktop.questions.size(), 1u);
    third.harness.desktop.answer(true);
    EXPECT_EQ(third.game().dealNumber(), deal);
    EXPECT_EQ(third.rounds("じろう").size(), 1u);
}

}  // namespace
}  // namespace koropika
