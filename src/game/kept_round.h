#pragma once

// The round in play as it is kept after every card, so that a run that ends before the round
// does can continue it, and where a run's rounds go.

#include <optional>
#include <string>
#include <vector>

#include "game/move_log.h"
#include "game/round_engine.h"
#include "game/round_record.h"

namespace koropika {

struct KeptRound {
    // The round as it stands: who plays, the level, the card count, its number, who moved first,
    // both counts, the player's moves, when play began, when the round was last kept and the
    // seconds played so far. Recorded as it is, it is the round left. Its moves are `turns`.
    RoundRecord round;
    // Every card turned since play began, in order.
    std::vector<MoveLog::Turn> turns;
    // The cards of resolved moves: the first `resolvedTurns` of `turns`. The cards after them
    // belong to a move not yet resolved, which a continued round takes back whole.
    int resolvedTurns = 0;
    int cardBack = 0;           // 0..4
    bool blueCounters = false;  // the counters were turned blue by choosing back design 2
};

// Plays the kept round's resolved moves again on `engine`, which has just dealt the round's
// cards from a source seeded with its deal number: the dice's choice of who starts, the reveal,
// then every card of the resolved moves, each move resolved. The computer draws its picks again
// from the same source, so they must land where they did, and its memory and source end where
// the uninterrupted round had them. Empty when the round played back as kept, else what refused
// it (a move the rules do not allow, a card that is not the one kept).
std::string playBack(const KeptRound& kept, RoundEngine& engine);

// The round as continueRound() takes it up: dealt from its deal number by `random`, which it
// goes on drawing from, and its resolved moves played back. For a round checkKeptRound() accepts.
RoundEngine rebuiltRound(const KeptRound& kept, Random& random);

// Whether a kept round can be continued: its fields in range, its moves played back on a round
// of its own, the cards of a move not yet resolved allowed too, and its counts those its cards
// made. Empty when it can, else why not.
std::string checkKeptRound(const KeptRound& kept);

// Where a run's rounds go: each round that ends or is left, and the round in play.
class RoundArchive {
  public:
    virtual ~RoundArchive() = default;
    // A round that ended or was left; the kept round, if any, goes in the same step. False when
    // it was not recorded.
    virtual bool record(const RoundRecord& round) = 0;
    // The round in play as it stands, in place of the one kept before; false when it was not
    // kept.
    virtual bool keep(const KeptRound& round) = 0;
    // The round an earlier run kept, claimed for this run: empty when there is none, or when
    // another run of the game has a round in play in the same folder.
    virtual std::optional<KeptRound> claimKept() = 0;
    // Forgets the kept round without recording it.
    virtual void dropKept() = 0;
};

}  // namespace koropika
