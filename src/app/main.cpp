// Wires one run of the game: the Qt application, the desktop it offers the windows, and the
// program with its shared settings and two windows.

#include <QApplication>
#include <chrono>
#include <cstdint>

#include "game/random.h"

#include "qt/qt_desktop.h"
#include "qt/qt_event_loop.h"
#include "ui/program/program.h"

namespace {

// Stands in until the sound device is wired.
class SilentSoundDevice final : public koropika::SoundDevice {
  public:
    void playToEnd(const std::string&) override {}
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    koropika::QtEventLoop loop;
    koropika::QtDesktop desktop;
    SilentSoundDevice sound;
    koropika::SeededRandom random;
    koropika::Program program(loop, desktop, sound, random, [] {
        return static_cast<std::uint64_t>(
            std::chrono::system_clock::now().time_since_epoch().count());
    });
    program.start();
    return QApplication::exec();
}
