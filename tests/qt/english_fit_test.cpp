// Every caption a player sees in the settings window and the game window fits its element, measured
// with the real fonts of the windows' language through the real translation files.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/random.h"
#include "qt/conversions.h"
#include "qt/qt_desktop.h"
#include "support/recording_sound_device.h"
#include "ui/elements/virtual_event_loop.h"
#include "ui/game_window/game_window.h"
#include "ui/game_window/game_window_elements.h"
#include "ui/program/program.h"
#include "ui/settings/settings_window.h"

namespace koropika {
namespace {

// Room a control keeps around its text: a push button's frame and margin, a group box's caption
// inset, a drop-down's arrow; on each side but the arrow's.
constexpr int kButtonMargin = 4;
constexpr int kGroupBoxTitleInset = 8;
constexpr int kDropDownArrow = 24;

// The whole program in virtual time on a real desktop, whose program folder holds the built
// translation files.
class ProgramOnQtDesktop {
  public:
    explicit ProgramOnQtDesktop(Language language)
        : desktop_(prepareFolder(folder_)),
          program_(loop, desktop_, sound_, random_, [this] { return nextSeed_++; }) {
        desktop_.setLanguage(language);
    }

    QtDesktop& desktop() { return desktop_; }
    Program& program() { return program_; }
    GameWindow& game() { return program_.gameWindow(); }
    GameWindowElements& ui() { return *game().elements(); }

    // A person's press and release in the middle of `element`, and what it sets off now.
    void pressAndRelease(Element& element) {
        const Rect r = element.windowRect();
        const Point centre{r.left + r.width / 2, r.top + r.height / 2};
        element.window().pointerPressed(centre, MouseButton::Left);
        element.window().pointerReleased(centre, MouseButton::Left);
        loop.advanceBy(0);
    }
    void click(Element& element) {
        element.window().click(element);
        loop.advanceBy(0);
    }
    bool runUntil(const std::function<bool()>& done) { return loop.runUntil(done, 600'000); }

    VirtualEventLoop loop;

  private:
    static QString prepareFolder(const QTemporaryDir& folder) {
        // Without the file the English windows would silently keep the Japanese words.
        EXPECT_TRUE(
            QFile::exists(QStringLiteral(KOROPIKA_PROGRAM_DIR "/translations/windows_en.qm")));
        QFile::link(QStringLiteral(KOROPIKA_PROGRAM_DIR "/translations"),
                    folder.path() + QStringLiteral("/translations"));
        return folder.path();
    }

    QTemporaryDir folder_;
    QtDesktop desktop_;
    testing::RecordingSoundDevice sound_{loop};
    SeededRandom random_;
    std::uint64_t nextSeed_ = 1;
    Program program_;
};

// The visible captions of `window` that do not fit their element (or, in English, are not
// English), one line each, and how many captions were measured.
struct Fit {
    std::vector<std::string> faults;
    int measured = 0;
};
Fit captionsThatDoNotFit(const QtDesktop& desktop, const Window& window) {
    Fit fit;
    std::vector<std::string>& faults = fit.faults;
    const WindowView* view = desktop.viewOf(window);
    if (view == nullptr) {
        return {{"the window is not on screen"}, 0};
    }
    QCoreApplication::sendPostedEvents();  // lays the view out
    const QSize client = view->clientArea()->size();
    const auto fault = [&](const Element& element, const std::string& text, int needed, int room) {
        faults.push_back(element.name() + "[" + std::to_string(element.index()) + "] \"" + text +
                         "\" needs " + std::to_string(needed) + " px of " + std::to_string(room));
    };
    const auto width = [&](const Element& element, const std::string& text) {
        ++fit.measured;
        return desktop.measureText(element.font(), text).width;
    };
    for (const Element* element : window.elements()) {
        // Elements the window is too small to show are not seen (the settings window's
        // link lies below its client area).
        const Rect inWindow = element->windowRect();
        if (!element->shown() || inWindow.left >= client.width() ||
            inWindow.top >= client.height()) {
            continue;
        }
        const std::string& caption = element->caption();
        // A shortened name ends in "…", the one mark an English caption may hold.
        const QString plain = QString::fromStdString(caption).remove(QChar(0x2026));
        const bool ascii =
            std::all_of(plain.begin(), plain.end(), [](QChar c) { return c.unicode() < 0x80; });
        if (desktop.language() == Language::English && !ascii && caption != "ころぴか V_1.0") {
            faults.push_back(element->name() + " shows \"" + caption + "\", not English");
        }
        switch (element->kind()) {
            case ElementKind::Label: {
                if (caption.empty()) {
                    break;
                }
                if (element->autoSize()) {
                    // Sized to its text: the text must stay inside the width of its container
                    // and of the window.
                    int right = client.width();
                    if (const Element* container = element->container(); container != nullptr) {
                        const Rect c = container->windowRect();
                        right = std::min(right, c.left + c.width);
                    }
                    const int needed = inWindow.left + width(*element, caption);
                    if (inWindow.left < 0 || needed > right) {
                        fault(*element, caption, needed, right);
                    }
                    break;
                }
                // A label of fixed size shows one line when its text fits the width, and
                // otherwise wraps it at word breaks: then the lines must fit its height.
                const int oneLine = width(*element, caption);
                if (oneLine <= element->width()) {
                    break;
                }
                const QFontMetrics metrics(toQFont(element->font(), desktop.language()));
                const QRect wrapped =
                    metrics.boundingRect(QRect(0, 0, element->width(), element->height()),
                                         Qt::TextWordWrap, QString::fromStdString(caption));
                if (wrapped.width() > element->width() || wrapped.height() > element->height()) {
                    fault(*element, caption, oneLine, element->width());
                }
                break;
            }
            case ElementKind::PushButton:
                if (const int needed = width(*element, caption) + 2 * kButtonMargin;
                    needed > element->width()) {
                    fault(*element, caption, needed, element->width());
                }
                break;
            case ElementKind::GroupBox:
                if (const int needed = width(*element, caption) + 2 * kGroupBoxTitleInset;
                    needed > element->width()) {
                    fault(*element, caption, needed, element->width());
                }
                break;
            case ElementKind::ComboBox:
            case ElementKind::DropDownList:
                // The text in the box (typed or picked) and every entry of its list.
                for (const std::string& item : element->items()) {
                    const int needed = width(*element, item) + kButtonMargin + kDropDownArrow;
                    if (needed > element->width()) {
                        fault(*element, item, needed, element->width());
                    }
                }
                if (const int needed = width(*element, caption) + kButtonMargin + kDropDownArrow;
                    needed > element->width()) {
                    fault(*element, caption, needed, element->width());
                }
                break;
            default:
                break;
        }
    }
    return fit;
}

void expectEveryCaptionFits(const QtDesktop& desktop, const Window& window,
                            const std::string& state) {
    const Fit fit = captionsThatDoNotFit(desktop, window);
    EXPECT_GE(fit.measured, 3) << state << ": the captions on screen were measured";
    for (const std::string& fault : fit.faults) {
        ADD_FAILURE() << state << ": " << fault;
    }
}

// The longest name a player can type in the name box: its line edit's own limit.
constexpr int kLongestName = 32767;

// `label` is tall enough for its letters' deepest reach below the line.
void expectRoomBelowTheLine(const QtDesktop& desktop, const Element& label) {
    const QFontMetrics metrics(toQFont(label.font(), desktop.language()));
    EXPECT_GE(label.height(), metrics.ascent() + metrics.descent()) << label.name();
}

// `label` shows `name` in `pattern` on one line, whole or with its tail given way to "…" after a
// whole character.
void expectNameOnOneLine(const QtDesktop& desktop, const Element& label, const std::string& name,
                         const std::string& pattern = "%1") {
    const std::string& shown = label.caption();
    EXPECT_LE(desktop.measureText(label.font(), shown).width, label.width()) << label.name();
    expectRoomBelowTheLine(desktop, label);
    const std::size_t head = shown.size() + 2 - pattern.size() - std::string_view("…").size();
    EXPECT_TRUE(shown == fillText(pattern, {name}) ||
                (head < name.size() && (static_cast<unsigned char>(name[head]) & 0xC0) != 0x80 &&
                 shown == fillText(pattern, {name.substr(0, head) + "…"})))
        << label.name() << " shows \"" << shown.substr(0, 200) << "\"";
}

// The settings window, then the game window in every state of a round the player wins at level 5:
// the dice prompt, the starter, play with counts, and the result with its winner line, its three
// buttons and the offer of level 6. In English the start caption must show in English, so that
// the test cannot pass on the Japanese words alone. The player's name shows on one line wherever
// it is written, and the winner line ends with its own words.
void playARoundCheckingEveryState(Language language, const std::string& name = "Alexander") {
    SCOPED_TRACE(name.substr(0, 40));
    ProgramOnQtDesktop run(language);
    run.program().start();
    Window& settings = run.program().settingsWindow().window();
    ASSERT_TRUE(settings.shown());
    EXPECT_EQ(run.desktop().language(), language);
    expectEveryCaptionFits(run.desktop(), settings, "settings");
    run.click(settings.at("Label7"));  // the version area
    expectEveryCaptionFits(run.desktop(), settings, "version area");
    expectRoomBelowTheLine(run.desktop(), settings.at("Label6"));
    settings.typeText(settings.at("Combo1"), name);
    settings.pickItem(settings.at("Combo2"), 4);
    run.loop.advanceBy(0);
    if (name.size() < 20) {  // a longer one scrolls in its box
        expectEveryCaptionFits(run.desktop(), settings, "settings with a name");
    }
    run.pressAndRelease(settings.at("Label8"));  // 28 cards

    Window& game = run.game().window();
    ASSERT_TRUE(game.shown());
    GameWindowElements& ui = run.ui();
    ASSERT_TRUE(run.runUntil([&] { return ui.Picture1.top() == 20; }));
    expectEveryCaptionFits(run.desktop(), game, "dice prompt");
    ui.カード選択.choose();
    run.loop.advanceBy(0);
    ASSERT_TRUE(ui.Frame1.shown());
    expectEveryCaptionFits(run.desktop(), game, "card back chooser");
    run.click(ui.Command1);

    // An odd face lets the player start.
    run.click(ui.Picture2);
    ASSERT_TRUE(run.runUntil([&] { return run.game().diceFace() == 3; }));
    expectEveryCaptionFits(run.desktop(), game, "rolling dice");
    run.click(ui.Picture2);
    ASSERT_TRUE(
        run.runUntil([&] { return run.game().engine().phase() == GamePhase::StarterDecided; }));
    ASSERT_TRUE(run.game().engine().state().playerTurn);
    expectEveryCaptionFits(run.desktop(), game, "after the dice");
    if (language == Language::English) {
        ASSERT_NE(ui.Label8.caption(), "スタート")
            << "the English translation (" KOROPIKA_PROGRAM_DIR
               "/translations/windows_en.qm) holds no English for the start caption: "
               "the fit of the English captions is not tested";
    }

    run.pressAndRelease(ui.Image4);
    ASSERT_TRUE(run.runUntil([&] { return run.game().engine().phase() == GamePhase::Play; }));
    expectEveryCaptionFits(run.desktop(), game, "play");
    expectNameOnOneLine(run.desktop(), ui.Label10, name);

    // The player remembers every card: each turn takes a pair, and the round is the player's.
    const auto playerMayClick = [&] {
        const RoundState& r = run.game().engine().state();
        return r.gamePhase == GamePhase::Play && r.playerTurn && r.flippedThisTurn < 2 &&
               !r.resolvingPair && r.cardsLeft > 0;
    };
    bool countsChecked = false;
    while (!run.game().resultShown()) {
        ASSERT_TRUE(run.runUntil([&] { return run.game().resultShown() || playerMayClick(); }));
        if (run.game().resultShown()) {
            break;
        }
        const Table& table = run.game().engine().table();
        const RoundState& r = run.game().engine().state();
        if (!countsChecked && r.flippedThisTurn == 0 && r.cardsLeft < table.cardCount()) {
            expectEveryCaptionFits(run.desktop(), game, "play with counts");
            countsChecked = true;
        }
        int slot = 0;
        for (int s = 1; s <= table.cardCount() && slot == 0; ++s) {
            const bool partner = r.flippedThisTurn == 0 ||
                                 (s != r.firstSlot && table.rank(s) == table.rank(r.firstSlot));
            if (table.faceDown(s) && partner) {
                slot = s;
            }
        }
        ASSERT_NE(slot, 0);
        run.click(ui.omote1[slot]);
    }
    EXPECT_TRUE(countsChecked);
    ASSERT_TRUE(run.runUntil([&] { return run.game().resultStacksBuilt(); }));
    EXPECT_GT(run.game().engine().result().playerCards, run.game().engine().result().computerCards);
    for (const Element* shown : {&ui.Label17, &ui.Label21, &ui.Image8, &ui.Image11, &ui.Image12}) {
        EXPECT_TRUE(shown->shown()) << shown->name();
    }
    const std::string winnerWords = run.desktop().translate("GameWindow", kPlayerWins);
    expectNameOnOneLine(run.desktop(), ui.Label17, name, winnerWords);
    expectNameOnOneLine(run.desktop(), ui.Label13, name);
    expectRoomBelowTheLine(run.desktop(), ui.Label14);
    for (const Element* caption : {&ui.Label19, &ui.Label20, &ui.Label21}) {  // buttons alike in x
        EXPECT_NEAR(2 * caption->left() + caption->width(),
                    2 * ui.Image8.left() + ui.Image8.width(), 1)
            << caption->caption() << " is not in the middle of its button";
    }
    EXPECT_NE(ui.Label21.caption().find('6'), std::string::npos) << ui.Label21.caption();
    expectEveryCaptionFits(run.desktop(), game, "result");
    // The blinking line of the result, in its other phase.
    ASSERT_TRUE(run.runUntil([&] { return ui.Label18.shown(); }));
    expectEveryCaptionFits(run.desktop(), game, "result, second blink");
}

TEST(EnglishFit, EveryCaptionOfTheEnglishWindowsFitsItsElement) {
    playARoundCheckingEveryState(Language::English);
}

TEST(EnglishFit, EveryCaptionOfTheJapaneseWindowsFitsItsElement) {
    playARoundCheckingEveryState(Language::Japanese);
}

TEST(EnglishFit, ALongNameIsShortenedWhereItIsShownInBothLanguages) {
    const std::string widest = QString(kLongestName, QChar(0xFF37)).toStdString();  // Ｗ…
    for (const Language language : {Language::English, Language::Japanese}) {
        playARoundCheckingEveryState(language, "Alexandra Montgomery-Smith");
        playARoundCheckingEveryState(language, std::string(kLongestName, 'W'));
    }
    playARoundCheckingEveryState(Language::Japanese, widest);
}

// %1..%9 in `text`, sorted.
QStringList placeholders(const QString& text) {
    QStringList found;
    for (const QRegularExpressionMatch& match : QRegularExpression("%[1-9]").globalMatch(text)) {
        found.append(match.captured());
    }
    found.sort();
    return found;
}

// Every text has its English, with the same placeholders as its Japanese words.
TEST(EnglishSource, EveryEntryIsFinishedAndKeepsItsPlaceholders) {
    for (const char* name : {"windows_en.ts", "front_end_en.ts"}) {
        QFile file(QStringLiteral(KOROPIKA_SOURCE_DIR "/translations/") + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QRegularExpression entry(
            "<source>(.*?)</source>.*?<translation(.*?)>(.*?)</translation>",
            QRegularExpression::DotMatchesEverythingOption);
        int entries = 0;
        for (const auto& m : entry.globalMatch(QString::fromUtf8(file.readAll()))) {
            ++entries;
            const std::string source = m.captured(1).toStdString();
            EXPECT_EQ(m.captured(2).toStdString(), "") << name << ": " << source << " unfinished";
            EXPECT_NE(m.captured(3).toStdString(), "") << name << ": " << source;
            EXPECT_EQ(placeholders(m.captured(3)), placeholders(m.captured(1))) << source;
        }
        EXPECT_GT(entries, 50) << name;
    }
}

}  // namespace
}  // namespace koropika
