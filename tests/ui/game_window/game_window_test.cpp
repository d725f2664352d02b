#include "ui/game_window/game_window.h"

#include <gtest/gtest.h>

#include "support/recording_desktop.h"
#include "ui/elements/virtual_event_loop.h"

namespace koropika {
namespace {

class GameWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { game.window().show(); }

    Window& window() { return game.window(); }

    SharedSettings settings;
    VirtualEventLoop loop;
    testing::RecordingDesktop desktop;
    GameWindow game{settings, loop, desktop};
};

TEST_F(GameWindowTest, QuitMenuAndCloseBoxEndTheProgram) {
    window().menu("終了").choose();
    EXPECT_EQ(desktop.endRequests, 1);

    GameWindow other{settings, loop, desktop};
    other.window().show();
    other.window().closeBoxClicked();
    EXPECT_FALSE(other.window().loaded());
    EXPECT_EQ(desktop.endRequests, 2);
}

TEST_F(GameWindowTest, AnUnloadThatGoesOnToAnotherScreenKeepsTheProgramRunning) {
    game.backToSettings = 1;
    window().unload();
    EXPECT_EQ(desktop.endRequests, 0);

    window().show();
    EXPECT_EQ(game.backToSettings, 0) << "every load starts with the program ending on close";
    window().closeBoxClicked();
    EXPECT_EQ(desktop.endRequests, 1);
}

TEST_F(GameWindowTest, BackToSettingsMenuRunsTheProgramsReturnStep) {
    window().menu("設定に戻る").choose();  // nothing wired yet: no effect
    EXPECT_TRUE(window().loaded());

    int returns = 0;
    game.onBackToSettingsMenu = [&] {
        ++returns;
        game.backToSettings = 1;
        game.gamePhase = 0;
        window().unload();
    };
    window().menu("設定に戻る").choose();
    EXPECT_EQ(returns, 1);
    EXPECT_FALSE(window().loaded());
    EXPECT_EQ(desktop.endRequests, 0);
    loop.runPending();
}

TEST_F(GameWindowTest, ANewLoadShowsTheDesignedStateAgainWhileWindowFieldsStay) {
    window().createMember("omote1", 5);
    window().at("Label2").setCaption("12");
    window().at("Label3").setCaption("8");
    window().at("Shape1", 3).setVisible(true);
    window().timer("Timer6").setEnabled(true);
    window().timer("Timer1").setEnabled(false);
    game.gamePhase = 2;
    game.backToSettings = 1;
    window().unload();
    window().show();

    EXPECT_EQ(window().at("Label2").caption(), "0");
    EXPECT_EQ(window().at("Label3").caption(), "0");
    EXPECT_FALSE(window().at("Shape1", 3).visible());
    EXPECT_EQ(window().find("omote1", 5), nullptr);
    EXPECT_TRUE(window().timer("Timer1").running());
    EXPECT_FALSE(window().timer("Timer6").running());
    EXPECT_EQ(loop.runningTimers(), 1u);
    EXPECT_EQ(game.gamePhase, 2) << "window-level fields outlive the elements";
    loop.runPending();
}

TEST_F(GameWindowTest, CaptionsCodeNeverSetsKeepTheirDesignedText) {
    const std::pair<const char*, const char*> captions[] = {
        {"Label11", "コンピュータ"},
        {"Label14", "コンピュータ"},
        {"Label6", "カード枚数"},
        {"Label7", "カード枚数"},
        {"Label4", "枚"},
        {"Label5", "枚"},
        {"Label1", "レベル"},
        {"Label18", "GAME-OVER"},
        {"Label19", "もう一度やり直す"},
        {"Label20", "設定画面に戻る"},
        {"Label21", "レベル 4 に挑戦する"},
        {"Label8", "スタート"},
        {"Frame1", "カードを選択してください"},
        {"Command1", "C"},
    };
    for (const auto& [name, text] : captions) {
        EXPECT_EQ(window().at(name).caption(), text) << name;
    }
    for (const char* empty : {"Label9", "Label10", "Label13", "Label15", "Label16", "Label17"}) {
        EXPECT_EQ(window().at(empty).caption(), "") << empty;
    }
    EXPECT_EQ(window().caption(), "ころぴか V_1.0");
}

}  // namespace
}  // namespace koropika
