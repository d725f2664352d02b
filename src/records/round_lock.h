#pragma once

// A lock one run of the game holds on a file, which the system gives up when the run ends.

#include <string>

namespace koropika::records {

// An advisory lock (flock) on a small file: held by one run at a time, given up by release(),
// by the destructor, or by the system when the run ends, however it ends (killed, crashed).
class RoundLock {
  public:
    explicit RoundLock(std::string path) : path_(std::move(path)) {}
    ~RoundLock() { release(); }
    RoundLock(const RoundLock&) = delete;
    RoundLock& operator=(const RoundLock&) = delete;

    // True when this run holds the lock, taken now or before; false when another run holds it
    // or the file cannot be made.
    bool take();
    void release();
    bool held() const { return descriptor_ >= 0; }

  private:
    std::string path_;
    int descriptor_ = -1;
};

}  // namespace koropika::records
