#pragma once

#include <string>
#include <vector>

#include "shared/sound_device.h"
#include "ui/elements/virtual_event_loop.h"

namespace koropika::testing {

// Plays nothing: records each path and holds the virtual clock for the sound's length, as a
// real sound holds the thread.
class RecordingSoundDevice final : public SoundDevice {
  public:
    explicit RecordingSoundDevice(VirtualEventLoop& loop, int lengthMs = 100)
        : loop_(loop), lengthMs_(lengthMs) {}

    void playToEnd(const std::string& path) override {
        ++plays;
        if (keepPaths) {
            played.push_back(path);
        }
        loop_.block(lengthMs_);
    }

    std::vector<std::string> played;
    long plays = 0;
    // A long run that only needs the sounds' time turns the recording of paths off.
    bool keepPaths = true;

  private:
    VirtualEventLoop& loop_;
    int lengthMs_;
};

}  // namespace koropika::testing
