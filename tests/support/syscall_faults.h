#pragma once

#include <array>
#include <string>

namespace koropika::testing {

// Makes one chosen file system call of the code under test fail, as a full disk, a failing
// drive or a read-only folder would. Works in a test binary linked with
// -Wl,--wrap=open,... (see tests/shared/CMakeLists.txt): the wrappers count every call made
// while a SyscallFaults is armed and fail the chosen one with the chosen error.
enum class Syscall { Open, Write, Fsync, Close, Rename, Chmod };
inline constexpr std::array kAllSyscalls = {Syscall::Open,  Syscall::Write,  Syscall::Fsync,
                                            Syscall::Close, Syscall::Rename, Syscall::Chmod};
std::string syscallName(Syscall call);

class SyscallFaults {
  public:
    // Counts calls without failing any.
    SyscallFaults();
    // Fails the `occurrence`-th call (0-based) of `call` with `error`. A write that is to fail
    // first writes half of its bytes when `shortWriteFirst` is set, as a disk filling up does.
    SyscallFaults(Syscall call, int occurrence, int error, bool shortWriteFirst = false);
    ~SyscallFaults();
    SyscallFaults(const SyscallFaults&) = delete;
    SyscallFaults& operator=(const SyscallFaults&) = delete;

    // Calls of `call` made so far while armed.
    int calls(Syscall call) const;
    // True once the chosen call has been failed.
    bool injected() const;
};

}  // namespace koropika::testing
