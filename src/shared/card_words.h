#pragma once

// A card in the words a screen reader says, in the language of the windows.

#include <string>

#include "shared/texts.h"

namespace koropika {

// "ハートの 7", "スペードのエース": suit (1 spades, 2 clubs, 3 hearts, 4 diamonds) and rank
// (1..13) in words; an unknown suit is "?" and an unknown rank its number.
std::string cardInWords(const Translate& translate, int suit, int rank);
// "カード 12、ハートの 7": a card showing its face, by its slot.
std::string faceUpCardName(const Translate& translate, int slot, int suit, int rank);

}  // namespace koropika
