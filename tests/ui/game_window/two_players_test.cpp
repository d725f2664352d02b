// Two people at one computer: the second player in the computer's seat, from the settings
// window to the records, and a round left half-way continued by the next run.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "records/records_store.h"
#include "shared/cp932.h"
#include "support/game_driver.h"
#include "support/harness.h"
#include "ui/game_window/game_window.h"
#include "ui/settings/settings_window.h"

namespace koropika {
namespace {

using testing::GameDriver;
using testing::Harness;

struct TwoPlayerRun {
    explicit TwoPlayerRun(const std::string& folder) : store(folder) {
        run.program().useArchive(store);
        run.program().start();
        run.settle();
    }
    GameWindow& game() { return run.program().gameWindow(); }
    // Chooses a second player by the choice's click and types both names.
    void chooseNames(const std::string& first, const std::string& second) {
        run.type("Combo1", first);
        run.click("Label2");
        run.type("Combo3", second);
    }
    // The cards a click turns now, whoever's turn it is.
    std::vector<int> clickable() {
        std::vector<int> slots;
        for (int slot = 1; slot <= Table::kMaxSlots; ++slot) {
            if (game().engine().playerMayTurn(slot)) {
                slots.push_back(slot);
            }
        }
        return slots;
    }
    // Clicks random face-down cards until `done`.
    void playUntil(const std::function<bool()>& done, std::mt19937_64& policy) {
        while (!done()) {
            ASSERT_TRUE(driver.runUntil([&] { return done() || !clickable().empty(); }));
            if (const std::vector<int> slots = clickable(); !done()) {
                run.click("omote1", slots[policy() % slots.size()]);
            }
        }
    }

    Harness run;
    records::RecordsStore store;
    GameDriver driver{run};
};

TEST(TwoPlayers, ASeededRoundGoesToItsEndWithEveryCardTurnedByThePersonWhoseTurnItWas) {
    Harness folderOwner;
    TwoPlayerRun t(folderOwner.folder().path());
    t.chooseNames("太郎", "花子");
    t.run.pressAndRelease("Label8");
    ASSERT_TRUE(t.run.gameWindow().shown());
    GameWindowElements& ui = *t.game().elements();
    EXPECT_EQ(ui.Label11.caption(), "花子");
    EXPECT_FALSE(ui.Label1.visible() || ui.Shape1[1].visible()) << "no level";
    t.driver.rollDiceTo(2);  // even: the second player starts
    EXPECT_EQ(ui.Label9.caption(), "花子 さんが先攻です");
    t.driver.pressStartAndWaitForTheTable();
    EXPECT_EQ(t.game().engine().turn(), Side::Computer);
    // Nobody clicks: nothing turns, the computer's seat included.
    t.run.loop.advanceBy(120'000);
    EXPECT_TRUE(t.game().engine().moveLog().turns().empty());

    std::mt19937_64 policy(7);
    t.playUntil([&] { return t.game().resultStacksBuilt(); }, policy);
    const std::vector<MoveLog::Turn>& turns = t.game().engine().moveLog().turns();
    ASSERT_EQ(turns.size() % 2, 0u);
    Side mover = Side::Computer;
    for (std::size_t i = 0; i < turns.size(); i += 2) {
        EXPECT_EQ(turns[i].side, mover) << "move " << i / 2;
        EXPECT_EQ(turns[i + 1].side, mover) << "move " << i / 2;
        EXPECT_FALSE(turns[i].fromMemory || turns[i + 1].fromMemory);
        const bool pair = turns[i].rank == turns[i + 1].rank;
        if (!pair) {
            mover = mover == Side::Player ? Side::Computer : Side::Player;  // a pair keeps it
        }
    }
    const auto plays = [&](const std::string& file) {
        return std::count_if(t.run.sound.played.begin(), t.run.sound.played.end(),
                             [&](const std::string& path) { return path.ends_with(file); });
    };
    EXPECT_EQ(plays("click.wav"), static_cast<long>(turns.size()));
    EXPECT_EQ(plays("Pinpon.wav"), 14);
    EXPECT_EQ(plays("cancel.wav"), 0) << "the computer's sound";

    const RoundResult result = t.game().engine().result();
    EXPECT_EQ(ui.Label17.caption(), result.winner == Winner::Draw     ? "引き分け"
                                    : result.winner == Winner::Player ? "太郎 さんの勝ち"
                                                                      : "花子 さんの勝ち");
    EXPECT_EQ(ui.Label14.caption(), "花子");
    EXPECT_FALSE(ui.Image12.visible()) << "no level to go up to";
}

TEST(TwoPlayers, AnEmptyOrRepeatedSecondNameIsRefusedAndTheChoiceIsOfferedAgainAfterTheGame) {
    Harness folderOwner;
    TwoPlayerRun t(folderOwner.folder().path());
    t.chooseNames("太郎", "");
    t.run.pressAndRelease("Label9");
    t.run.type("Combo3", "太郎");
    t.run.pressAndRelease("Label9");
    EXPECT_EQ(t.run.desktop.messages,
              (std::vector<std::string>{kEmptySecondNameMessage, kSameNamesMessage}));
    EXPECT_TRUE(t.run.settingsWindow().shown());
    EXPECT_EQ(t.run.folder().read("name.txt"), "<missing>") << "nothing stored before a start";

    t.run.type("Combo3", "花子");
    t.run.pressAndRelease("Label9");
    ASSERT_TRUE(t.run.gameWindow().shown());
    EXPECT_EQ(t.run.folder().read("name.txt"), utf8ToCp932(" 2 \r\n太郎\r\n花子\r\n"));
    t.run.chooseMenu("設定に戻る");
    EXPECT_EQ(t.run.onScreen("Combo3").text(), "花子") << "offered again";
    t.run.click("Label2");  // back to the computer: its level as it was
    EXPECT_TRUE(t.run.onScreen("Combo2").enabled() && !t.run.onScreen("Combo3").visible());
}

TEST(TwoPlayers, ARoundLeftHalfWayIsContinuedByTheNextRunWithBothNames) {
    Harness folderOwner;
    std::vector<MoveLog::Turn> before;
    {
        TwoPlayerRun t(folderOwner.folder().path());
        t.chooseNames("太郎", "花子");
        t.run.pressAndRelease("Label10");
        t.driver.rollDiceTo(1);
        t.driver.pressStartAndWaitForTheTable();
        std::mt19937_64 policy(3);
        t.playUntil([&] { return t.game().engine().turnsResolved() >= 12; }, policy);
        ASSERT_TRUE(t.driver.runUntil([&] { return !t.clickable().empty(); }));
        before = t.game().engine().moveLog().turns();
    }  // the run ends with its round kept
    TwoPlayerRun next(folderOwner.folder().path());
    ASSERT_EQ(next.run.desktop.questions.size(), 1u);
    next.run.desktop.answer(true);
    next.run.settle();
    ASSERT_TRUE(next.run.gameWindow().shown());
    EXPECT_EQ(next.game().elements()->Label11.caption(), "花子");
    EXPECT_EQ(next.game().engine().moveLog().turns(), before);
    std::mt19937_64 policy(5);
    next.playUntil([&] { return next.game().resultShown(); }, policy);
    const std::vector<RoundRecord> recorded = *next.store.lastRounds("太郎", 5);
    ASSERT_EQ(recorded.size(), 1u);
    EXPECT_EQ(recorded[0].opponentName, "花子");
    EXPECT_EQ(recorded[0].playerCount + recorded[0].computerCount, 52);
}

}  // namespace
}  // namespace koropika
