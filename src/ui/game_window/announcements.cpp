#include "ui/game_window/announcements.h"

#include <array>

#include "shared/texts.h"

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

std::string RoundWords::faceDownCardName(int slot) const {
    return fillText(translate("Announcements", "カード %1、裏"), {std::to_string(slot)});
}

std::string RoundWords::cardInWords(const Card& card) const {
    const bool knownSuit = card.suit >= 1 && card.suit <= 4;
    const bool knownRank = card.rank >= 1 && card.rank <= 13;
    const std::string suit =
        knownSuit ? translate("Announcements", kSuitNames[static_cast<std::size_t>(card.suit)])
                  : "?";
    const std::string rank =
        knownRank ? translate("Announcements", kRankNames[static_cast<std::size_t>(card.rank)])
                  : " " + std::to_string(card.rank);
    //: %1 the suit, %2 the rank: "ハートの 7" is "seven of hearts".
    return fillText(translate("Announcements", "%1の%2"), {suit, rank});
}

std::string RoundWords::faceUpCardName(int slot, const Card& card) const {
    return fillText(translate("Announcements", "カード %1、%2"),
                    {std::to_string(slot), cardInWords(card)});
}

std::vector<std::string> RoundWords::diceStopped(int face, Side starter) const {
    const std::string pattern =
        starter == Side::Player
            ? translate("Announcements", "サイコロは %1。あなたが先攻です")
            : translate("Announcements", "サイコロは %1。コンピュータが先攻です");
    return {fillText(pattern, {std::to_string(face)})};
}

std::vector<std::string> RoundWords::turn(Side side) const {
    return {side == Side::Player ? translate("Announcements", "あなたの番です")
                                 : translate("Announcements", "コンピュータの番です")};
}

std::vector<std::string> RoundWords::cardTurned(const TurnedCard& card) const {
    const bool byPlayer = card.side == Side::Player;
    //: %1 the card's place, %2 the card in words.
    std::vector<std::string> said = {
        byPlayer ? faceUpCardName(card.slot, card.face)
                 : fillText(translate("Announcements", "コンピュータ: カード %1、%2"),
                            {std::to_string(card.slot), cardInWords(card.face)})};
    if (card.pair) {
        //: %1 the player's cards, %2 the computer's.
        const std::string pattern =
            byPlayer
                ? translate("Announcements",
                            "ペア！ あなたが取りました。あなた %1 枚、コンピュータ %2 枚")
                : translate("Announcements",
                            "ペア。コンピュータが取りました。あなた %1 枚、コンピュータ %2 枚");
        said.push_back(fillText(
            pattern, {std::to_string(card.playerCards), std::to_string(card.computerCards)}));
    } else if (card.second) {
        said.push_back(translate("Announcements", "ペアではありません"));
    }
    return said;
}

std::vector<std::string> RoundWords::continued(int playerCards, int computerCards,
                                               Side next) const {
    //: %1 the player's cards, %2 the computer's, %3 whose turn it is ("あなたの番です").
    return {fillText(translate("Announcements", "続きから：あなた %1 枚、コンピューター %2 枚、%3"),
                     {std::to_string(playerCards), std::to_string(computerCards), turn(next)[0]})};
}

std::vector<std::string> RoundWords::roundOver(const std::string& resultLine,
                                               const RoundResult& result) const {
    //: %1 the result line ("Draw", "Taro wins"), %2 the player's cards, %3 the computer's.
    return {fillText(
        translate("Announcements", "%1。あなた %2 枚、コンピュータ %3 枚"),
        {resultLine, std::to_string(result.playerCards), std::to_string(result.computerCards)})};
}

}  // namespace koropika
