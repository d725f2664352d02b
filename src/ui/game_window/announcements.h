#pragma once

// What a screen reader says in the game window: the names of the cards and the sentences that
// tell what happens in a round, each a whole sentence of the windows' language.

#include <string>
#include <utility>
#include <vector>

#include "game/round_engine.h"
#include "shared/texts.h"

namespace koropika {

// Puts the cards and the events of a round into words. Each event gives the sentences told when
// it happens, in order; none when nothing is told.
class RoundWords {
  public:
    explicit RoundWords(Translate translate) : translate_(std::move(translate)) {}

    // The people at the table: with a second player (`second` not empty) every sentence names
    // the side it speaks of; without one, the player is "you" and the other side the computer.
    void seat(std::string first, std::string second) {
        first_ = std::move(first);
        second_ = std::move(second);
    }

    // "カード 12、裏": a face-down card by its slot.
    std::string faceDownCardName(int slot) const;
    // "カード 12、ハートの 7": a card showing its face.
    std::string faceUpCardName(int slot, const Card& card) const;
    // "ハートの 7", "スペードのエース": suit and rank in words.
    std::string cardInWords(const Card& card) const;

    // The dice stopped on `face` (1..6, as the player sees it): the face and who starts.
    std::vector<std::string> diceStopped(int face, Side starter) const;
    // Whose turn it is: when play begins, and after a move that passed the turn or kept it.
    std::vector<std::string> turn(Side side) const;
    // A round an earlier run kept goes on: both counts and whose turn it is.
    std::vector<std::string> continued(int playerCards, int computerCards, Side next) const;
    // A card turned by either side; after a move's second card, whether it made a pair, with
    // both sides' counts after it.
    std::vector<std::string> cardTurned(const TurnedCard& card) const;
    // Play waits for a key or a click to go on.
    std::vector<std::string> waitingForKey() const;
    // The result line as the panel shows it, then both counts.
    std::vector<std::string> roundOver(const std::string& resultLine,
                                       const RoundResult& result) const;

  private:
    // A card turned at a table of two players, and both players' counts in words.
    std::vector<std::string> cardTurnedAtTwo(const TurnedCard& card) const;
    std::string counts(int playerCards, int computerCards) const;

    std::string translate(const char* context, const char* japanese) const {
        return translate_(context, japanese);
    }

    // The side's name at a table of two players.
    const std::string& nameOf(Side side) const { return side == Side::Player ? first_ : second_; }

    Translate translate_;
    std::string first_;
    std::string second_;  // empty: the computer plays
};

}  // namespace koropika
