#include "shared/data_folder.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>

#include "support/temp_folder.h"

namespace koropika {
namespace {

namespace fs = std::filesystem;

// Code page 932 bytes of a stored list with one name (ころぴか), as the settings window writes it.
const std::string kStoredNames = " 1 \r\n\x82\xb1\x82\xeb\x82\xd2\x82\xa9\r\n";
const std::string kStoredPosition = " 1950 \r\n-150 \r\n 2 \r\n";

// Sets an environment variable for one test and puts the old value back afterwards.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

// A program folder and a home folder in one temporary folder. The checks of a folder the user
// cannot write need a user whom permission bits bind: the superuser ignores them, so when the
// tests run as root each check runs in a child process that has become the user `nobody`.
class DataFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (::geteuid() == 0) {
            const passwd* nobody = ::getpwnam("nobody");
            if (nobody == nullptr) {
                GTEST_SKIP() << "running as root and there is no user 'nobody' to run as";
            }
            runAs_ = {nobody->pw_uid, nobody->pw_gid};
        }
        fs::create_directories(program_);
        fs::create_directories(home_);
    }

    // Runs `check` as the user the test runs as, or as `nobody` when the test runs as root,
    // after making every file of the temporary folder that user's. Failures in the child are
    // printed there and fail the test here.
    void runAsUser(const std::function<void()>& check) {
        if (!runAs_) {
            check();
            return;
        }
        for (const auto& entry : fs::recursive_directory_iterator(temp_.path())) {
            ASSERT_EQ(::lchown(entry.path().c_str(), runAs_->first, runAs_->second), 0);
        }
        ASSERT_EQ(::chown(temp_.path().c_str(), runAs_->first, runAs_->second), 0);
        std::fflush(nullptr);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(runAs_->second) != 0 ||
                ::setuid(runAs_->first) != 0) {
                std::perror("cannot become nobody");
                std::_Exit(2);
            }
            check();
            std::fflush(nullptr);
            std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "the check as user nobody failed (status " << status << ")";
    }

    void makeProgramFolderReadOnly() const { fs::permissions(program_, fs::perms(0555)); }

    testing::TempFolder temp_;
    std::optional<std::pair<uid_t, gid_t>> runAs_;
    const std::string program_ = temp_.path() + "/program";
    const std::string home_ = temp_.path() + "/home";
    const std::string dataHome_ = home_ + "/data";
    ScopedEnv xdg_{"XDG_DATA_HOME", dataHome_.c_str()};
    ScopedEnv homeEnv_{"HOME", home_.c_str()};
};

std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return "<missing>";
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(DataFolderTest, AWritableProgramFolderKeepsTheFilesItself) {
    runAsUser([&] {
        EXPECT_EQ(dataFolderFor(program_), program_);
        EXPECT_FALSE(fs::exists(dataHome_)) << "nothing is created in the user's data folder";
    });
}

// Run as the superuser, /usr can be written; run as anyone else, it cannot. Either way an installed
// program keeps the files in the user's data folder.
TEST_F(DataFolderTest, AProgramFolderUnderUsrIsNeverWritten) {
    EXPECT_EQ(dataFolderFor("/usr"), dataHome_ + "/koropika");
    EXPECT_TRUE(fs::is_directory(dataHome_ + "/koropika"));
}

TEST_F(DataFolderTest, AReadOnlyProgramFolderMovesTheFilesToTheUsersDataFolder) {
    std::ofstream(program_ + "/name.txt", std::ios::binary) << kStoredNames;
    std::ofstream(program_ + "/itidata.txt", std::ios::binary) << kStoredPosition;
    makeProgramFolderReadOnly();
    runAsUser([&] {
        const std::string folder = dataHome_ + "/koropika";
        EXPECT_EQ(dataFolderFor(program_), folder);
        EXPECT_EQ(bytesOf(folder + "/name.txt"), kStoredNames);
        EXPECT_EQ(bytesOf(folder + "/itidata.txt"), kStoredPosition);
        EXPECT_EQ(fs::status(folder).permissions(), fs::perms(0700)) << "private to the user";
        EXPECT_EQ(::access(folder.c_str(), W_OK), 0);
    });
}

TEST_F(DataFolderTest, CopiesOnlyTheFilesTheDataFolderLacks) {
    const std::string folder = dataHome_ + "/koropika";
    fs::create_directories(folder);
    std::ofstream(folder + "/name.txt", std::ios::binary) << " 0 \r\n";
    std::ofstream(program_ + "/name.txt", std::ios::binary) << kStoredNames;
    std::ofstream(program_ + "/itidata.txt", std::ios::binary) << kStoredPosition;
    // A name differing only in letter case is another file and is not copied.
    std::ofstream(program_ + "/Name.TXT", std::ios::binary) << "x";
    makeProgramFolderReadOnly();
    runAsUser([&] {
        EXPECT_EQ(dataFolderFor(program_), folder);
        EXPECT_EQ(bytesOf(folder + "/name.txt"), " 0 \r\n") << "a newer list is kept";
        EXPECT_EQ(bytesOf(folder + "/itidata.txt"), kStoredPosition);
        EXPECT_FALSE(fs::exists(folder + "/Name.TXT"));
        // Later calls change nothing: the user's own files win from now on.
        std::ofstream(folder + "/itidata.txt", std::ios::binary) << " 0 \r\n 0 \r\n 4 \r\n";
        EXPECT_EQ(dataFolderFor(program_), folder);
        EXPECT_EQ(bytesOf(folder + "/itidata.txt"), " 0 \r\n 0 \r\n 4 \r\n");
    });
}

TEST_F(DataFolderTest, WithoutAnAbsoluteXdgDataHomeTheFolderIsUnderLocalShare) {
    makeProgramFolderReadOnly();
    for (const char* value : {static_cast<const char*>(nullptr), "", "relative/data"}) {
        const ScopedEnv xdg("XDG_DATA_HOME", value);
        runAsUser([&] {
            EXPECT_EQ(dataFolderFor(program_), home_ + "/.local/share/koropika")
                << (value ? value : "(unset)");
            EXPECT_TRUE(fs::is_directory(home_ + "/.local/share/koropika"));
        });
    }
}

TEST_F(DataFolderTest, WhenTheDataFolderCannotBeMadeTheProgramFolderIsStillRead) {
    std::ofstream(program_ + "/name.txt", std::ios::binary) << kStoredNames;
    makeProgramFolderReadOnly();
    // XDG_DATA_HOME names a plain file, so nothing can be created below it.
    std::ofstream(dataHome_, std::ios::binary) << "not a folder";
    runAsUser([&] { EXPECT_EQ(dataFolderFor(program_), program_); });
}

}  // namespace
}  // namespace koropika
