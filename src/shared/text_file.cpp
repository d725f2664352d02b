#include "shared/text_file.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

namespace koropika {
namespace {

std::string errorText(int error) {
    return std::system_category().message(error);
}

// Closes a file descriptor when it goes out of scope.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    void swap(FileDescriptor& other) noexcept { std::swap(fd_, other.fd_); }
    bool isOpen() const { return fd_ >= 0; }
    // Closes now and reports the result, so that a failing close is not lost.
    bool close() {
        if (fd_ < 0) {
            return true;
        }
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }

  private:
    int fd_;
};

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A name for the new file next to `path` that no other file has: the process id and a count
// make it unique within this machine, and O_EXCL refuses to reuse a name left by another run.
std::string temporaryNameFor(const std::string& path, unsigned attempt) {
    static unsigned counter = 0;
    return path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + "-" +
           std::to_string(attempt);
}

// Removes the new files that saves of `path` left behind when their process was killed before
// the rename: the process id in the name belongs to no running process any more. A save still
// running in another process keeps its file.
void removeLeftoversOf(const std::string& path) {
    const std::filesystem::path target(path);
    const std::string prefix = target.filename().string() + ".tmp-";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(target.parent_path(), error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) != 0) {
            continue;
        }
        const std::string rest = name.substr(prefix.size());
        long pid = 0;
        const auto [end, parsed] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
        if (parsed != std::errc{} || end == rest.data() || pid <= 0 || *end != '-') {
            continue;
        }
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            ::unlink(entry.path().c_str());
        }
    }
}

}  // namespace

std::string fileInFolder(const std::string& folder, std::string_view name) {
    return (std::filesystem::path(folder) / name).string();
}

bool plainFileExists(const std::string& folder, std::string_view exactName) {
    if (exactName.empty() || exactName.find('/') != std::string_view::npos || exactName == "." ||
        exactName == "..") {
        return false;
    }
    // The directory listing gives each entry's name as stored, so a file whose name differs only
    // in letter case is never taken for this one.
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error) {
        return false;
    }
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        if (entries->path().filename().native() == exactName) {
            return entries->is_regular_file(error) && !error;
        }
    }
    return false;
}

std::optional<std::string> readWholeFile(const std::string& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.isOpen()) {
        return std::nullopt;
    }
    std::string content;
    char buffer[8192];
    for (;;) {
        const ssize_t count = ::read(file.get(), buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;  // e.g. the path names a folder
        }
        if (count == 0) {
            return content;
        }
        content.append(buffer, static_cast<std::size_t>(count));
    }
}

std::vector<std::string> splitCrLfLines(std::string_view bytes) {
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    }
    return lines;
}

std::string writeFileReplacing(const std::string& path, std::string_view bytes) {
    const auto failure = [&path](int error) {
        return "cannot write " + path + ": " + errorText(error);
    };

    // Created as any new file is, with 0666 less the umask.
    std::string temporaryPath;
    FileDescriptor file(-1);
    for (unsigned attempt = 0; !file.isOpen(); ++attempt) {
        temporaryPath = temporaryNameFor(path, attempt);
        FileDescriptor opened(
            ::open(temporaryPath.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666));
        if (!opened.isOpen()) {
            if (errno == EEXIST && attempt < 100) {
                continue;
            }
            return failure(errno);
        }
        file.swap(opened);
    }
    const auto discard = [&](int error) {
        file.close();
        ::unlink(temporaryPath.c_str());
        return failure(error);
    };

    if (!writeAll(file.get(), bytes)) {
        return discard(errno);
    }
    if (::fsync(file.get()) != 0) {
        return discard(errno);
    }
    if (!file.close()) {
        return discard(errno);
    }
    if (::rename(temporaryPath.c_str(), path.c_str()) != 0) {
        return discard(errno);
    }
    removeLeftoversOf(path);

    // Make the rename itself durable; the new file is in place whatever this returns.
    const std::string folder = std::filesystem::path(path).parent_path().string();
    FileDescriptor directory(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.isOpen()) {
        ::fsync(directory.get());
    }
    return "";
}

}  // namespace koropika
