#include "ui/program/program.h"

#include <optional>
#include <string>
#include <utility>

namespace koropika {

namespace {

// The question over the settings window, looked up with the context "Program".
constexpr const char* kContinueQuestion =
    TRANSLATABLE("Program", "前回のゲームの続きから遊びますか？");
constexpr const char* kContinueAnswer = TRANSLATABLE("Program", "続きから遊ぶ");
constexpr const char* kNewGameAnswer = TRANSLATABLE("Program", "新しく始める");
//: %1 the player, %2 the level, %3 the card count, %4 and %5 the cards the player and the
//: computer have taken.
constexpr const char* kKeptRoundLine =
    TRANSLATABLE("Program", "%1　レベル %2・%3 枚　あなた %4 枚、コンピュータ %5 枚");
//: %1 and %2 the two players, %3 the card count, %4 and %5 the cards each has taken.
constexpr const char* kKeptRoundOfTwoLine =
    TRANSLATABLE("Program", "%1 対 %2・%3 枚　%4 枚 対 %5 枚");

}  // namespace

Program::Program(EventLoop& loop, Desktop& desktop, SoundDevice& sound, Random& random,
                 std::function<std::uint64_t()> newDealNumber)
    : loop_(loop),
      desktop_(desktop),
      gameWindow_(settings_, loop, desktop, sound, random, std::move(newDealNumber)),
      settingsWindow_(settings_, loop, desktop) {
    settingsWindow_.showGameWindow = [this](const GameSetup& setup) { gameWindow_.open(setup); };
    gameWindow_.onBackToSettingsMenu = [this] { returnToSettings(); };
}

void Program::useArchive(RoundArchive& archive) {
    archive_ = &archive;
    gameWindow_.onRoundEnded = [&archive](const RoundRecord& round) { archive.record(round); };
    gameWindow_.onRoundKept = [&archive](const KeptRound& round) { return archive.keep(round); };
}

void Program::start() {
    settingsWindow_.window().show();
    // Once the window is on screen: the question goes over it, and reading the records file
    // does not hold up the window's first appearance.
    loop_.post([this] { offerKeptRound(); });
}

void Program::offerKeptRound() {
    std::optional<KeptRound> kept = archive_ != nullptr ? archive_->claimKept() : std::nullopt;
    if (!kept || !settingsWindow_.window().loaded()) {
        return;
    }
    const RoundRecord& round = kept->round;
    // The counts as the round will go on: without a move that was not yet resolved.
    SeededRandom random;
    const RoundEngine rebuilt = rebuiltRound(*kept, random);
    const auto translate = [this](const char* words) {
        return desktop_.translate("Program", words);
    };
    //: %1 the player, %2 the level, %3 the card count, %4 and %5 the cards the player and the
    //: computer have taken.
    std::string detail =
        fillText(translate("%1　レベル %2・%3 枚　あなた %4 枚、コンピュータ %5 枚"),
                 {round.playerName, std::to_string(round.level), std::to_string(round.cardCount),
                  std::to_string(rebuilt.playerCards()), std::to_string(rebuilt.computerCards())});
    if (!round.opponentName.empty()) {
        detail = fillText(
            translate(kKeptRoundOfTwoLine),
            {round.playerName, round.opponentName, std::to_string(round.cardCount),
             std::to_string(rebuilt.playerCards()), std::to_string(rebuilt.computerCards())});
    }
    desktop_.ask(settingsWindow_.window(),
                 {translate(kContinueQuestion), detail, translate(kContinueAnswer),
                  translate(kNewGameAnswer)},
                 [this, kept = std::move(*kept)](bool goOn) {
                     if (goOn) {
                         settingsWindow_.window().unload();
                         gameWindow_.continueRound(kept);
                     } else {
                         RoundRecord left = kept.round;
                         left.moves = kept.turns;
                         archive_->record(left);
                     }
                 });
}

void Program::returnToSettings() {
    // The settings offer the opponent of the round left, a continued one's too.
    settings_.twoPlayers = gameWindow_.twoPlayers();
    if (settings_.twoPlayers) {
        settings_.secondPlayerName = gameWindow_.setup().secondPlayerName;
    }
    gameWindow_.leaveForSettings();
    settingsWindow_.showAfterGame(gameWindow_.setup().level);
}

}  // namespace koropika
