// The test harness: the program's real windows, headless, in virtual time.
#pragma once

#include <string>

#include <cstdint>

#include "game/random.h"
#include "support/recording_desktop.h"
#include "support/recording_sound_device.h"
#include "support/temp_folder.h"
#include "ui/elements/virtual_event_loop.h"
#include "ui/program/program.h"

namespace koropika::testing {

// A whole run of the program without a screen: the real windows in virtual time, a recording
// desktop and sound device, and a temporary program folder.
class Harness {
    TempFolder folder_;  // first: the desktop reports it as the program folder

  public:
    Harness();

    Program& program() { return program_; }
    SharedSettings& settings() { return program_.settings(); }
    Window& settingsWindow() { return program_.settingsWindow().window(); }
    Window& gameWindow() { return program_.gameWindow().window(); }
    const TempFolder& folder() const { return folder_; }
    // From now on the windows keep their files in `memoryFiles` instead of the program folder,
    // so that a run measures the game and not the disk.
    void keepFilesInMemory() { desktop.fileStore = &memoryFiles; }

    // The element of the window on screen now (exactly one window is).
    Element& onScreen(const std::string& name, int index = -1);
    Window& windowOnScreen();

    // A person's actions on the element of the window on screen.
    void click(const std::string& name, int index = -1);
    void pressAndRelease(const std::string& name, MouseButton button = MouseButton::Left);
    void moveOver(const std::string& name);
    void type(const std::string& comboName, const std::string& text);
    void pick(const std::string& comboName, int index);
    void chooseMenu(const std::string& name);
    // Runs what an action set off at the current moment.
    void settle();

    VirtualEventLoop loop;
    RecordingDesktop desktop;
    RecordingSoundDevice sound;
    MemoryFileStore memoryFiles;
    SeededRandom random;
    // The seed of the next load of the game window; each load takes the next one.
    std::uint64_t nextSeed = 1;

  private:
    Program program_;
};

}  // namespace koropika::testing
