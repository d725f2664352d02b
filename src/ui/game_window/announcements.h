#pragma once

// What a screen reader says in the game window: the names of the cards and the sentences that
// tell what happens in a round, each a whole sentence of the windows' language.

#include <string>

#include "game/table.h"

namespace koropika {

class Desktop;

// "カード 12、裏": a face-down card by its slot.
std::string faceDownCardName(const Desktop& desktop, int slot);
// "カード 12、ハートの 7": a card showing its face.
std::string faceUpCardName(const Desktop& desktop, int slot, const Card& card);
// "ハートの 7", "スペードのエース": suit and rank in words.
std::string cardInWords(const Desktop& desktop, const Card& card);

std::string turnSentence(const Desktop& desktop, bool playerTurn);
// The dice face the player sees (1..6) and who starts.
std::string diceSentence(const Desktop& desktop, int face, bool playerStarts);
// A card just turned, by the player or the computer.
std::string cardTurnedSentence(const Desktop& desktop, bool byPlayer, int slot, const Card& card);
// A pair taken, with both sides' counts after it.
std::string pairSentence(const Desktop& desktop, bool byPlayer, int playerCards, int computerCards);
std::string mismatchSentence(const Desktop& desktop);
// The result line as the panel shows it, then both counts.
std::string resultSentence(const Desktop& desktop, const std::string& resultLine, int playerCards,
                           int computerCards);

}  // namespace koropika
