#include "ui/game_window/announcements.h"

#include "shared/card_words.h"
#include "shared/texts.h"

namespace koropika {

std::string RoundWords::faceDownCardName(int slot) const {
    return fillText(translate("Announcements", "カード %1、裏"), {std::to_string(slot)});
}

std::string RoundWords::cardInWords(const Card& card) const {
    return koropika::cardInWords(translate_, card.suit, card.rank);
}

std::string RoundWords::faceUpCardName(int slot, const Card& card) const {
    return koropika::faceUpCardName(translate_, slot, card.suit, card.rank);
}

std::vector<std::string> RoundWords::diceStopped(int face, Side starter) const {
    if (!second_.empty()) {
        //: %1 the dice's face, %2 the name of the player who starts.
        return {fillText(translate("Announcements", "サイコロは %1。%2 さんが先攻です"),
                         {std::to_string(face), nameOf(starter)})};
    }
    const std::string pattern =
        starter == Side::Player
            ? translate("Announcements", "サイコロは %1。あなたが先攻です")
            : translate("Announcements", "サイコロは %1。コンピュータが先攻です");
    return {fillText(pattern, {std::to_string(face)})};
}

std::vector<std::string> RoundWords::turn(Side side) const {
    if (!second_.empty()) {
        return {fillText(translate("Announcements", "%1 さんの番です"), {nameOf(side)})};
    }
    return {side == Side::Player ? translate("Announcements", "あなたの番です")
                                 : translate("Announcements", "コンピュータの番です")};
}

std::vector<std::string> RoundWords::cardTurned(const TurnedCard& card) const {
    if (!second_.empty()) {
        return cardTurnedAtTwo(card);
    }
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

std::vector<std::string> RoundWords::cardTurnedAtTwo(const TurnedCard& card) const {
    //: %1 who turned the card, %2 the card's place, %3 the card in words.
    std::vector<std::string> said = {
        fillText(translate("Announcements", "%1: カード %2、%3"),
                 {nameOf(card.side), std::to_string(card.slot), cardInWords(card.face)})};
    if (card.pair) {
        said.push_back(fillText(translate("Announcements", "ペア！ %1 さんが取りました。%2"),
                                {nameOf(card.side), counts(card.playerCards, card.computerCards)}));
    } else if (card.second) {
        said.push_back(translate("Announcements", "ペアではありません"));
    }
    return said;
}

std::string RoundWords::counts(int playerCards, int computerCards) const {
    //: Both players' cards: %1 the first's name, %2 their cards, %3 the second's name, %4 theirs.
    return fillText(translate("Announcements", "%1 %2 枚、%3 %4 枚"),
                    {first_, std::to_string(playerCards), second_, std::to_string(computerCards)});
}

std::vector<std::string> RoundWords::continued(int playerCards, int computerCards,
                                               Side next) const {
    if (!second_.empty()) {
        //: %1 both players' cards, %2 whose turn it is.
        return {fillText(translate("Announcements", "続きから：%1、%2"),
                         {counts(playerCards, computerCards), turn(next)[0]})};
    }
    //: %1 the player's cards, %2 the computer's, %3 whose turn it is ("あなたの番です").
    return {fillText(translate("Announcements", "続きから：あなた %1 枚、コンピューター %2 枚、%3"),
                     {std::to_string(playerCards), std::to_string(computerCards), turn(next)[0]})};
}

std::vector<std::string> RoundWords::waitingForKey() const {
    return {translate("Announcements", "キーで次へ")};
}

std::vector<std::string> RoundWords::roundOver(const std::string& resultLine,
                                               const RoundResult& result) const {
    if (!second_.empty()) {
        //: %1 the result line ("Hanako wins"), %2 both players' cards.
        return {fillText(translate("Announcements", "%1。%2"),
                         {resultLine, counts(result.playerCards, result.computerCards)})};
    }
    //: %1 the result line ("Draw", "Taro wins"), %2 the player's cards, %3 the computer's.
    return {fillText(
        translate("Announcements", "%1。あなた %2 枚、コンピュータ %3 枚"),
        {resultLine, std::to_string(result.playerCards), std::to_string(result.computerCards)})};
}

}  // namespace koropika
