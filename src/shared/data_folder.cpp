#include "shared/data_folder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "shared/text_file.h"

namespace koropika {
namespace {

// The two files the program keeps between runs.
constexpr const char* kKeptFiles[] = {"name.txt", "itidata.txt"};

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return home;
    }
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir) {
        return entry->pw_dir;
    }
    return {};
}

// $XDG_DATA_HOME, or ~/.local/share when it is unset, empty or not an absolute path (a relative
// one is to be ignored).
std::string userDataHome() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && xdg[0] == '/') {
        return xdg;
    }
    const std::string home = homeFolder();
    return home.empty() ? std::string() : home + "/.local/share";
}

// A folder under /usr belongs to the installed system and its package manager: not even the
// superuser, who may write there, leaves the game's files in it.
bool isSystemFolder(const std::string& folder) {
    return folder == "/usr" || folder.rfind("/usr/", 0) == 0;
}

// Creates `folder` and any missing folders above it, each private to the user (0700).
bool makeFolders(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0) {
        return S_ISDIR(info.st_mode);
    }
    if (const auto slash = folder.find_last_of('/'); slash != std::string::npos && slash > 0) {
        if (!makeFolders(folder.substr(0, slash))) {
            return false;
        }
    }
    return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

}  // namespace

std::string dataFolderFor(const std::string& programFolder) {
    if (!isSystemFolder(programFolder) && ::access(programFolder.c_str(), W_OK) == 0) {
        return programFolder;
    }
    const std::string dataHome = userDataHome();
    if (dataHome.empty()) {
        return programFolder;
    }
    const std::string folder = dataHome + "/koropika";
    if (!makeFolders(folder) || ::access(folder.c_str(), W_OK) != 0) {
        return programFolder;
    }
    for (const char* name : kKeptFiles) {
        if (plainFileExists(folder, name) || !plainFileExists(programFolder, name)) {
            continue;
        }
        // A copy that fails leaves the data folder without the file; the next call tries again.
        if (const auto bytes = readWholeFile(fileInFolder(programFolder, name))) {
            writeFileReplacing(fileInFolder(folder, name), *bytes);
        }
    }
    return folder;
}

}  // namespace koropika
