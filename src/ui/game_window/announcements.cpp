#include "ui/game_window/announcements.h"

#include <array>

#include "shared/texts.h"
#include "ui/elements/desktop.h"

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

// A suit or rank name in the windows' language.
std::string words(const Desktop& desktop, const char* japanese) {
    return desktop.translate("Announcements", japanese);
}

}  // namespace

std::string faceDownCardName(const Desktop& desktop, int slot) {
    return fillText(desktop.translate("Announcements", "カード %1、裏"), {std::to_string(slot)});
}

std::string cardInWords(const Desktop& desktop, const Card& card) {
    const bool knownSuit = card.suit >= 1 && card.suit <= 4;
    const bool knownRank = card.rank >= 1 && card.rank <= 13;
    const std::string suit =
        knownSuit ? words(desktop, kSuitNames[static_cast<std::size_t>(card.suit)]) : "?";
    const std::string rank = knownRank
                                 ? words(desktop, kRankNames[static_cast<std::size_t>(card.rank)])
                                 : " " + std::to_string(card.rank);
    //: %1 the suit, %2 the rank: "ハートの 7" is "seven of hearts".
    return fillText(desktop.translate("Announcements", "%1の%2"), {suit, rank});
}

std::string faceUpCardName(const Desktop& desktop, int slot, const Card& card) {
    return fillText(desktop.translate("Announcements", "カード %1、%2"),
                    {std::to_string(slot), cardInWords(desktop, card)});
}

std::string turnSentence(const Desktop& desktop, bool playerTurn) {
    return playerTurn ? desktop.translate("Announcements", "あなたの番です")
                      : desktop.translate("Announcements", "コンピュータの番です");
}

std::string diceSentence(const Desktop& desktop, int face, bool playerStarts) {
    const std::string pattern =
        playerStarts ? desktop.translate("Announcements", "サイコロは %1。あなたが先攻です")
                     : desktop.translate("Announcements", "サイコロは %1。コンピュータが先攻です");
    return fillText(pattern, {std::to_string(face)});
}

std::string cardTurnedSentence(const Desktop& desktop, bool byPlayer, int slot, const Card& card) {
    if (byPlayer) {
        return faceUpCardName(desktop, slot, card);
    }
    //: %1 the card's place, %2 the card in words.
    return fillText(desktop.translate("Announcements", "コンピュータ: カード %1、%2"),
                    {std::to_string(slot), cardInWords(desktop, card)});
}

std::string pairSentence(const Desktop& desktop, bool byPlayer, int playerCards,
                         int computerCards) {
    //: %1 the player's cards, %2 the computer's.
    const std::string pattern =
        byPlayer
            ? desktop.translate("Announcements",
                                "ペア！ あなたが取りました。あなた %1 枚、コンピュータ %2 枚")
            : desktop.translate("Announcements",
                                "ペア。コンピュータが取りました。あなた %1 枚、コンピュータ %2 枚");
    return fillText(pattern, {std::to_string(playerCards), std::to_string(computerCards)});
}

std::string mismatchSentence(const Desktop& desktop) {
    return desktop.translate("Announcements", "ペアではありません");
}

std::string resultSentence(const Desktop& desktop, const std::string& resultLine, int playerCards,
                           int computerCards) {
    //: %1 the result line ("Draw", "Taro wins"), %2 the player's cards, %3 the computer's.
    return fillText(desktop.translate("Announcements", "%1。あなた %2 枚、コンピュータ %3 枚"),
                    {resultLine, std::to_string(playerCards), std::to_string(computerCards)});
}

}  // namespace koropika
