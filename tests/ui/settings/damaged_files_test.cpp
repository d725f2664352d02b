// Stored files that another program or a person has changed or damaged: the windows open, keep
// every name and value they can read, leave the files as they are until a game starts, and a
// game start never loses the names it could read.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "shared/cp932.h"
#include "shared/text_file.h"
#include "shared/window_position_file.h"
#include "support/game_driver.h"
#include "support/harness.h"
#include "ui/settings/name_list_file.h"

namespace koropika {
namespace {

using Names = std::vector<std::string>;
namespace fs = std::filesystem;

std::string sjis(const std::string& utf8) {
    return utf8ToCp932(utf8).value();
}

std::string millionNameLines(const std::string& countLine) {
    std::string bytes = countLine + "\r\n";
    bytes.reserve(12'000'000);
    for (int i = 1; i <= 1'000'000; ++i) {
        bytes += "N" + std::to_string(i) + "\r\n";
    }
    return bytes;
}

// A name.txt as found, what the settings window must list, and the names of it that must
// survive a game start.
struct DamagedNameList {
    const char* what;
    std::string bytes;
    std::size_t listed;
    Names kept;  // names that must be listed and stay in the file, in this order
};

std::vector<DamagedNameList> damagedNameLists() {
    return {
        {"UTF-8 without a byte order mark", " 2 \r\nたろう\r\nABC\r\n", 2, {"ABC"}},
        {"UTF-8 with a byte order mark",
         "\xEF\xBB\xBF 2 \r\nたろう\r\nABC\r\n",
         2,
         {"たろう", "ABC"}},
        {"line feeds only", " 2 \n" + sjis("たろう") + "\nABC\n", 2, {"たろう", "ABC"}},
        {"invalid byte sequences",
         " 4 \r\nA\x82\r\n\xFF\xFE\x80\r\n" + sjis("はなこ") + "\r\nB\r\n",
         4,
         {"はなこ", "B"}},
        {"empty", "", 0, {}},
        {"a count without names", " 7 \r\n", 0, {}},
        {"a million names", millionNameLines(" 1000000 "), kMaxStoredNames, {"N1", "N32767"}},
        {"a million names under a small count", millionNameLines(" 3 "), 3, {"N1", "N2", "N3"}},
    };
}

bool contains(const Names& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

TEST(DamagedFiles, TheSettingsWindowKeepsEveryReadableNameAndTheFileUntilAGameStarts) {
    for (const DamagedNameList& file : damagedNameLists()) {
        SCOPED_TRACE(file.what);
        testing::Harness run;
        testing::GameDriver driver(run);
        run.folder().write(kNameListFileName, file.bytes);
        ::testing::internal::CaptureStderr();
        run.program().start();
        const std::string said = ::testing::internal::GetCapturedStderr();

        ASSERT_EQ(&run.windowOnScreen(), &run.settingsWindow());
        const Names listed = run.onScreen("Combo1").items();
        EXPECT_EQ(listed.size(), file.listed);
        for (const std::string& name : file.kept) {
            EXPECT_TRUE(contains(listed, name)) << name;
        }
        // Only a list cut short is reported, in one line.
        const bool cut = file.listed == kMaxStoredNames;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), cut ? 1 : 0) << said;
        if (cut) {
            EXPECT_NE(said.find("32767"), std::string::npos) << said;
        }
        EXPECT_EQ(run.folder().read(kNameListFileName), file.bytes) << "unchanged before a game";

        // Picking the other windows' choices and going back and forth changes nothing either.
        run.click("Label7");
        run.click("Label7");
        EXPECT_EQ(run.folder().read(kNameListFileName), file.bytes);

        driver.startFromSettings("さぶろう", 2, 28);
        ASSERT_EQ(&run.windowOnScreen(), &run.gameWindow());
        const Names stored = readNameList(diskFiles(), run.folder().path()).value();
        EXPECT_EQ(stored.size(), std::min(file.listed + 1, kMaxStoredNames));
        for (const std::string& name : file.kept) {
            EXPECT_TRUE(contains(stored, name)) << name << " was lost";
        }
        // Every listed name is written back in its place.
        for (std::size_t i = 0; i < listed.size(); ++i) {
            EXPECT_EQ(stored[i], cp932ToUtf8(utf8ToCp932Replacing(listed[i])));
        }
        if (file.listed < kMaxStoredNames) {
            EXPECT_EQ(stored.back(), "さぶろう");
        }
    }
}

TEST(DamagedFiles, AFolderNamedLikeTheNameListIsNoListAndTheGameStillStarts) {
    testing::Harness run;
    testing::GameDriver driver(run);
    fs::create_directory(run.folder().file(kNameListFileName));
    run.program().start();
    EXPECT_TRUE(run.onScreen("Combo1").items().empty());

    ::testing::internal::CaptureStderr();
    driver.startFromSettings("たろう", 1, 28);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(&run.windowOnScreen(), &run.gameWindow());
    EXPECT_TRUE(fs::is_directory(run.folder().file(kNameListFileName)));
    EXPECT_NE(said.find("not saved"), std::string::npos) << said;
}

struct DamagedPosition {
    const char* what;
    std::string bytes;
    int back;  // the design the backs show
};

std::vector<DamagedPosition> damagedPositions() {
    std::string huge = " 1950 \r\n-150 \r\n 2 \r\n";
    huge.reserve(8'000'000);
    for (int i = 0; i < 1'000'000; ++i) {
        huge += " 7 \r\n";
    }
    return {
        {"UTF-8 with a byte order mark", "\xEF\xBB\xBF 1950 \r\n-150 \r\n 2 \r\n", 2},
        {"line feeds only", " 1950 \n-150 \n 3 \n", 3},
        {"invalid byte sequences", "\x82\xFF\r\n\xFE\r\n 1 \xFF\r\n", 1},
        {"a full-width number", sjis("１９５０") + "\r\n 0 \r\n 1 \r\n", 1},
        {"empty", "", 4},
        {"a million lines", huge, 2},
        {"numbers out of range", " 99999999999 \r\n-99999999999 \r\n 5 \r\n", 4},
    };
}

TEST(DamagedFiles, TheGameWindowOpensWithWhatItCanReadAndKeepsTheFileUntilItGoes) {
    for (const DamagedPosition& file : damagedPositions()) {
        SCOPED_TRACE(file.what);
        testing::Harness run;
        testing::GameDriver driver(run);
        run.folder().write(kWindowPositionFileName, file.bytes);
        run.program().start();
        driver.startFromSettings("たろう", 1, 28);
        ASSERT_EQ(&run.windowOnScreen(), &run.gameWindow());
        EXPECT_EQ(driver.ui().omote1[1].picture(), "back_" + std::to_string(file.back));
        EXPECT_EQ(run.folder().read(kWindowPositionFileName), file.bytes);

        run.chooseMenu("設定に戻る");
        ASSERT_EQ(&run.windowOnScreen(), &run.settingsWindow());
        const auto stored = readWindowPositionFile(diskFiles(), run.folder().path());
        ASSERT_TRUE(stored.has_value());
        EXPECT_EQ(stored->cardBackIndex, file.back) << "written back whole";
        EXPECT_TRUE(stored->topTwips && stored->leftTwips);
    }
}

TEST(DamagedFiles, AFolderNamedLikeThePositionFileKeepsTheDefaultsAndQuittingStillEndsTheRun) {
    testing::Harness run;
    testing::GameDriver driver(run);
    fs::create_directory(run.folder().file(kWindowPositionFileName));
    run.program().start();
    driver.startFromSettings("たろう", 1, 28);
    EXPECT_EQ(driver.ui().omote1[1].picture(), "back_4");
    run.chooseMenu("設定に戻る");
    EXPECT_EQ(&run.windowOnScreen(), &run.settingsWindow());
    run.pressAndRelease("Label8");
    run.chooseMenu("終了");
    EXPECT_EQ(run.desktop.endRequests, 1);
    EXPECT_TRUE(fs::is_directory(run.folder().file(kWindowPositionFileName)));
}

}  // namespace
}  // namespace koropika
