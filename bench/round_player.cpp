#include "bench/round_player.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/engine_rounds.h"
#include "support/harness.h"
#include "ui/game_window/game_window.h"
#include "ui/game_window/game_window_elements.h"

namespace koropika::bench {

namespace {

int movesIn(const MoveLog& log) {
    return static_cast<int>(log.turns().size() / 2);
}

long computerPicksIn(const MoveLog& log) {
    return std::count_if(log.turns().begin(), log.turns().end(),
                         [](const MoveLog::Turn& turn) { return turn.side == Side::Computer; });
}

class EngineRounds final : public RoundPlayer {
  public:
    EngineRounds(int cardCount, int level, testing::PlayerKind player, std::uint64_t seed)
        : cardCount_(cardCount), level_(level), random_(seed), player_(player, seed + 1) {}

    RoundResult playRound(bool computerStarts) override {
        player_.newRound();
        const testing::ComputerPicks picks = testing::playEngineRoundWith(
            engine_, cardCount_, level_, random_, computerStarts ? 2 : 1,
            [this](const RoundEngine& engine, std::uint64_t offered) {
                return player_.chooseFromSeen(engine.state(), offered);
            },
            [this](const TurnedCard& card) { player_.see(card.slot, card.face.rank); });
        return {engine_.playerCards(), engine_.computerCards(), movesIn(engine_.moveLog()),
                picks.picks, picks.fromMemory};
    }

  private:
    int cardCount_;
    int level_;
    SeededRandom random_;
    testing::StrengthPlayer player_;
    RoundEngine engine_;
};

// A generous bound of virtual time for one step of a round.
constexpr std::int64_t kStepLimitMs = 3'600'000;

const char* cardCountLabel(int cardCount) {
    return cardCount == 28 ? "Label8" : cardCount == 40 ? "Label9" : "Label10";
}

class WindowRounds final : public RoundPlayer {
  public:
    WindowRounds(int cardCount, int level, testing::PlayerKind player, std::uint64_t seed)
        : player_(player, seed + 1) {
        run_.nextSeed = seed;
        run_.keepFilesInMemory();      // the rounds measure the game, not the disk
        run_.sound.keepPaths = false;  // a recording would grow with every round
        run_.program().start();
        run_.type("Combo1", "ベンチ");
        run_.pick("Combo2", level - 1);
        run_.pressAndRelease(cardCountLabel(cardCount));
    }

    RoundResult playRound(bool computerStarts) override {
        if (roundPlayed_) {
            run_.pressAndRelease("Image8");  // play again
        }
        roundPlayed_ = true;
        GameWindow& g = game();
        const RoundEngine& engine = g.engine();
        player_.newRound();

        rollDice(computerStarts);
        run_.pressAndRelease("Image4");
        runUntil([&] { return engine.phase() == GamePhase::Play; }, "the table");
        for (;;) {
            runUntil([&] { return g.resultShown() || playerMayClick(); }, "a move");
            if (g.resultShown()) {
                break;
            }
            // Every face-down card but the move's first one.
            std::uint64_t offered = engine.table().faceDownSlots();
            if (engine.state().flippedThisTurn == 1) {
                offered &= ~(std::uint64_t{1} << engine.state().firstSlot);
            }
            const int slot = player_.choose(engine.state(), engine.moveLog(), offered);
            run_.gameWindow().click(g.elements()->omote1[slot]);
            run_.settle();
        }
        runUntil([&] { return g.resultStacksBuilt(); }, "the result panel");
        return {engine.playerCards(), engine.computerCards(), movesIn(engine.moveLog()),
                computerPicksIn(engine.moveLog()), 0};
    }

  private:
    GameWindow& game() { return run_.program().gameWindow(); }

    template <typename Done>
    void runUntil(const Done& done, const char* what) {
        if (!run_.loop.runUntil(done, kStepLimitMs)) {
            throw std::runtime_error(std::string("the round stalled waiting for ") + what);
        }
    }

    void rollDice(bool computerStarts) {
        // A person rolls the dice once its panel has slid into view. (The panel's slide ends
        // by setting the start button blinking again: rolling and starting before that would
        // leave it blinking through the whole round.)
        runUntil([&] { return !game().elements()->Timer9.enabled(); }, "the dice panel");
        // An odd face gives the first move to the player, an even one to the computer.
        const int face = computerStarts ? 2 : 1;
        run_.click("Picture2");
        runUntil([&] { return game().diceFace() == face; }, "the dice face");
        run_.click("Picture2");
        runUntil([&] { return game().engine().phase() == GamePhase::StarterDecided; },
                 "the dice to stop");
    }

    bool playerMayClick() {
        const RoundState& r = game().engine().state();
        return r.gamePhase == GamePhase::Play && r.playerTurn && r.flippedThisTurn < 2 &&
               !r.resolvingPair && r.cardsLeft > 0;
    }

    testing::Harness run_;
    testing::StrengthPlayer player_;
    bool roundPlayed_ = false;
};

}  // namespace

std::unique_ptr<RoundPlayer> engineRounds(int cardCount, int level, testing::PlayerKind player,
                                          std::uint64_t seed) {
    return std::make_unique<EngineRounds>(cardCount, level, player, seed);
}

std::unique_ptr<RoundPlayer> windowRounds(int cardCount, int level, testing::PlayerKind player,
                                          std::uint64_t seed) {
    return std::make_unique<WindowRounds>(cardCount, level, player, seed);
}

}  // namespace koropika::bench
