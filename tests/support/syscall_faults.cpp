#include "support/syscall_faults.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

// The real calls, reached through the linker's --wrap.
extern "C" {
int __real_open(const char* path, int flags, ...);
int __real_open64(const char* path, int flags, ...);
int __real_openat(int dirfd, const char* path, int flags, ...);
int __real_mkostemp(char* pattern, int flags);
int __real_mkstemp(char* pattern);
ssize_t __real_write(int fd, const void* data, size_t size);
int __real_fsync(int fd);
int __real_fdatasync(int fd);
int __real_close(int fd);
int __real_rename(const char* from, const char* to);
int __real_renameat(int fromDir, const char* from, int toDir, const char* to);
int __real_fchmod(int fd, mode_t mode);
}

namespace koropika::testing {
namespace {

struct Plan {
    bool armed = false;
    bool failing = false;
    Syscall call = Syscall::Open;
    int occurrence = 0;
    int error = 0;
    bool shortWriteFirst = false;
    bool injected = false;
    std::array<int, kAllSyscalls.size()> counts{};
};
Plan plan;

// Counts the call; true when this one is to fail (errno is then set).
bool shouldFail(Syscall call) {
    if (!plan.armed) {
        return false;
    }
    const int index = plan.counts[static_cast<std::size_t>(call)]++;
    if (plan.failing && !plan.injected && call == plan.call && index == plan.occurrence) {
        plan.injected = true;
        errno = plan.error;
        return true;
    }
    return false;
}

mode_t modeArgument(int flags, va_list args) {
    return (flags & (O_CREAT | O_TMPFILE)) != 0 ? static_cast<mode_t>(va_arg(args, int)) : 0;
}

}  // namespace

std::string syscallName(Syscall call) {
    switch (call) {
        case Syscall::Open:
            return "open";
        case Syscall::Write:
            return "write";
        case Syscall::Fsync:
            return "fsync";
        case Syscall::Close:
            return "close";
        case Syscall::Rename:
            return "rename";
        case Syscall::Chmod:
            return "fchmod";
    }
    return "?";
}

SyscallFaults::SyscallFaults() {
    plan = Plan{};
    plan.armed = true;
}

SyscallFaults::SyscallFaults(Syscall call, int occurrence, int error, bool shortWriteFirst) {
    plan = Plan{};
    plan.armed = true;
    plan.failing = true;
    plan.call = call;
    plan.occurrence = occurrence;
    plan.error = error;
    plan.shortWriteFirst = shortWriteFirst;
}

SyscallFaults::~SyscallFaults() {
    plan = Plan{};
}

int SyscallFaults::calls(Syscall call) const {
    return plan.counts[static_cast<std::size_t>(call)];
}

bool SyscallFaults::injected() const {
    return plan.injected;
}

}  // namespace koropika::testing

using koropika::testing::shouldFail;
using koropika::testing::Syscall;

extern "C" {

int __wrap_open(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = koropika::testing::modeArgument(flags, args);
    va_end(args);
    return shouldFail(Syscall::Open) ? -1 : __real_open(path, flags, mode);
}

int __wrap_open64(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = koropika::testing::modeArgument(flags, args);
    va_end(args);
    return shouldFail(Syscall::Open) ? -1 : __real_open64(path, flags, mode);
}

int __wrap_openat(int dirfd, const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = koropika::testing::modeArgument(flags, args);
    va_end(args);
    return shouldFail(Syscall::Open) ? -1 : __real_openat(dirfd, path, flags, mode);
}

int __wrap_mkostemp(char* pattern, int flags) {
    return shouldFail(Syscall::Open) ? -1 : __real_mkostemp(pattern, flags);
}

int __wrap_mkstemp(char* pattern) {
    return shouldFail(Syscall::Open) ? -1 : __real_mkstemp(pattern);
}

ssize_t __wrap_write(int fd, const void* data, size_t size) {
    using koropika::testing::plan;
    if (!shouldFail(Syscall::Write)) {
        return __real_write(fd, data, size);
    }
    if (plan.shortWriteFirst && size > 1) {
        // The disk takes half and is full: the next write of the rest fails.
        plan.injected = false;
        ++plan.occurrence;
        plan.shortWriteFirst = false;
        return __real_write(fd, data, size / 2);
    }
    return -1;
}

int __wrap_fsync(int fd) {
    return shouldFail(Syscall::Fsync) ? -1 : __real_fsync(fd);
}

int __wrap_fdatasync(int fd) {
    return shouldFail(Syscall::Fsync) ? -1 : __real_fdatasync(fd);
}

int __wrap_close(int fd) {
    if (shouldFail(Syscall::Close)) {
        // A failing close still releases the descriptor, as on Linux.
        __real_close(fd);
        return -1;
    }
    return __real_close(fd);
}

int __wrap_rename(const char* from, const char* to) {
    return shouldFail(Syscall::Rename) ? -1 : __real_rename(from, to);
}

int __wrap_renameat(int fromDir, const char* from, int toDir, const char* to) {
    return shouldFail(Syscall::Rename) ? -1 : __real_renameat(fromDir, from, toDir, to);
}

int __wrap_fchmod(int fd, mode_t mode) {
    return shouldFail(Syscall::Chmod) ? -1 : __real_fchmod(fd, mode);
}

}  // extern "C"
