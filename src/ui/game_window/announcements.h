#pragma once

// What a screen reader says in the game window: the names of the cards and the sentences that
// tell what happens in a round.

#include <string>

#include "game/table.h"

namespace koropika {

// "カード 12、裏": a face-down card by its slot. Every deal names all its cards, so the names of
// the table's slots are made once.
const std::string& faceDownCardName(int slot);
// "カード 12、ハートの 7": a card showing its face.
std::string faceUpCardName(int slot, const Card& card);
// The same name written into `name`, whose storage is reused from deal to deal.
void writeFaceUpCardName(std::string& name, int slot, const Card& card);
// "ハートの 7", "スペードのエース": suit and rank in words.
std::string cardInWords(const Card& card);

std::string turnSentence(bool playerTurn);
// The dice face the player sees (1..6) and who starts.
std::string diceSentence(int face, bool playerStarts);
// A card just turned, by the player or the computer.
std::string cardTurnedSentence(bool byPlayer, int slot, const Card& card);
// A pair taken, with both sides' counts after it.
std::string pairSentence(bool byPlayer, int playerCards, int computerCards);
std::string mismatchSentence();
// The result line as the panel shows it, then both counts.
std::string resultSentence(const std::string& resultLine, int playerCards, int computerCards);

}  // namespace koropika
