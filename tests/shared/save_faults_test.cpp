// Saving name.txt and itidata.txt when the file system fails at any step, and when the program
// is killed in the middle of a save: the old file stays whole, or the new one is there whole,
// and the program goes on.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "shared/text_file.h"
#include "shared/window_position_file.h"
#include "support/file_size_limit.h"
#include "support/game_driver.h"
#include "support/harness.h"
#include "support/syscall_faults.h"
#include "support/temp_folder.h"
#include "support/test_size.h"
#include "ui/settings/name_list_file.h"

namespace koropika {
namespace {

using testing::Syscall;
using testing::SyscallFaults;
using testing::TempFolder;
namespace fs = std::filesystem;

// The entries of a folder other than the ones named.
std::vector<std::string> strayFiles(const std::string& folder, const std::string& keep) {
    std::vector<std::string> stray;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename() != keep) {
            stray.push_back(entry.path().filename().string());
        }
    }
    return stray;
}

// One way of saving: which file, its old content, and the save of a new content.
struct Save {
    const char* file;
    std::string oldBytes;
    std::string newBytes;
    std::function<std::string(const std::string& folder)> save;
};

std::vector<Save> bothFiles() {
    const std::vector<std::string> names = {"たろう", "はなこ", "じろう"};
    return {
        {kNameListFileName, " 1 \r\n\x82\xbd\x82\xeb\x82\xa4\r\n", nameListFileText(names),
         [names](const std::string& folder) { return writeNameList(diskFiles(), folder, names); }},
        {kWindowPositionFileName, " 1950 \r\n-150 \r\n 4 \r\n", windowPositionFileText(300, 450, 2),
         [](const std::string& folder) {
             return writeWindowPositionFile(diskFiles(), folder, 300, 450, 2);
         }},
    };
}

TEST(SaveFaults, AFailureAtAnyStepLeavesTheOldFileWholeOrTheNewOneReportedInPlace) {
    int injected = 0;
    for (const Save& save : bothFiles()) {
        // How often the save calls each step when nothing fails.
        std::array<int, testing::kAllSyscalls.size()> steps{};
        {
            TempFolder folder;
            folder.write(save.file, save.oldBytes);
            SyscallFaults counting;
            ASSERT_EQ(save.save(folder.path()), "");
            for (Syscall call : testing::kAllSyscalls) {
                steps[static_cast<std::size_t>(call)] = counting.calls(call);
            }
        }
        ASSERT_GE(steps[static_cast<std::size_t>(Syscall::Open)], 1);
        ASSERT_GE(steps[static_cast<std::size_t>(Syscall::Write)], 1);
        ASSERT_GE(steps[static_cast<std::size_t>(Syscall::Fsync)], 1);
        ASSERT_GE(steps[static_cast<std::size_t>(Syscall::Rename)], 1);

        for (Syscall call : testing::kAllSyscalls) {
            for (int occurrence = 0; occurrence < steps[static_cast<std::size_t>(call)];
                 ++occurrence) {
                for (int error : {EACCES, ENOSPC, EIO, EROFS, EDQUOT}) {
                    for (bool shortWrite : {false, true}) {
                        if (shortWrite && call != Syscall::Write) {
                            continue;
                        }
                        SCOPED_TRACE(std::string(save.file) + " " + testing::syscallName(call) +
                                     " #" + std::to_string(occurrence) + " " +
                                     std::strerror(error) + (shortWrite ? " after half" : ""));
                        TempFolder folder;
                        folder.write(save.file, save.oldBytes);
                        std::string result;
                        {
                            SyscallFaults fault(call, occurrence, error, shortWrite);
                            result = save.save(folder.path());
                            ASSERT_TRUE(fault.injected());
                        }
                        ++injected;
                        const std::string now = folder.read(save.file);
                        if (result.empty()) {
                            // Only a step after the rename may fail without failing the save.
                            EXPECT_EQ(now, save.newBytes);
                        } else {
                            EXPECT_EQ(now, save.oldBytes) << result;
                            EXPECT_NE(result.find(std::strerror(error)), std::string::npos)
                                << result;
                        }
                        EXPECT_EQ(strayFiles(folder.path(), save.file), std::vector<std::string>{});
                    }
                }
            }
        }
    }
    EXPECT_GE(injected, 40);
}

TEST(SaveFaults, AFullDiskLeavesTheOldFileWhole) {
    for (const Save& save : bothFiles()) {
        SCOPED_TRACE(save.file);
        TempFolder folder;
        folder.write(save.file, save.oldBytes);
        std::string result;
        {
            // Room for a few bytes only, as on a disk that is nearly full.
            testing::FileSizeLimit full(5);
            result = save.save(folder.path());
        }
        EXPECT_NE(result, "");
        EXPECT_EQ(folder.read(save.file), save.oldBytes);
        EXPECT_EQ(strayFiles(folder.path(), save.file), std::vector<std::string>{});
    }
}

// Runs `body` in a child process as the user nobody; its exit status.
int runAsNobody(const std::function<int()>& body) {
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) {
            _exit(90);
        }
        _exit(body());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

TEST(SaveFaults, AReadOnlyFolderLeavesTheOldFileWholeAndSaysWhy) {
    for (const Save& save : bothFiles()) {
        SCOPED_TRACE(save.file);
        TempFolder folder;
        folder.write(save.file, save.oldBytes);
        chmod(folder.path().c_str(), 0755);  // readable by everyone, writable by its owner only
        chmod(folder.file(save.file).c_str(), 0644);
        const int status = runAsNobody([&] {
            if (getuid() == 0) {
                return 91;
            }
            const std::string result = save.save(folder.path());
            return result.find("Permission denied") != std::string::npos ? 0 : 1;
        });
        if (getuid() != 0 && status == 90) {
            GTEST_SKIP() << "needs root to run a part as another user";
        }
        EXPECT_EQ(status, 0);
        EXPECT_EQ(folder.read(save.file), save.oldBytes);
        EXPECT_EQ(strayFiles(folder.path(), save.file), std::vector<std::string>{});
    }
}

// Kills a process that saves a large file over and over at random moments: every time, the file
// holds exactly one whole content, never a mix of two and never nothing. 200 kills in a quick run,
// 1000 in the full one; KOROPIKA_KILLS sets another count.
TEST(SaveFaults, KillingTheProgramDuringASaveNeverLeavesAMixedOrEmptyFile) {
    const int kills = std::getenv("KOROPIKA_KILLS") ? std::atoi(std::getenv("KOROPIKA_KILLS"))
                                                    : test::testSize(200, 1000);
    TempFolder folder;
    const std::string path = fileInFolder(folder.path(), kNameListFileName);
    // Three contents of 256 KiB that differ in every 4 KiB page, so a mix is always seen.
    std::vector<std::string> contents;
    for (char fill : {'o', 'a', 'b'}) {
        std::string bytes(256 * 1024, fill);
        for (std::size_t i = 0; i < bytes.size(); i += 1000) {
            bytes[i] = '\n';
        }
        contents.push_back(bytes);
    }

    std::mt19937_64 random(20240611);
    int sawOld = 0;
    int sawNew = 0;
    int strays = 0;
    for (int kill = 0; kill < kills; ++kill) {
        ASSERT_EQ(writeFileReplacing(path, contents[0]), "");
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) {
                writeFileReplacing(path, contents[1 + i % 2]);
            }
        }
        std::this_thread::sleep_for(
            std::chrono::microseconds(std::uniform_int_distribution<int>(0, 3000)(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

        const std::optional<std::string> now = readWholeFile(path);
        ASSERT_TRUE(now.has_value()) << "after kill " << kill;
        ASSERT_TRUE(*now == contents[0] || *now == contents[1] || *now == contents[2])
            << "after kill " << kill << ": " << now->size() << " bytes, not one whole content";
        (*now == contents[0] ? sawOld : sawNew)++;
        // A save cut off leaves its new file behind under a temporary name; it is never the
        // file itself.
        for (const std::string& stray : strayFiles(folder.path(), kNameListFileName)) {
            ++strays;
            fs::remove(folder.file(stray));
        }
    }
    std::cout << "[ kills    ] " << kills << " kills: " << sawOld << " old, " << sawNew << " new, "
              << strays << " unfinished temporary files\n";
    EXPECT_GT(sawNew, 0);
    EXPECT_GT(sawOld, 0) << "some kills should come before the first save ends";
}

// The program itself goes on when a save fails: the game starts though name.txt could not be
// written, and going back to the settings window works though itidata.txt could not.
TEST(SaveFaults, TheGameGoesOnWhenASaveFails) {
    for (Syscall call : {Syscall::Write, Syscall::Fsync, Syscall::Rename}) {
        SCOPED_TRACE(testing::syscallName(call));
        testing::Harness run;
        testing::GameDriver driver(run);
        const std::string oldNames = " 1 \r\n\x82\xbd\x82\xeb\x82\xa4\r\n";
        const std::string oldPosition = " 1950 \r\n-150 \r\n 4 \r\n";
        run.folder().write(kNameListFileName, oldNames);
        run.folder().write(kWindowPositionFileName, oldPosition);
        run.program().start();
        {
            SyscallFaults fault(call, 0, ENOSPC);
            driver.startFromSettings("はなこ", 1, 28);
            EXPECT_TRUE(fault.injected());
        }
        EXPECT_EQ(&run.windowOnScreen(), &run.gameWindow());
        EXPECT_EQ(run.folder().read(kNameListFileName), oldNames);
        EXPECT_EQ(run.settings().playerNameCount, 2) << "the list in memory has the new name";
        {
            SyscallFaults fault(call, 0, ENOSPC);
            run.chooseMenu("設定に戻る");
            EXPECT_TRUE(fault.injected());
        }
        EXPECT_EQ(&run.windowOnScreen(), &run.settingsWindow());
        EXPECT_EQ(run.folder().read(kWindowPositionFileName), oldPosition);
        EXPECT_EQ(run.desktop.endRequests, 0);

        // The next start saves both names.
        run.pressAndRelease("Label8");
        EXPECT_EQ(readNameList(diskFiles(), run.folder().path()),
                  (std::vector<std::string>{"たろう", "はなこ"}));
        EXPECT_EQ(strayFiles(run.folder().path(), kNameListFileName),
                  std::vector<std::string>{kWindowPositionFileName});
    }
}

// A name list that is there but cannot be read (a read error, no permission) is not written
// over at the next start, which would lose every name in it.
TEST(SaveFaults, ANameListThatCannotBeReadIsNotWrittenOver) {
    testing::Harness run;
    testing::GameDriver driver(run);
    const std::string stored = " 2 \r\nA\r\nB\r\n";
    run.folder().write(kNameListFileName, stored);
    {
        SyscallFaults fault(Syscall::Open, 0, EIO);
        run.program().start();
        EXPECT_TRUE(fault.injected());
    }
    EXPECT_TRUE(run.onScreen("Combo1").items().empty());
    ::testing::internal::CaptureStderr();
    driver.startFromSettings("C", 1, 28);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(&run.windowOnScreen(), &run.gameWindow()) << "the game starts all the same";
    EXPECT_EQ(run.folder().read(kNameListFileName), stored);
    EXPECT_NE(said.find("could not be read"), std::string::npos) << said;

    // Once it can be read again, the names are listed and the next start keeps them.
    run.chooseMenu("設定に戻る");
    EXPECT_EQ(run.onScreen("Combo1").items(), (std::vector<std::string>{"A", "B"}));
    run.pressAndRelease("Label8");
    EXPECT_EQ(readNameList(diskFiles(), run.folder().path()),
              (std::vector<std::string>{"A", "B", "C"}));
}

}  // namespace
}  // namespace koropika
