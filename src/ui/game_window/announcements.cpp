#include "ui/game_window/announcements.h"

#include <array>
#include <charconv>

namespace koropika {

namespace {

// Suit numbers as the card pictures use them: 1 spades, 2 clubs, 3 hearts, 4 diamonds.
constexpr std::array<const char*, 5> kSuitNames = {"", "スペード", "クラブ", "ハート", "ダイヤ"};

void appendNumber(std::string& out, int number) {
    char digits[12];
    const auto written = std::to_chars(std::begin(digits), std::end(digits), number);
    out.append(digits, written.ptr);
}

void appendRankInWords(std::string& out, int rank) {
    switch (rank) {
        case 1:
            out.append("エース");
            break;
        case 11:
            out.append("ジャック");
            break;
        case 12:
            out.append("クイーン");
            break;
        case 13:
            out.append("キング");
            break;
        default:
            out.append(" ");
            appendNumber(out, rank);
    }
}

void appendCardPlace(std::string& out, int slot) {
    out.append("カード ");
    appendNumber(out, slot);
}

void appendCardInWords(std::string& out, const Card& card) {
    const bool known = card.suit >= 1 && card.suit <= 4;
    out.append(known ? kSuitNames[static_cast<std::size_t>(card.suit)] : "?").append("の");
    appendRankInWords(out, card.rank);
}

}  // namespace

const std::string& faceDownCardName(int slot) {
    static const std::array<std::string, Table::kMaxSlots + 1> names = [] {
        std::array<std::string, Table::kMaxSlots + 1> made;
        for (int s = 1; s <= Table::kMaxSlots; ++s) {
            std::string& name = made[static_cast<std::size_t>(s)];
            appendCardPlace(name, s);
            name.append("、裏");
        }
        return made;
    }();
    if (slot >= 1 && slot <= Table::kMaxSlots) {
        return names[static_cast<std::size_t>(slot)];
    }
    static thread_local std::string other;
    other.clear();
    appendCardPlace(other, slot);
    other.append("、裏");
    return other;
}

std::string cardInWords(const Card& card) {
    std::string words;
    appendCardInWords(words, card);
    return words;
}

void writeFaceUpCardName(std::string& name, int slot, const Card& card) {
    // A deal names every card: the places and the cards of a pack are written once, and a name
    // is two copies.
    struct Words {
        std::array<std::string, Table::kMaxSlots + 1> places;
        std::array<std::array<std::string, 14>, 5> cards;  // by suit 1..4 and rank 1..13
    };
    static const Words words = [] {
        Words made;
        for (int s = 1; s <= Table::kMaxSlots; ++s) {
            std::string& place = made.places[static_cast<std::size_t>(s)];
            appendCardPlace(place, s);
            place.append("、");
        }
        for (int suit = 1; suit <= 4; ++suit) {
            for (int rank = 1; rank <= 13; ++rank) {
                appendCardInWords(
                    made.cards[static_cast<std::size_t>(suit)][static_cast<std::size_t>(rank)],
                    Card{static_cast<std::int16_t>(suit), static_cast<std::int16_t>(rank)});
            }
        }
        return made;
    }();
    name.clear();
    if (slot >= 1 && slot <= Table::kMaxSlots) {
        name.append(words.places[static_cast<std::size_t>(slot)]);
    } else {
        appendCardPlace(name, slot);
        name.append("、");
    }
    if (card.suit >= 1 && card.suit <= 4 && card.rank >= 1 && card.rank <= 13) {
        name.append(
            words.cards[static_cast<std::size_t>(card.suit)][static_cast<std::size_t>(card.rank)]);
    } else {
        appendCardInWords(name, card);
    }
}

std::string faceUpCardName(int slot, const Card& card) {
    std::string name;
    writeFaceUpCardName(name, slot, card);
    return name;
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
