// Wires one run of the game: the Qt application, the command line, the desktop it offers the
// windows in the system's language or the player's (and the 言語 / Language menu over it), the
// sound output with the player's stored choice of sound and the 音 menu over it, the player's
// stored pace and the 速さ menu over it, the round
// numbers drawn from a source seeded from the clock and the ゲーム番号 menu over them, the
// records of rounds (each written as its round ends, the round in play kept after every card,
// through the one store the records window also reads) and the 記録 menu over them, and the
// program with its two windows.

#include <langinfo.h>
#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <string_view>
#include <thread>
#include <vector>

#include "game/random.h"
#include "qt/deal_dialog.h"
#include "qt/language_menu.h"
#include "qt/pace_menu.h"
#include "qt/qt_desktop.h"
#include "qt/qt_event_loop.h"
#include "qt/records_menu.h"
#include "qt/sound_menu.h"
#include "qt/user_choices.h"
#include "records/records_store.h"
#include "shared/command_line.h"
#include "shared/deal_number.h"
#include "shared/durations.h"
#include "sound/sdl_sound_device.h"
#include "ui/program/program.h"

namespace {

// Opens a closed sound output (not while muted) as soon as the player moves the mouse, presses a
// button or a key, on a helper thread: the sound a click plays then finds the output ready, or
// nearly so.
class OutputWaker final : public QObject {
  public:
    OutputWaker(koropika::SdlSoundDevice& sound, QTimer& quietOutput)
        : sound_(sound), quietOutput_(quietOutput) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseMove:
            case QEvent::MouseButtonPress:
            case QEvent::KeyPress:
                if (sound_.prepareOutput()) {
                    quietOutput_.start();  // closed again if no sound follows
                }
                break;
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    koropika::SdlSoundDevice& sound_;
    QTimer& quietOutput_;
};

}  // namespace

int main(int argc, char* argv[]) {
    // --help and a bad option value are answered before Qt connects to the display, so that
    // they work without one; arguments the program does not know wait for Qt to take its own.
    const std::vector<std::string_view> given(argv + 1, argv + argc);
    const koropika::CommandLineReading early = koropika::parseCommandLine(given);
    if (early.options.help) {
        std::cout << koropika::usage("koropika");
        return 0;
    }
    if (!early.problem.empty()) {
        std::cerr << "koropika: " << early.problem << '\n' << koropika::usage("koropika");
        return 2;
    }
    // Fontconfig reads its configuration and its font caches on a helper thread while Qt connects
    // to the display: the first window's texts need them, and reading them takes about as long as
    // the connection. Fontconfig keeps what it read for the whole process.
    std::thread fontSetup([] { koropika::QtDesktop::prepareFonts(); });
    // Takes Qt's own arguments (-platform and the like) out of argv.
    QApplication application(argc, argv);
    // Qt's fonts start from fontconfig: wait for it here, or Qt would read it all a second time.
    fontSetup.join();
    // Xlib writes the window's title into WM_NAME, which window managers and tools read, in the
    // character set of the locale's character type: in any but UTF-8 (the C and POSIX locales, or
    // the C locale a locale the system lacks leaves) the Japanese title turns to unreadable bytes.
    // The character type is then C.UTF-8, which is always there; the language of the windows is
    // read from the variables themselves, not from the locale. Qt sets the locale from the
    // environment while it makes the application, so this comes after.
    if (std::string_view(nl_langinfo(CODESET)) != "UTF-8") {
        std::setlocale(LC_CTYPE, "C.UTF-8");
    }
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const koropika::CommandLineReading reading = koropika::parseCommandLine(arguments);
    if (reading.refused()) {
        std::cerr << "koropika: " << koropika::refusal(reading) << '\n'
                  << koropika::usage("koropika");
        return 2;
    }
    const koropika::CommandLine& options = reading.options;
    koropika::QtEventLoop loop;
    koropika::QtDesktop desktop;
    koropika::SdlSoundDevice sound;
    // --mute silences this run only: the stored choice of sound on or off stays as it is.
    koropika::UserChoices choices;
    koropika::SoundChoice soundChoice = choices.sound();
    soundChoice.on = soundChoice.on && !options.mute;
    sound.setMuted(!soundChoice.on);
    sound.setVolume(soundChoice.volume);
    // The windows speak the system's language unless the player chose one; a new choice is
    // taken up by the next window that loads.
    const koropika::Language systemLanguage = koropika::systemLanguage(std::getenv);
    desktop.setLanguage(koropika::languageFor(choices.language(), systemLanguage));
    koropika::LanguageMenu languageMenu(choices.language());
    languageMenu.onChosen = [&desktop, &choices, systemLanguage](koropika::LanguageChoice choice) {
        choices.setLanguage(choice);
        desktop.setLanguage(koropika::languageFor(choice, systemLanguage));
    };
    koropika::SoundMenu soundMenu(soundChoice);
    soundMenu.onSwitched = [&sound, &choices, &options](bool on) {
        sound.setMuted(!on);
        if (!options.mute) {
            choices.setSoundOn(on);
        }
    };
    soundMenu.onVolumeChosen = [&sound, &choices](koropika::Volume volume) {
        sound.setVolume(volume);
        choices.setVolume(volume);
    };
    // The sound output is closed once the game has played no sound for a while, so that an idle
    // game does not keep the sound card busy with silence; the player's next move opens it again.
    QTimer quietOutput;
    quietOutput.setSingleShot(true);
    quietOutput.setInterval(koropika::durations::kQuietOutputMs);
    QObject::connect(&quietOutput, &QTimer::timeout, [&sound] { sound.closeOutput(); });
    sound.onPlayed = [&quietOutput] { quietOutput.start(); };
    OutputWaker waker(sound, quietOutput);
    application.installEventFilter(&waker);
    // Each new round's number is drawn from a source seeded from the clock at that moment; the
    // number then seeds the round's own source.
    koropika::SeededRandom numberSource;
    koropika::SeededRandom random;
    koropika::Program program(loop, desktop, sound, random, [&numberSource] {
        numberSource.seed(static_cast<std::uint64_t>(
            std::chrono::system_clock::now().time_since_epoch().count()));
        return koropika::dealNumberFromDraw(koropika::checkedDraw(numberSource));
    });
    // The settings offer the opponent of the last game started.
    program.settings().twoPlayers = choices.twoPlayers();
    program.settings().secondPlayerName = choices.secondName();
    program.settingsWindow().onOpponentChosen = [&choices](const koropika::SharedSettings& chosen) {
        choices.setOpponent(chosen.twoPlayers, chosen.secondPlayerName);
    };
    koropika::GameWindow& game = program.gameWindow();
    if (options.deal) {
        game.setNextDealNumber(*options.deal);
    }
    // --pace sets this run's speed only: the stored speed stays as it is, and so does a speed
    // chosen in the menu during that run.
    koropika::Pace pace = choices.pace();
    pace.speed = options.pace.value_or(pace.speed);
    game.setPace(pace);
    koropika::PaceMenu paceMenu(pace);
    paceMenu.onChosen = [&game, &choices, &options](const koropika::Pace& chosen) {
        game.setPace(chosen);
        koropika::Pace stored = chosen;
        if (options.pace) {
            stored.speed = choices.pace().speed;
        }
        choices.setPace(stored);
    };
    // Every round that ends goes to the records, beside name.txt, and the round in play is kept
    // there after every card, through the one store the records window reads too. The store
    // opens its file at its first use, so a run that ends no round and shows no records makes no
    // file.
    koropika::records::RecordsStore recordsStore(
        desktop.files().dataFolderFor(desktop.programFolder()));
    const auto records = [&recordsStore]() -> koropika::records::RecordsStore& {
        return recordsStore;
    };
    game.setWallClock(
        [] { return std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now()); });
    program.useArchive(recordsStore);
    koropika::RecordsMenu recordsMenu(records, QString::fromStdString(desktop.programFolder()));
    recordsMenu.currentPlayer = [&game] { return game.setup().playerName; };
    recordsMenu.roundJustEnded = [&game] { return game.resultShown(); };
    // While the records window is open the round waits where it is.
    recordsMenu.onOpened = [&game] { game.window().holdTimers(); };
    recordsMenu.onClosed = [&game] { game.window().resumeTimers(); };
    recordsMenu.onPlay = [&game](std::uint64_t number) { game.playDeal(number); };
    koropika::DealMenu dealMenu([&game] { return game.dealNumber(); });
    dealMenu.onPlay = [&game](std::uint64_t number) { game.playDeal(number); };
    desktop.onViewMade = [&game, &recordsMenu, &soundMenu, &dealMenu, &paceMenu,
                          &languageMenu](koropika::WindowView& view) {
        if (&view.window() == &game.window()) {
            recordsMenu.addTo(view);
            dealMenu.addTo(view);
            soundMenu.addTo(view);
            paceMenu.addTo(view);
            languageMenu.addTo(view);
        }
    };
    program.start();
    return QApplication::exec();
}
