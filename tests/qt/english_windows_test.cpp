// The game's windows in English: the real translation file the build makes, over the headless
// program, and the translation source every entry of which must be finished.

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTranslator>

#include <algorithm>
#include <array>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "shared/deal_number.h"
#include "support/game_driver.h"
#include "support/harness.h"
#include "ui/game_window/game_window_elements.h"

namespace koropika {
namespace {

using testing::GameDriver;
using testing::Harness;

class Heard final : public WindowObserver {
  public:
    void announced(Window&, const std::string& text) override { said.push_back(text); }
    std::vector<std::string> said;
};

// Every caption, accessible name, list entry and menu caption of `window` that is not plain
// ASCII: in English none is, the product name aside.
std::vector<std::string> nonEnglishTexts(const Window& window) {
    std::vector<std::string> found;
    const auto check = [&](const std::string& name, const std::string& text) {
        const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return c > 0; });
        if (!ascii && text != "ころぴか V_1.0") {
            found.push_back(name + ": " + text);
        }
    };
    for (const Element* element : window.elements()) {
        for (const std::string& item : element->items()) {
            check(element->name(), item);
        }
        check(element->name(), element->caption());
        check(element->name(), element->accessibleName());
    }
    for (const auto& menu : window.menus()) {
        check(menu->name(), menu->caption());
    }
    return found;
}

// The card at `slot` in the words the English file gives.
std::string englishCard(const Card& card) {
    static const std::array<const char*, 5> suits = {"", "spades", "clubs", "hearts", "diamonds"};
    static const std::array<const char*, 14> ranks = {"",     "ace",  "two",   "three", "four",
                                                      "five", "six",  "seven", "eight", "nine",
                                                      "ten",  "jack", "queen", "king"};
    return std::string(ranks[static_cast<std::size_t>(card.rank)]) + " of " +
           suits[static_cast<std::size_t>(card.suit)];
}

class EnglishWindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(english.load(KOROPIKA_PROGRAM_DIR "/translations/windows_en.qm"));
        run.desktop.translator = [this](const char* context, const char* words) {
            const QString found = english.translate(context, words);
            return found.isEmpty() ? std::string(words) : found.toStdString();
        };
        run.program().start();
    }
    void TearDown() override { run.gameWindow().setObserver(nullptr); }

    QTranslator english;
    Harness run;
    GameDriver driver{run};
    Heard heard;
};

TEST_F(EnglishWindowsTest, TheSettingsWindowAndASeededRoundSpeakEnglishThroughout) {
    Window& settings = run.settingsWindow();
    EXPECT_EQ(nonEnglishTexts(settings), std::vector<std::string>{});
    EXPECT_EQ(settings.at("Label8").caption(), "28 cards");
    EXPECT_EQ(settings.at("Combo2").items().back(), "Level 6");
    run.pressAndRelease("Label8");
    EXPECT_EQ(run.desktop.messages, std::vector<std::string>{"Please enter your name."});
    EXPECT_EQ(settings.at("Label4").caption(), "Concentration on Wikipedia");
    run.click("Label4");
    EXPECT_EQ(run.desktop.webPages,
              std::vector<std::string>{"https://en.wikipedia.org/wiki/Concentration_(card_game)"});

    run.gameWindow().setObserver(&heard);
    driver.openRound("Taro", 2, 28, 1);
    GameWindowElements& ui = driver.ui();
    EXPECT_EQ(ui.Label9.caption(), "You go first");
    EXPECT_EQ(ui.omote1[5].accessibleName(), "Card 5, face down");
    const Table& table = driver.game().engine().table();
    EXPECT_EQ(ui.ura1[10].accessibleName(), "Card 10, " + englishCard(table.card(10)));
    ASSERT_GE(heard.said.size(), 2u);
    EXPECT_EQ(heard.said[0], "Dice: 1. You go first");
    EXPECT_EQ(heard.said[1], "Your turn");

    driver.playToTheEnd(5);
    const std::string player = ui.Label2.caption();
    const std::string computer = ui.Label3.caption();
    EXPECT_EQ(ui.Label15.caption(), player);
    EXPECT_EQ(ui.Label16.caption(), computer);
    const std::set<std::string> results = {"Taro wins", "Computer wins", "Draw"};
    EXPECT_TRUE(results.count(ui.Label17.caption())) << ui.Label17.caption();
    EXPECT_EQ(ui.Label21.caption(), "Try level 3");
    EXPECT_EQ(ui.Image12.accessibleName(), "Try level 3");
    EXPECT_EQ(nonEnglishTexts(run.gameWindow()), std::vector<std::string>{});

    // Every sentence heard is one of the English patterns, and the cards each names are those
    // on the table.
    const std::regex turned(R"((Card|Computer: card) (\d+), (\w+ of \w+))");
    const std::regex other(
        R"(Your turn|Computer's turn|No pair|Pair\. (You|The computer) took it\. You \d+, computer \d+)");
    int cards = 0;
    int pairs = 0;
    for (std::size_t i = 2; i + 1 < heard.said.size(); ++i) {
        const std::string& line = heard.said[i];
        std::smatch card;
        if (std::regex_match(line, card, turned)) {
            ++cards;
            EXPECT_EQ(card[3].str(), englishCard(table.card(std::stoi(card[2].str())))) << line;
        } else {
            EXPECT_TRUE(std::regex_match(line, other)) << line;
            pairs += line.rfind("Pair.", 0) == 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(cards, static_cast<int>(driver.game().engine().moveLog().turns().size()));
    EXPECT_EQ(pairs, 14);
    EXPECT_EQ(heard.said.back(),
              ui.Label17.caption() + ". You " + player + ", computer " + computer);
}

TEST_F(EnglishWindowsTest, ARoundNumberProblemIsLookedUpUnderItsContext) {
    const DealNumberReading reading = readDealNumber("12a");
    EXPECT_EQ(english.translate(kDealNumberTextContext, reading.problem.c_str()).toStdString(),
              "Please enter digits only.");
}

// %1..%9 in `text`, in order.
QStringList placeholders(const QString& text) {
    QStringList found;
    for (const QRegularExpressionMatch& match : QRegularExpression("%[1-9]").globalMatch(text)) {
        found.append(match.captured());
    }
    found.sort();
    return found;
}

TEST(WindowsTranslationSource, EveryEntryIsFinishedAndKeepsItsPlaceholders) {
    QFile file(KOROPIKA_SOURCE_DIR "/translations/windows_en.ts");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QRegularExpression entry("<source>(.*?)</source>.*?<translation(.*?)>(.*?)</translation>",
                                   QRegularExpression::DotMatchesEverythingOption);
    int entries = 0;
    for (const QRegularExpressionMatch& m : entry.globalMatch(QString::fromUtf8(file.readAll()))) {
        ++entries;
        const std::string source = m.captured(1).toStdString();
        EXPECT_EQ(m.captured(2).toStdString(), "") << source << ": unfinished";
        EXPECT_NE(m.captured(3).toStdString(), "") << source;
        EXPECT_EQ(placeholders(m.captured(3)).join(" ").toStdString(),
                  placeholders(m.captured(1)).join(" ").toStdString())
            << source;
    }
    EXPECT_GT(entries, 50);
}

}  // namespace
}  // namespace koropika
