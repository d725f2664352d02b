// The game's windows in English: the real translation file the build makes, over the headless
// program, and the translation source every entry of which must be finished.

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTranslator>
#include <QXmlStreamReader>

#include <array>
#include <regex>
#include <set>
#include <string>
#include <vector>

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

bool ascii(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

// Every caption, accessible name, list entry and menu caption of `window` that is not plain
// ASCII: in English none is, the product name aside.
std::vector<std::string> nonEnglishTexts(const Window& window) {
    std::vector<std::string> found;
    for (const Element* element : window.elements()) {
        std::vector<std::string> texts = element->items();
        texts.push_back(element->caption());
        texts.push_back(element->accessibleName());
        for (const std::string& text : texts) {
            if (!ascii(text) && text != "ころぴか V_1.0") {
                found.push_back(element->name() + ": " + text);
            }
        }
    }
    for (const auto& menu : window.menus()) {
        if (!ascii(menu->caption())) {
            found.push_back(menu->name() + ": " + menu->caption());
        }
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

// %1..%9 in `text`, each once.
std::set<QString> placeholders(const QString& text) {
    std::set<QString> found;
    for (const QRegularExpressionMatch& match : QRegularExpression("%[1-9]").globalMatch(text)) {
        found.insert(match.captured());
    }
    return found;
}

TEST(WindowsTranslationSource, EveryEntryIsFinishedAndKeepsItsPlaceholders) {
    QFile file(KOROPIKA_SOURCE_DIR "/translations/windows_en.ts");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString source;
    int entries = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == u"source") {
            source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            ++entries;
            EXPECT_TRUE(xml.attributes().value("type").isEmpty()) << source.toStdString();
            const QString english = xml.readElementText();
            EXPECT_FALSE(english.isEmpty()) << source.toStdString();
            EXPECT_EQ(placeholders(english), placeholders(source)) << source.toStdString();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(entries, 50);
}

}  // namespace
}  // namespace koropika
