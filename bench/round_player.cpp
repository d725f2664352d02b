#include "bench/round_player.h"

#include <charconv>
#include <stdexcept>

#include "ui/game_window/game_window_elements.h"

namespace koropika::bench {

namespace {

int numberIn(const std::string& text) {
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

const char* cardCountLabel(int cardCount) {
    return cardCount == 28 ? "Label8" : cardCount == 40 ? "Label9" : "Label10";
}

// A generous bound of virtual time for one step of a round.
constexpr std::int64_t kStepLimitMs = 3'600'000;

// Replays the round's turns, two to a move, and counts the computer's picks that turned a card
// seen before without gaining from it.
void countWastedComputerPicks(const MoveLog& log, int cardCount, RoundResult& result) {
    std::vector<int> seen(static_cast<std::size_t>(cardCount) + 1, 0);
    const auto& turns = log.turns();
    for (std::size_t i = 0; i + 1 < turns.size(); i += 2) {
        const MoveLog::Turn& first = turns[i];
        const MoveLog::Turn& second = turns[i + 1];
        const bool firstSeen = seen[static_cast<std::size_t>(first.slot)] != 0;
        const bool secondSeen = seen[static_cast<std::size_t>(second.slot)] != 0;
        const bool pair = first.rank == second.rank;
        if (first.side == MoveLog::Side::Computer) {
            result.computerFirstSeenWasted += firstSeen && !(secondSeen && pair) ? 1 : 0;
            result.computerSecondSeenWasted += secondSeen && !pair ? 1 : 0;
        }
        seen[static_cast<std::size_t>(first.slot)] = first.rank;
        seen[static_cast<std::size_t>(second.slot)] = second.rank;
    }
}

}  // namespace

const char* nameOf(Opponent opponent) {
    switch (opponent) {
        case Opponent::PerfectMemory:
            return "perfect memory";
        case Opponent::Random:
            return "random";
        case Opponent::ComputerAlone:
            return "computer alone";
        case Opponent::PlayerAlone:
            return "player alone";
    }
    return "?";
}

RoundPlayer::RoundPlayer(std::uint64_t seed) : policy_(seed) {
    run_.nextSeed = seed;
    // Each round saves the window position file: kept in memory, the rounds measure the game.
    run_.keepFilesInMemory();
    run_.program().start();
}

void RoundPlayer::configure(int level, int cardCount, Opponent opponent) {
    opponent_ = opponent;
    if (roundPlayed_) {
        run_.pressAndRelease("Label20");  // the result panel's way back to the settings window
    }
    if (&run_.windowOnScreen() != &run_.settingsWindow()) {
        throw std::logic_error("the settings window is not on screen");
    }
    run_.type("Combo1", "ベンチ");
    run_.pick("Combo2", level - 1);
    run_.pressAndRelease(cardCountLabel(cardCount));
    roundPlayed_ = false;
}

void RoundPlayer::runUntil(const std::function<bool()>& done, const char* what) {
    if (!run_.loop.runUntil(done, kStepLimitMs)) {
        throw std::runtime_error(std::string("the round stalled waiting for ") + what);
    }
}

void RoundPlayer::rollDice(bool computerStarts) {
    // An odd face gives the first move to the player, an even one to the computer.
    const int face = computerStarts ? 2 : 1;
    run_.click("Picture2");
    runUntil([&] { return game().diceFace == face; }, "the dice face");
    run_.click("Picture2");
    runUntil([&] { return game().round.gamePhase == 1; }, "the dice to stop");
}

RoundResult RoundPlayer::playRound(bool computerStarts) {
    if (roundPlayed_) {
        run_.pressAndRelease("Image8");  // play again
    }
    roundPlayed_ = true;
    run_.sound.played.clear();  // the recording would grow with every round
    GameWindow& g = game();
    const long picksBefore = g.computerPicks;
    const long memoryBefore = g.computerPicksFromMemory;
    if (opponent_ == Opponent::ComputerAlone) {
        computerStarts = true;
    } else if (opponent_ == Opponent::PlayerAlone) {
        computerStarts = false;
    }
    known_.assign(static_cast<std::size_t>(g.table.cardCount()) + 1, 0);
    logRead_ = 0;

    rollDice(computerStarts);
    run_.pressAndRelease("Image4");
    runUntil([&] { return g.round.gamePhase == 2; }, "the table");
    for (;;) {
        runUntil(
            [&] {
                passTurnIfAlone();
                return g.resultShown() || playerMayClick();
            },
            "a move");
        if (g.resultShown()) {
            break;
        }
        const int slot = choosePlayerCard();
        run_.gameWindow().click(g.elements()->omote1[slot]);
        run_.settle();
    }
    runUntil([&] { return g.resultStacksBuilt(); }, "the result panel");

    RoundResult result;
    result.playerCards = numberIn(g.elements()->Label2.caption());
    result.computerCards = numberIn(g.elements()->Label3.caption());
    for (const MoveLog::Turn& turn : g.moveLog.turns()) {
        (turn.side == MoveLog::Side::Player ? result.playerMoves : result.computerMoves) += 1;
    }
    countWastedComputerPicks(g.moveLog, g.table.cardCount(), result);
    result.playerMoves /= 2;
    result.computerMoves /= 2;
    result.computerPicks = g.computerPicks - picksBefore;
    result.computerPicksFromMemory = g.computerPicksFromMemory - memoryBefore;
    return result;
}

bool RoundPlayer::playerMayClick() {
    const RoundState& r = game().round;
    return r.gamePhase == 2 && r.playerTurn != 0 && r.flippedThisTurn < 2 && r.resolvingPair == 0 &&
           r.cardsLeft > 0;
}

void RoundPlayer::passTurnIfAlone() {
    GameWindow& g = game();
    RoundState& r = g.round;
    if (g.elements() == nullptr || r.gamePhase != 2 || r.cardsLeft == 0 || r.flippedThisTurn != 0 ||
        r.resolvingPair != 0) {
        return;
    }
    if (opponent_ == Opponent::ComputerAlone && r.playerTurn == 1) {
        // As the end of a player's mismatch does: the computer's turn begins.
        r.playerTurn = 0;
        g.elements()->Timer6.setEnabled(true);
    } else if (opponent_ == Opponent::PlayerAlone && r.playerTurn == 0 &&
               g.elements()->Timer6.enabled()) {
        // The computer's turn has not begun its first card yet: it goes back to the player.
        g.elements()->Timer6.setEnabled(false);
        r.playerTurn = 1;
    }
}

void RoundPlayer::learnFromMoveLog() {
    const auto& turns = game().moveLog.turns();
    for (; logRead_ < turns.size(); ++logRead_) {
        known_[static_cast<std::size_t>(turns[logRead_].slot)] = turns[logRead_].rank;
    }
}

int RoundPlayer::choosePlayerCard() {
    GameWindow& g = game();
    const Table& table = g.table;
    const int count = table.cardCount();
    const bool second = g.round.flippedThisTurn == 1;
    const int first = second ? g.round.firstSlot : 0;
    const auto pickFrom = [&](const std::vector<int>& slots) {
        return slots[policy_() % slots.size()];
    };

    std::vector<int> unknown;
    std::vector<int> any;
    for (int slot = 1; slot <= count; ++slot) {
        if (!table.faceDown(slot) || slot == first) {
            continue;
        }
        any.push_back(slot);
        if (known_[static_cast<std::size_t>(slot)] == 0) {
            unknown.push_back(slot);
        }
    }
    if (any.empty()) {
        throw std::logic_error("no card left to turn");
    }
    if (opponent_ == Opponent::Random) {
        return pickFrom(any);
    }

    learnFromMoveLog();
    const auto rankOf = [&](int slot) { return known_[static_cast<std::size_t>(slot)]; };
    if (second) {
        // The first card's match when one is known, else a card never seen.
        for (const int slot : any) {
            if (rankOf(slot) == rankOf(first)) {
                return slot;
            }
        }
        return pickFrom(unknown.empty() ? any : unknown);
    }
    // A known pair first; else a card never seen, whose match may then be known.
    for (const int a : any) {
        if (rankOf(a) == 0) {
            continue;
        }
        for (const int b : any) {
            if (b != a && rankOf(b) == rankOf(a)) {
                return a;
            }
        }
    }
    return pickFrom(unknown.empty() ? any : unknown);
}

}  // namespace koropika::bench
