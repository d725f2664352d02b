#include "shared/card_words.h"

#include <array>

namespace koropika {

namespace {

// Suit numbers as the card pictures use them: 1 spades, 2 clubs, 3 hearts, 4 diamonds.
constexpr std::array<const char*, 5> kSuitNames = {
    "",
    TRANSLATABLE("Announcements", "スペード"),
    TRANSLATABLE("Announcements", "クラブ"),
    TRANSLATABLE("Announcements", "ハート"),
    TRANSLATABLE("Announcements", "ダイヤ"),
};

// Ranks 1..13 in words. Japanese writes a number card as a space and its figures after the
// suit's "の" ("ハートの 7").
constexpr std::array<const char*, 14> kRankNames = {
    "",
    TRANSLATABLE("Announcements", "エース"),
    //: A number card's rank, after the suit: English writes it as a word ("two").
    TRANSLATABLE("Announcements", " 2"),
    TRANSLATABLE("Announcements", " 3"),
    TRANSLATABLE("Announcements", " 4"),
    TRANSLATABLE("Announcements", " 5"),
    TRANSLATABLE("Announcements", " 6"),
    TRANSLATABLE("Announcements", " 7"),
    TRANSLATABLE("Announcements", " 8"),
    TRANSLATABLE("Announcements", " 9"),
    TRANSLATABLE("Announcements", " 10"),
    TRANSLATABLE("Announcements", "ジャック"),
    TRANSLATABLE("Announcements", "クイーン"),
    TRANSLATABLE("Announcements", "キング"),
};

}  // namespace

std::string cardInWords(const Translate& translate, int suit, int rank) {
    const bool knownSuit = suit >= 1 && suit <= 4;
    const bool knownRank = rank >= 1 && rank <= 13;
    const std::string suitWords =
        knownSuit ? translate("Announcements", kSuitNames[static_cast<std::size_t>(suit)]) : "?";
    const std::string rankWords =
        knownRank ? translate("Announcements", kRankNames[static_cast<std::size_t>(rank)])
                  : " " + std::to_string(rank);
    //: %1 the suit, %2 the rank: "ハートの 7" is "seven of hearts".
    return fillText(translate("Announcements", "%1の%2"), {suitWords, rankWords});
}

std::string faceUpCardName(const Translate& translate, int slot, int suit, int rank) {
    return fillText(translate("Announcements", "カード %1、%2"),
                    {std::to_string(slot), cardInWords(translate, suit, rank)});
}

}  // namespace koropika
