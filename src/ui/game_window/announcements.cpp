#include "ui/game_window/announcements.h"

#include <array>

namespace koropika {

namespace {

// Suit numbers as the card pictures use them: 1 spades, 2 clubs, 3 hearts, 4 diamonds.
constexpr std::array<const char*, 5> kSuitNames = {"", "スペード", "クラブ", "ハート", "ダイヤ"};

std::string rankInWords(int rank) {
    switch (rank) {
        case 1:
            return "エース";
        case 11:
            return "ジャック";
        case 12:
            return "クイーン";
        case 13:
            return "キング";
        default:
            return " " + std::to_string(rank);
    }
}

std::string cardPlace(int slot) {
    return "カード " + std::to_string(slot);
}

}  // namespace

std::string faceDownCardName(int slot) {
    return cardPlace(slot) + "、裏";
}

std::string cardInWords(const Card& card) {
    const bool known = card.suit >= 1 && card.suit <= 4;
    return std::string(known ? kSuitNames[static_cast<std::size_t>(card.suit)] : "?") + "の" +
           rankInWords(card.rank);
}

std::string faceUpCardName(int slot, const Card& card) {
    return cardPlace(slot) + "、" + cardInWords(card);
}

std::string turnSentence(bool playerTurn) {
    return playerTurn ? "あなたの番です" : "コンピュータの番です";
}

std::string diceSentence(int face, bool playerStarts) {
    return "サイコロは " + std::to_string(face) + "。" +
           (playerStarts ? "あなたが先攻です" : "コンピュータが先攻です");
}

std::string cardTurnedSentence(bool byPlayer, int slot, const Card& card) {
    return std::string(byPlayer ? "" : "コンピュータ: ") + faceUpCardName(slot, card);
}

std::string pairSentence(bool byPlayer, int playerCards, int computerCards) {
    return std::string(byPlayer ? "ペア！ あなたが取りました。"
                                : "ペア。コンピュータが取りました。") +
           "あなた " + std::to_string(playerCards) + " 枚、コンピュータ " +
           std::to_string(computerCards) + " 枚";
}

std::string mismatchSentence() {
    return "ペアではありません";
}

std::string resultSentence(const std::string& resultLine, int playerCards, int computerCards) {
    return resultLine + "。あなた " + std::to_string(playerCards) + " 枚、コンピュータ " +
           std::to_string(computerCards) + " 枚";
}

}  // namespace koropika
