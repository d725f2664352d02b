#include "ui/settings/settings_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <string>
#include <vector>

#include "shared/cp932.h"
#include "support/harness.h"
#include "ui/settings/settings_layout.h"

namespace koropika {
namespace {

using testing::Harness;

std::string sjis(const std::string& utf8) {
    return utf8ToCp932(utf8).value();
}

std::string nameFile(const std::vector<std::string>& names) {
    std::string bytes = " " + std::to_string(names.size()) + " \r\n";
    for (const std::string& name : names) {
        bytes += sjis(name) + "\r\n";
    }
    return bytes;
}

class SettingsWindowTest : public ::testing::Test {
  protected:
    void start() { run.program().start(); }
    Element& element(const std::string& name) { return run.settingsWindow().at(name); }
    std::vector<std::string> nameBoxList() { return element("Combo1").items(); }
    bool gameWindowOnScreen() {
        return run.desktop.onScreen.size() == 1 &&
               run.desktop.onScreen.front() == &run.gameWindow();
    }

    Harness run;
};

TEST_F(SettingsWindowTest, FirstRunShowsAnEmptyNameListLevelOneAndTheCompactNameLitWindow) {
    start();
    Window& window = run.windowOnScreen();
    EXPECT_EQ(&window, &run.settingsWindow());
    EXPECT_EQ(window.caption(), "ころぴか V_1.0");
    EXPECT_TRUE(window.centred());
    EXPECT_EQ(window.heightTwips(), kCompactHeightTwips);
    EXPECT_EQ(element("Picture1").picture(), "settings_bg_1");
    EXPECT_TRUE(nameBoxList().empty());
    EXPECT_EQ(element("Combo1").text(), "");
    EXPECT_EQ(element("Combo2").items(),
              (std::vector<std::string>{"レベル 1", "レベル 2", "レベル 3", "レベル 4", "レベル 5",
                                        "レベル 6"}));
    EXPECT_EQ(element("Combo2").text(), "レベル 1");
    EXPECT_EQ(run.settings().level, 1);
    EXPECT_EQ(run.settings().cardCount, 0);
    EXPECT_EQ(run.settings().appPath, run.folder().path());
}

TEST_F(SettingsWindowTest, AnEmptyNameIsRefusedWithTheMessageAndNothingElseChanges) {
    start();
    run.pick("Combo2", 2);
    run.moveOver("Label10");
    run.pressAndRelease("Label8");
    EXPECT_EQ(run.desktop.messages, std::vector<std::string>{kEmptyNameMessage});
    EXPECT_EQ(run.windowOnScreen().name(), "設定");
    EXPECT_EQ(run.settings().cardCount, 28) << "the label sets the count before the check";
    EXPECT_EQ(run.settings().level, 3);
    EXPECT_EQ(element("Label10").textColour(), Colour::fromRgb(0xFFFFFF));
    EXPECT_EQ(run.folder().read("name.txt"), "<missing>");
    run.type("Combo1", "ゆうき");
    run.pressAndRelease("Label9");
    EXPECT_EQ(run.settings().cardCount, 40) << "the next start sets the count again";
    EXPECT_TRUE(gameWindowOnScreen());
}

TEST_F(SettingsWindowTest, ReleasingOnACardCountWithANameStoresItAndOpensTheGameWindow) {
    start();
    run.type("Combo1", "たろう");
    run.pressAndRelease("Label8");
    EXPECT_EQ(run.folder().read("name.txt"), " 1 \r\n" + sjis("たろう") + "\r\n");
    EXPECT_TRUE(gameWindowOnScreen());
    EXPECT_FALSE(run.settingsWindow().loaded());
    EXPECT_EQ(run.settings().playerName, "たろう");
    EXPECT_EQ(run.settings().cardCount, 28);
    EXPECT_EQ(run.settings().playerNameCount, 1);
    EXPECT_EQ(run.settings().playerNames, (std::vector<std::string>{"", "たろう"}));
    EXPECT_TRUE(run.desktop.messages.empty());
}

TEST_F(SettingsWindowTest, AnyMouseButtonReleasedOnACardCountStartsThatGame) {
    for (const auto& [label, count] :
         std::vector<std::pair<std::string, int>>{{"Label9", 40}, {"Label10", 52}}) {
        Harness other;
        other.program().start();
        other.type("Combo1", "花子");
        other.pressAndRelease(label, MouseButton::Right);
        EXPECT_EQ(other.settings().cardCount, count);
        EXPECT_EQ(other.windowOnScreen().name(), "トランプ");
    }
}

TEST_F(SettingsWindowTest, ReleaseAwayFromTheLabelStillCountsWhenThePressWasOnIt) {
    start();
    run.type("Combo1", "たろう");
    Window& window = run.settingsWindow();
    const Rect r = element("Label10").windowRect();
    window.pointerPressed({r.left + 3, r.top + 3}, MouseButton::Left);
    window.pointerReleased({5, 5}, MouseButton::Left);
    EXPECT_EQ(run.settings().cardCount, 52);
    EXPECT_TRUE(gameWindowOnScreen());
}

TEST_F(SettingsWindowTest, StoredNamesAreListedAndOnlyAnExactlyNewNameIsAdded) {
    run.folder().write("name.txt", nameFile({"Taro", "ＡＢ", "Taro"}));
    start();
    EXPECT_EQ(nameBoxList(), (std::vector<std::string>{"Taro", "ＡＢ", "Taro"}));
    run.type("Combo1", "Taro");
    run.pressAndRelease("Label8");
    EXPECT_EQ(run.folder().read("name.txt"), nameFile({"Taro", "ＡＢ", "Taro"}))
        << "a stored name matches its first slot and adds nothing";

    for (const char* variant : {"taro", "AB", "Taro "}) {
        run.chooseMenu("設定に戻る");
        run.type("Combo1", variant);
        run.pressAndRelease("Label8");
    }
    EXPECT_EQ(run.folder().read("name.txt"),
              nameFile({"Taro", "ＡＢ", "Taro", "taro", "AB", "Taro "}));
}

TEST_F(SettingsWindowTest, ANameTheFileFoldsMatchesItsStoredLineInsteadOfAddingItAgain) {
    start();
    run.type("Combo1", "a〜b");  // WAVE DASH, which code page 932 stores as FULLWIDTH TILDE
    run.pressAndRelease("Label8");
    for (int again = 0; again < 2; ++again) {
        run.chooseMenu("設定に戻る");
        EXPECT_EQ(element("Combo1").text(), "a〜b") << "the box shows the name as typed";
        run.pressAndRelease("Label8");
    }
    EXPECT_EQ(run.folder().read("name.txt"), " 1 \r\n" + sjis("a～b") + "\r\n");
    EXPECT_EQ(run.settings().playerNameCount, 1);
}

TEST_F(SettingsWindowTest, EveryStartRewritesTheFileAlsoWhenTheListDidNotChange) {
    start();
    run.type("Combo1", "ゆうき");
    run.pressAndRelease("Label8");
    const std::string expected = nameFile({"ゆうき"});
    EXPECT_EQ(run.folder().read("name.txt"), expected);
    run.chooseMenu("設定に戻る");
    run.folder().write("name.txt", nameFile({"ゆうき"}) + "left over line\r\n");
    run.pick("Combo1", 0);
    run.pressAndRelease("Label8");
    EXPECT_EQ(run.folder().read("name.txt"), expected) << "extra lines vanish at the next write";

    run.folder().write("name.txt", "not a number\r\nold name\r\n");
    run.chooseMenu("設定に戻る");
    EXPECT_TRUE(nameBoxList().empty());
    run.type("Combo1", "ゆうき");
    run.pressAndRelease("Label8");
    EXPECT_EQ(run.folder().read("name.txt"), expected);
}

TEST_F(SettingsWindowTest, NamesThatTheFileCannotHoldAreRefusedBeforeAnythingChanges) {
    run.folder().write("name.txt", nameFile({"たろう"}));
    start();
    for (const char* name : {"𠮷田", "ねこ🐈", "a\tb", "line\nbreak"}) {
        run.type("Combo1", name);
        run.pressAndRelease("Label9");
        EXPECT_EQ(run.windowOnScreen().name(), "設定") << name;
    }
    EXPECT_EQ(run.desktop.messages, std::vector<std::string>(4, kUnstorableNameMessage));
    EXPECT_EQ(run.folder().read("name.txt"), nameFile({"たろう"}));
    EXPECT_EQ(run.settings().playerNameCount, 1);
    EXPECT_EQ(run.settings().playerName, "");
}

TEST_F(SettingsWindowTest, TheLitBackgroundFollowsTheNameThenTheLevelPick) {
    run.folder().write("name.txt", nameFile({"たろう", "花子"}));
    start();
    EXPECT_EQ(element("Picture1").picture(), "settings_bg_1") << "the load's own selection";
    run.type("Combo1", "typed");
    EXPECT_EQ(element("Picture1").picture(), "settings_bg_1") << "typing is no pick";
    run.pick("Combo1", 1);
    EXPECT_EQ(element("Combo1").text(), "花子");
    EXPECT_EQ(element("Picture1").picture(), "settings_bg_2");
    run.pick("Combo2", 5);
    EXPECT_EQ(element("Picture1").picture(), "settings_bg_3");
    EXPECT_EQ(run.settings().level, 6);
    run.click("Label7");
    EXPECT_EQ(element("Picture1").picture(), "settings_bg_1");
}

TEST_F(SettingsWindowTest, TheLastCardCountHoveredStaysWhiteUntilAnotherIsHovered) {
    start();
    const Colour blue = Colour::fromRgb(0x0000FF);
    const Colour white = Colour::fromRgb(0xFFFFFF);
    run.moveOver("Label9");
    EXPECT_EQ(element("Label8").textColour(), blue);
    EXPECT_EQ(element("Label9").textColour(), white);
    EXPECT_EQ(element("Label10").textColour(), blue);
    const Rect sizeBefore = element("Label9").rect();
    run.moveOver("Label1");
    EXPECT_EQ(element("Label9").textColour(), white) << "leaving resets nothing";
    EXPECT_EQ(element("Label9").rect(), sizeBefore) << "the colour does not change the size";
    run.moveOver("Label10");
    EXPECT_EQ(element("Label9").textColour(), blue);
    EXPECT_EQ(element("Label10").textColour(), white);
}

TEST_F(SettingsWindowTest, TheVersionLabelTogglesTheHeightAndAReloadMakesItCompact) {
    start();
    Window& window = run.settingsWindow();
    run.click("Label7");
    EXPECT_EQ(window.heightTwips(), kExpandedHeightTwips);
    run.click("Label7");
    EXPECT_EQ(window.heightTwips(), kCompactHeightTwips);
    run.click("Label7");
    run.moveOver("Label8");
    run.type("Combo1", "たろう");
    run.pressAndRelease("Label8");
    run.chooseMenu("設定に戻る");
    EXPECT_EQ(window.heightTwips(), kCompactHeightTwips);
    EXPECT_EQ(element("Label8").textColour(), Colour::fromRgb(0x0000FF));
    run.click("Label7");
    EXPECT_EQ(window.heightTwips(), kExpandedHeightTwips);
}

TEST_F(SettingsWindowTest, TheLinkOpensItsPageInTheBrowser) {
    start();
    run.click("Label4");
    EXPECT_EQ(run.desktop.webPages, std::vector<std::string>{kLinkAddress});
    EXPECT_EQ(run.windowOnScreen().name(), "設定");
}

TEST_F(SettingsWindowTest, ComingBackFromTheGameShowsTheLastNameAndTheCurrentLevel) {
    run.folder().write("name.txt", nameFile({"たろう"}));
    start();
    run.pick("Combo2", 3);
    run.type("Combo1", "新しい人");
    run.pressAndRelease("Label10");
    run.chooseMenu("設定に戻る");
    EXPECT_EQ(run.windowOnScreen().name(), "設定");
    EXPECT_EQ(run.desktop.endRequests, 0);
    EXPECT_EQ(element("Combo1").text(), "新しい人");
    EXPECT_EQ(element("Combo2").text(), "レベル 4");
    EXPECT_EQ(nameBoxList(), (std::vector<std::string>{"たろう", "新しい人"}));
    EXPECT_EQ(element("Picture1").picture(), "settings_bg_1");
    run.pressAndRelease("Label8");
    EXPECT_EQ(run.settings().playerName, "新しい人");
    EXPECT_EQ(run.settings().cardCount, 28);
}

TEST_F(SettingsWindowTest, ClosingTheOnlyWindowEndsTheProgram) {
    start();
    run.settingsWindow().closeBoxClicked();
    EXPECT_EQ(run.desktop.endRequests, 1);
    EXPECT_TRUE(run.desktop.onScreen.empty());

    Harness game;
    game.program().start();
    game.type("Combo1", "たろう");
    game.pressAndRelease("Label8");
    EXPECT_EQ(game.desktop.endRequests, 0);
    game.gameWindow().closeBoxClicked();
    EXPECT_EQ(game.desktop.endRequests, 1);
}

TEST_F(SettingsWindowTest, AFailedNameWriteStillStartsTheGameWithTheNameInMemory) {
    run.folder().write("name.txt", nameFile({"たろう"}));
    start();
    std::filesystem::remove(run.folder().file("name.txt"));
    std::filesystem::create_directory(run.folder().file("name.txt"));  // cannot be replaced
    run.type("Combo1", "花子");
    ::testing::internal::CaptureStderr();
    run.pressAndRelease("Label9");
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("name.txt"), std::string::npos) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1);
    EXPECT_EQ(run.windowOnScreen().name(), "トランプ");
    EXPECT_EQ(run.settings().playerNames, (std::vector<std::string>{"", "たろう", "花子"}));
}

TEST_F(SettingsWindowTest, AFullNameListStartsTheGameWithoutAddingTheName) {
    std::vector<std::string> names;
    for (int i = 0; i < 32767; ++i) {
        names.push_back("p" + std::to_string(i));
    }
    run.folder().write("name.txt", nameFile(names));
    start();
    EXPECT_EQ(run.settings().playerNameCount, 32767);
    run.type("Combo1", "one too many");
    run.pressAndRelease("Label8");
    EXPECT_EQ(run.windowOnScreen().name(), "トランプ");
    EXPECT_EQ(run.settings().playerName, "one too many");
    EXPECT_EQ(run.settings().playerNameCount, 32767);
    EXPECT_EQ(run.folder().read("name.txt"), nameFile(names));
}

}  // namespace
}  // namespace koropika
