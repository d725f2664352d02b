#include "game/kept_round.h"

#include "shared/deal_number.h"

namespace koropika {

namespace {

std::string cardProblem(std::size_t index, const std::string& what) {
    return "card " + std::to_string(index + 1) + " of the round " + what;
}

// Turns the kept card `index` again, for the side that turned it; empty when the rules allowed
// it and it is the card kept, else what is wrong with it.
std::string turnAgain(const KeptRound& kept, std::size_t index, RoundEngine& engine) {
    const MoveLog::Turn& turn = kept.turns[index];
    if (turn.side != engine.turn()) {
        return cardProblem(index, "was turned out of turn");
    }
    std::optional<TurnedCard> card;
    if (turn.side == Side::Player || engine.secondPlayerSeated()) {
        if (!engine.playerMayTurn(turn.slot)) {
            return cardProblem(index, "lies where no card can be turned");
        }
        card = engine.turnPlayerCard(turn.slot);
    } else if (engine.computerStep()) {
        card = engine.turnComputerCard();
    }
    if (!card || card->slot != turn.slot || card->face.rank != turn.rank) {
        return cardProblem(index, "is not the card kept");
    }
    if (card->second && static_cast<int>(index) < kept.resolvedTurns) {
        engine.resolveMove();
    }
    return {};
}

}  // namespace

std::string playBack(const KeptRound& kept, RoundEngine& engine) {
    if (kept.resolvedTurns < 0 || kept.resolvedTurns % 2 != 0 ||
        static_cast<std::size_t>(kept.resolvedTurns) > kept.turns.size()) {
        return "its moves are cut short";
    }
    engine.decideStarter(kept.round.firstMove == Side::Player ? 1 : 2);
    engine.pressStart();
    engine.beginReveal();
    for (int slot = 1; slot <= engine.table().cardCount(); ++slot) {
        engine.revealCard(slot);
    }
    engine.beginPlay();
    for (std::size_t index = 0; index < static_cast<std::size_t>(kept.resolvedTurns); ++index) {
        if (std::string problem = turnAgain(kept, index, engine); !problem.empty()) {
            return problem;
        }
    }
    return {};
}

RoundEngine rebuiltRound(const KeptRound& kept, Random& random) {
    random.seed(static_cast<std::uint64_t>(kept.round.dealNumber.value_or(0)));
    RoundEngine engine;
    engine.seatSecondPlayer(!kept.round.opponentName.empty());
    engine.deal(kept.round.cardCount, kept.round.level, random);
    playBack(kept, engine);
    return engine;
}

std::string checkKeptRound(const KeptRound& kept) {
    const RoundRecord& round = kept.round;
    if (round.playerName.empty()) {
        return "it has no player";
    }
    if (round.opponentName == round.playerName) {
        return "its two players have the same name";
    }
    if (round.level < 1 || round.level > 6) {
        return "its level " + std::to_string(round.level) + " is not 1 to 6";
    }
    if (!tableGeometryFor(round.cardCount)) {
        return "its card count " + std::to_string(round.cardCount) + " is not 28, 40 or 52";
    }
    if (!round.dealNumber || *round.dealNumber < std::int64_t{kFirstDealNumber} ||
        *round.dealNumber > std::int64_t{kLastDealNumber}) {
        return "its deal number is out of range";
    }
    if (!(round.secondsPlayed >= 0 && round.secondsPlayed < 1e9)) {
        return "its time played is not a number of seconds";
    }
    // An odd face gives the first move to the player.
    if (round.diceFace && (*round.diceFace < 1 || *round.diceFace > 6 ||
                           (*round.diceFace % 2 == 1) != (round.firstMove == Side::Player))) {
        return "its dice face is not one that gives its first move";
    }
    if (kept.cardBack < 0 || kept.cardBack > 4) {
        return "its card back is not 0 to 4";
    }
    SeededRandom random(static_cast<std::uint64_t>(*round.dealNumber));
    RoundEngine engine;
    engine.seatSecondPlayer(!round.opponentName.empty());
    engine.deal(round.cardCount, round.level, random);
    if (std::string problem = playBack(kept, engine); !problem.empty()) {
        return problem;
    }
    // The cards of the move not yet resolved (two at most) were allowed too, and the counts
    // are those all the cards made.
    if (kept.turns.size() > static_cast<std::size_t>(kept.resolvedTurns) + 2) {
        return "its last move has more than two cards";
    }
    int playerCardsTurned = 0;
    for (std::size_t index = 0; index < kept.turns.size(); ++index) {
        if (index >= static_cast<std::size_t>(kept.resolvedTurns)) {
            if (std::string problem = turnAgain(kept, index, engine); !problem.empty()) {
                return problem;
            }
        }
        playerCardsTurned += kept.turns[index].side == Side::Player ? 1 : 0;
    }
    if (engine.playerCards() != round.playerCount ||
        engine.computerCards() != round.computerCount ||
        playerCardsTurned / 2 != round.playerMoves) {
        return "its counts are not those its cards made";
    }
    return {};
}

}  // namespace koropika
