#include "shared/text_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/file_size_limit.h"
#include "support/temp_folder.h"

namespace koropika {
namespace {

namespace fs = std::filesystem;

// A fresh folder for one test, removed with everything in it afterwards.
class TextFileTest : public ::testing::Test {
  protected:
    std::string path(const std::string& name) const { return fileInFolder(folder_, name); }
    void put(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    testing::TempFolder temp_;

    std::string folder_ = temp_.path();
};

using Lines = std::vector<std::string>;

TEST(SplitCrLfLines, CrLfAndLoneLfBothEndALine) {
    EXPECT_EQ(splitCrLfLines("A\r\nB\r\n"), (Lines{"A", "B"}));
    EXPECT_EQ(splitCrLfLines("A\nB\r\nC"), (Lines{"A", "B", "C"}));
    EXPECT_EQ(splitCrLfLines("A\r\nB\r"), (Lines{"A", "B"}));
}

TEST(SplitCrLfLines, EmptyLinesCountButNotTheEndAfterTheLastLineEnd) {
    EXPECT_EQ(splitCrLfLines(""), Lines{});
    EXPECT_EQ(splitCrLfLines("\r\n"), Lines{""});
    EXPECT_EQ(splitCrLfLines("A\r\n\r\n\r\nB"), (Lines{"A", "", "", "B"}));
}

TEST(SplitCrLfLines, OnlyOneCarriageReturnIsRemovedAndInnerOnesStay) {
    EXPECT_EQ(splitCrLfLines("A\r\r\nB\rC\r\n"), (Lines{"A\r", "B\rC"}));
}

TEST_F(TextFileTest, FileIsFoundOnlyUnderItsExactName) {
    put("NAME.TXT", "x");
    EXPECT_FALSE(plainFileExists(folder_, "name.txt"));
    EXPECT_TRUE(plainFileExists(folder_, "NAME.TXT"));
    put("name.txt", "y");
    EXPECT_TRUE(plainFileExists(folder_, "name.txt"));
}

TEST_F(TextFileTest, FoldersAndMissingPlacesAreNotFiles) {
    fs::create_directory(path("name.txt"));
    EXPECT_FALSE(plainFileExists(folder_, "name.txt"));
    EXPECT_FALSE(plainFileExists(folder_ + "/missing", "name.txt"));
    EXPECT_FALSE(plainFileExists(folder_, ""));
    EXPECT_FALSE(plainFileExists(folder_, "."));
}

TEST_F(TextFileTest, WholeFileIsReadByteForByte) {
    const std::string bytes("a\0\r\n\xFF\x82\xA0", 7);
    put("data", bytes);
    EXPECT_EQ(readWholeFile(path("data")), bytes);
    put("empty", "");
    EXPECT_EQ(readWholeFile(path("empty")), "");
}

TEST_F(TextFileTest, MissingFileOrFolderCannotBeRead) {
    EXPECT_FALSE(readWholeFile(path("missing")).has_value());
    fs::create_directory(path("sub"));
    EXPECT_FALSE(readWholeFile(path("sub")).has_value());
}

TEST_F(TextFileTest, WritingCreatesOrReplacesTheFileAndLeavesNothingElse) {
    EXPECT_EQ(writeFileReplacing(path("out.txt"), "first\r\n"), "");
    EXPECT_EQ(readWholeFile(path("out.txt")), "first\r\n");
    EXPECT_EQ(writeFileReplacing(path("out.txt"), "2"), "");
    EXPECT_EQ(readWholeFile(path("out.txt")), "2");
    EXPECT_EQ(entries(), Lines{"out.txt"});
}

TEST_F(TextFileTest, WrittenFileHasTheModeOfANormallyCreatedFile) {
    const mode_t oldMask = umask(022);
    const std::string result = writeFileReplacing(path("out.txt"), "x");
    umask(027);
    const std::string second = writeFileReplacing(path("other.txt"), "x");
    umask(oldMask);
    ASSERT_EQ(result, "");
    ASSERT_EQ(second, "");
    EXPECT_EQ(fs::status(path("out.txt")).permissions(), fs::perms(0644));
    EXPECT_EQ(fs::status(path("other.txt")).permissions(), fs::perms(0640));
}

TEST(FileInFolder, JoinsWithOneSeparator) {
    EXPECT_EQ(fileInFolder("/opt/koropika", "name.txt"), "/opt/koropika/name.txt");
    EXPECT_EQ(fileInFolder("/opt/koropika/", "name.txt"), "/opt/koropika/name.txt");
    EXPECT_EQ(fileInFolder("koropika", "itidata.txt"), "koropika/itidata.txt");
}

TEST_F(TextFileTest, WritingTwiceInARowLeavesNoTemporaryFileBehind) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(writeFileReplacing(path("name.txt"), std::to_string(i)), "");
    }
    EXPECT_EQ(readWholeFile(path("name.txt")), "2");
    EXPECT_EQ(entries(), Lines{"name.txt"});
}

TEST_F(TextFileTest, ASaveClearsWhatKilledSavesLeftButNotARunningSavesFile) {
    // A child that ends at once gives the id of a process that is gone.
    const pid_t gone = fork();
    if (gone == 0) {
        _exit(0);
    }
    waitpid(gone, nullptr, 0);
    const std::string deadLeftover = "name.txt.tmp-" + std::to_string(gone) + "-1-0";
    const std::string runningSave = "name.txt.tmp-" + std::to_string(getppid()) + "-4-0";
    put(deadLeftover, "half a sa");
    put(runningSave, "in progress");
    put("itidata.txt.tmp-" + std::to_string(gone) + "-1-0", "another file's");
    put("name.txt.tmp-notanumber", "not ours");
    EXPECT_EQ(writeFileReplacing(path("name.txt"), "names"), "");
    EXPECT_EQ(entries(), (Lines{"itidata.txt.tmp-" + std::to_string(gone) + "-1-0", "name.txt",
                                "name.txt.tmp-" + std::to_string(getppid()) + "-4-0",
                                "name.txt.tmp-notanumber"}));
}

TEST_F(TextFileTest, WritingIntoAMissingFolderReportsWhy) {
    const std::string target = folder_ + "/missing/name.txt";
    EXPECT_EQ(writeFileReplacing(target, "x"),
              "cannot write " + target + ": No such file or directory");
    EXPECT_EQ(entries(), Lines{});
}

TEST_F(TextFileTest, WritingOverAFolderFailsAndLeavesNoTemporaryFile) {
    fs::create_directory(path("name.txt"));
    put("name.txt/inside", "kept");
    const std::string result = writeFileReplacing(path("name.txt"), "x");
    EXPECT_EQ(result.rfind("cannot write " + path("name.txt") + ": ", 0), 0u) << result;
    EXPECT_EQ(result.find('\n'), std::string::npos);
    EXPECT_EQ(entries(), Lines{"name.txt"});
    EXPECT_EQ(readWholeFile(path("name.txt/inside")), "kept");
}

TEST_F(TextFileTest, FailedWriteLeavesTheOldFileWhole) {
    // A file size limit makes the write fail part-way, as a full disk would (even for root).
    put("name.txt", "old content\r\n");
    std::string result;
    {
        const testing::FileSizeLimit limit(4);
        result = writeFileReplacing(path("name.txt"), std::string(100, 'n'));
    }

    EXPECT_EQ(result, "cannot write " + path("name.txt") + ": File too large");
    EXPECT_EQ(readWholeFile(path("name.txt")), "old content\r\n");
    EXPECT_EQ(entries(), Lines{"name.txt"});
}

}  // namespace
}  // namespace koropika
