#include "ui/settings/name_list_file.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include "support/file_size_limit.h"
#include "support/temp_folder.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "shared/text_file.h"

namespace koropika {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

// A temporary program folder per test, removed with its files afterwards.
class NameListFileTest : public ::testing::Test {
  protected:
    void putFile(const std::string& bytes, const std::string& name = kNameListFileName) const {
        std::ofstream(fileInFolder(appPath_, name), std::ios::binary) << bytes;
    }
    std::string fileBytes() const {
        return readWholeFile(fileInFolder(appPath_, kNameListFileName)).value_or("<missing>");
    }
    std::optional<Names> read() const { return readNameList(diskFiles(), appPath_); }

    testing::TempFolder temp_;

    std::string appPath_ = temp_.path();
};

TEST_F(NameListFileTest, NamesAreReadInFileOrder) {
    putFile(" 2 \r\nA\r\nB\r\n");
    EXPECT_EQ(read(), (Names{"A", "B"}));
}

TEST_F(NameListFileTest, MissingFileIsToldApartFromAnEmptyList) {
    EXPECT_EQ(read(), std::nullopt);
    putFile(" 0 \r\n");
    EXPECT_EQ(read(), Names{});
    putFile("");
    EXPECT_EQ(read(), Names{});
}

TEST_F(NameListFileTest, FileNamedInOtherLetterCaseCountsAsAbsent) {
    putFile(" 1 \r\nA\r\n", "NAME.TXT");
    EXPECT_EQ(read(), std::nullopt);
    putFile(" 1 \r\nA\r\n", "Name.txt");
    EXPECT_EQ(read(), std::nullopt);
}

TEST_F(NameListFileTest, DuplicateNamesAreBothListed) {
    putFile(" 3 \r\nA\r\nA\r\nB\r\n");
    EXPECT_EQ(read(), (Names{"A", "A", "B"}));
}

TEST_F(NameListFileTest, EachCountedLineIsOneWholeName) {
    putFile(" 5 \r\nSmith, John\r\n  spaced \r\n\"quoted\"\r\n\r\nLast\r\n");
    EXPECT_EQ(read(), (Names{"Smith, John", "  spaced ", "\"quoted\"", "", "Last"}));
}

TEST_F(NameListFileTest, LinesAfterTheCountedNamesAreIgnored) {
    putFile(" 1 \r\nA\r\nB\r\nC\r\n");
    EXPECT_EQ(read(), Names{"A"});
}

TEST_F(NameListFileTest, CountLargerThanTheLinesReadsTheNamesThatAreThere) {
    putFile(" 5 \r\nA\r\nB");
    EXPECT_EQ(read(), (Names{"A", "B"}));
}

TEST_F(NameListFileTest, CountOutsideTheRangeReadsEveryNamePresent) {
    putFile("-3\r\nA\r\nB\r\n");
    EXPECT_EQ(read(), (Names{"A", "B"}));
    putFile("99999\r\nA\r\nB\r\nC\r\n");
    EXPECT_EQ(read(), (Names{"A", "B", "C"}));
    putFile("123456789012345678901234567890\r\nA\r\n");
    EXPECT_EQ(read(), Names{"A"});
}

TEST_F(NameListFileTest, CountOutsideTheRangeStillReadsAtMost32767Names) {
    std::string bytes = "40000\r\n";
    for (int i = 0; i < 40000; ++i) {
        bytes += "n\r\n";
    }
    putFile(bytes);
    const std::optional<Names> names = read();
    ASSERT_TRUE(names.has_value());
    EXPECT_EQ(names->size(), 32767u);
}

TEST_F(NameListFileTest, FirstLineThatIsNotANumberMeansNoNames) {
    putFile("A\r\nB\r\n");
    EXPECT_EQ(read(), Names{});
    putFile("2x\r\nA\r\nB\r\n");
    EXPECT_EQ(read(), Names{});
}

TEST_F(NameListFileTest, BareCountAndLoneLineFeedsAreAccepted) {
    putFile("2\nA\nB");
    EXPECT_EQ(read(), (Names{"A", "B"}));
}

TEST_F(NameListFileTest, GarbageNeverBreaksTheReader) {
    std::string garbage(" 3 \r\n", 5);
    for (int i = 0; i < 512; ++i) {
        garbage += static_cast<char>((i * 167 + 13) % 256);
    }
    putFile(garbage);
    const std::optional<Names> names = read();
    ASSERT_TRUE(names.has_value());
    EXPECT_LE(names->size(), 3u);
    putFile(std::string("\x82\r\n\xFF\xFF\r\n", 6));
    EXPECT_EQ(read(), Names{});
}

TEST_F(NameListFileTest, UndecodableBytesReadAsReplacementAndWriteAsQuestionMarks) {
    putFile(" 1 \r\nA\xFF\x42\r\n");
    const std::optional<Names> names = read();
    ASSERT_EQ(names, Names{"A\uFFFDB"});
    EXPECT_EQ(writeNameList(diskFiles(), appPath_, *names), "");
    EXPECT_EQ(fileBytes(), " 1 \r\nA?B\r\n");
}

TEST_F(NameListFileTest, WriterProducesExactlyTheCountLineAndOneLinePerName) {
    EXPECT_EQ(writeNameList(diskFiles(), appPath_, {"たろう"}), "");
    EXPECT_EQ(fileBytes(), " 1 \r\n\x82\xBD\x82\xEB\x82\xA4\r\n");
    EXPECT_EQ(writeNameList(diskFiles(), appPath_, {}), "");
    EXPECT_EQ(fileBytes(), " 0 \r\n");
    EXPECT_EQ(writeNameList(diskFiles(), appPath_, {"A", "B", "C"}), "");
    EXPECT_EQ(fileBytes(), " 3 \r\nA\r\nB\r\nC\r\n");
}

TEST_F(NameListFileTest, WrittenNamesReadBackUnchanged) {
    const Names names{"Smith, John", "  spaced ", "\"quoted\"", "", "山田①", "A", "A"};
    ASSERT_EQ(writeNameList(diskFiles(), appPath_, names), "");
    EXPECT_EQ(read(), names);
}

TEST_F(NameListFileTest, RewritingAnUnchangedListKeepsTheSameBytes) {
    putFile(" 2 \r\nA\r\nB\r\n");
    Names names = *read();
    ASSERT_EQ(writeNameList(diskFiles(), appPath_, names), "");
    EXPECT_EQ(fileBytes(), " 2 \r\nA\r\nB\r\n");
    names.push_back("C");
    ASSERT_EQ(writeNameList(diskFiles(), appPath_, names), "");
    EXPECT_EQ(fileBytes(), " 3 \r\nA\r\nB\r\nC\r\n");
}

TEST_F(NameListFileTest, ALineFeedInsideANameCannotSplitIt) {
    ASSERT_EQ(writeNameList(diskFiles(), appPath_, {"A\nB", "C"}), "");
    EXPECT_EQ(read(), (Names{"A?B", "C"}));
}

TEST_F(NameListFileTest, FailedWriteKeepsTheOldFileWhole) {
    putFile(" 1 \r\nA\r\n");
    // A file size limit stops the write part-way, as a full disk would, even for root.
    std::string result;
    {
        const testing::FileSizeLimit limit(8);
        result = writeNameList(diskFiles(), appPath_, {"A", "B", "C", "D"});
    }

    EXPECT_NE(result, "");
    EXPECT_EQ(fileBytes(), " 1 \r\nA\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(appPath_), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace koropika
