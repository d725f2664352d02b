// Plays the player's side of a round in the real game window and measures, for each click on a
// face-down card, how long the card takes to show its face on screen.
//
//   koropika_click_watch WINDOW DX DY CARDS CLICKS [--idle-every K] [--idle-seconds S]
//                        [--press-ms P] [--wav-dir DIR]
//
// WINDOW is the game window's X id, (DX, DY) the screen position of its drawing area's origin
// (the top-left corner of the table, under the menu bar), CARDS the card count of the table.
// It must be called with the table laid out and at least two cards face down. On the player's
// turn it clicks the next face-down card of a sweep over the slots, then a second one, with
// synthetic input (XTest), and watches the window's damage (XDamage): after each damage it reads
// the card's pixels until they differ from the back. One line per click:
//
//   KIND TOTAL_MS NET_MS
//
// KIND is `first` (the first card of a move), `second-miss` or `second-pair` (the second card;
// a pair plays the pair cue too before the face shows), or `idle` (a first card clicked after
// the table was left alone for S seconds with the pointer resting on the card, every K-th first
// card). TOTAL_MS runs from the release of the button (the click) to the face on screen; NET_MS
// is TOTAL_MS less the length of the cues that play before the face is drawn (click.wav, and
// Pinpon.wav after a pair), read from DIR. It stops after CLICKS clicks (exit 0) or at the
// round's end (exit 3, having printed what it measured).

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The table as the game lays it out: cards in a grid from (15, 35) with 8 pixels between
// columns and 12 between rows.
struct Grid {
    int width;
    int height;
    int columns;
};

bool gridFor(int cards, Grid& grid) {
    switch (cards) {
        case 28:
            grid = {69, 90, 7};
            return true;
        case 40:
            grid = {59, 76, 8};
            return true;
        case 52:
            grid = {52, 68, 9};
            return true;
        default:
            return false;
    }
}

// Spots of the drawing area: the player's panel (blue on the player's turn) and the side strip
// (black once the round is over).
constexpr int kPlayerPanelX = 570;
constexpr int kPlayerPanelY = 160;
constexpr int kRoundOverX = 720;
constexpr int kRoundOverY = 510;
constexpr unsigned long kBlue = 0x0000FF;

struct Options {
    Window window = 0;
    int dx = 0;
    int dy = 0;
    int cards = 0;
    int clicks = 0;
    int idleEvery = 0;
    int idleSeconds = 10;
    int pressMs = 30;
    std::string wavDir;
};

double cueMs(const std::string& path) {
    SDL_AudioSpec spec;
    Uint8* data = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV(path.c_str(), &spec, &data, &length) == nullptr) {
        std::fprintf(stderr, "cannot read %s: %s\n", path.c_str(), SDL_GetError());
        std::exit(1);
    }
    SDL_FreeWAV(data);
    const int bytesPerFrame = spec.channels * static_cast<int>(SDL_AUDIO_BITSIZE(spec.format)) / 8;
    return 1000.0 * length / bytesPerFrame / spec.freq;
}

class Table {
  public:
    Table(Display* display, const Options& options, const Grid& grid)
        : display_(display), options_(options), grid_(grid) {}

    // A card's inner part (a margin of a sixth of its size left out) in screen pixels.
    void slotInner(int slot, int& x, int& y, int& w, int& h) const {
        const int row = (slot - 1) / grid_.columns;
        const int column = (slot - 1) % grid_.columns;
        const int mx = grid_.width / 6;
        const int my = grid_.height / 6;
        x = options_.dx + 15 + column * (grid_.width + 8) + mx;
        y = options_.dy + 35 + row * (grid_.height + 12) + my;
        w = grid_.width - 2 * mx;
        h = grid_.height - 2 * my;
    }

    void centre(int slot, int& x, int& y) const {
        const int row = (slot - 1) / grid_.columns;
        const int column = (slot - 1) % grid_.columns;
        x = options_.dx + 15 + column * (grid_.width + 8) + grid_.width / 2;
        y = options_.dy + 35 + row * (grid_.height + 12) + grid_.height / 2;
    }

    std::vector<unsigned long> pixels(int slot) const {
        int x = 0;
        int y = 0;
        int w = 0;
        int h = 0;
        slotInner(slot, x, y, w, h);
        return grab(x, y, w, h);
    }

    unsigned long pixel(int x, int y) const {
        return grab(options_.dx + x, options_.dy + y, 1, 1).front();
    }

    // Share of pixels that differ between two grabs of the same size.
    static double difference(const std::vector<unsigned long>& a,
                             const std::vector<unsigned long>& b) {
        std::size_t differ = 0;
        for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
            differ += a[i] != b[i] ? 1 : 0;
        }
        return a.empty() ? 0.0 : static_cast<double>(differ) / static_cast<double>(a.size());
    }

  private:
    std::vector<unsigned long> grab(int x, int y, int w, int h) const {
        std::vector<unsigned long> out;
        XImage* image =
            XGetImage(display_, DefaultRootWindow(display_), x, y, static_cast<unsigned>(w),
                      static_cast<unsigned>(h), AllPlanes, ZPixmap);
        if (image == nullptr) {
            return out;
        }
        out.reserve(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
        for (int j = 0; j < h; ++j) {
            for (int i = 0; i < w; ++i) {
                out.push_back(XGetPixel(image, i, j) & 0xFFFFFF);
            }
        }
        XDestroyImage(image);
        return out;
    }

    Display* display_;
    const Options& options_;
    Grid grid_;
};

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

class Clicker {
  public:
    Clicker(Display* display, const Options& options, Table& table, int damageEvent)
        : display_(display), options_(options), table_(table), damageEvent_(damageEvent) {}

    // Clicks the slot and waits for its pixels to change; the milliseconds from the release to
    // the change, or a negative number when nothing changed within 3 s.
    double click(int slot, bool moveFirst) {
        int x = 0;
        int y = 0;
        table_.centre(slot, x, y);
        if (moveFirst) {
            moveTo(slot);
            sleepMs(60);
        }
        const std::vector<unsigned long> before = table_.pixels(slot);
        drainDamage();
        XTestFakeButtonEvent(display_, 1, True, CurrentTime);
        XFlush(display_);
        sleepMs(options_.pressMs);
        drainDamage();
        const auto start = Clock::now();
        XTestFakeButtonEvent(display_, 1, False, CurrentTime);
        XFlush(display_);
        const auto limit = start + std::chrono::seconds(3);
        while (Clock::now() < limit) {
            // Sleeps until the X server reports damage (or 50 ms, to look anyway).
            pollfd connection{ConnectionNumber(display_), POLLIN, 0};
            if (XPending(display_) == 0) {
                poll(&connection, 1, 50);
            }
            const bool damaged = drainDamage();
            const auto seen = Clock::now();
            if (damaged || XPending(display_) == 0) {
                if (Table::difference(before, table_.pixels(slot)) > 0.3) {
                    return std::chrono::duration<double, std::milli>(seen - start).count();
                }
            }
        }
        return -1.0;
    }

    void moveTo(int slot) {
        int x = 0;
        int y = 0;
        table_.centre(slot, x, y);
        XTestFakeMotionEvent(display_, DefaultScreen(display_), x, y, CurrentTime);
        XFlush(display_);
    }

  private:
    // Takes every waiting event; true when one of them was damage.
    bool drainDamage() {
        bool damaged = false;
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == damageEvent_ + XDamageNotify) {
                damaged = true;
            }
        }
        return damaged;
    }

    Display* display_;
    const Options& options_;
    Table& table_;
    int damageEvent_;
};

bool parse(int argc, char* argv[], Options& options) {
    if (argc < 6) {
        return false;
    }
    options.window = static_cast<Window>(std::strtoul(argv[1], nullptr, 0));
    options.dx = std::atoi(argv[2]);
    options.dy = std::atoi(argv[3]);
    options.cards = std::atoi(argv[4]);
    options.clicks = std::atoi(argv[5]);
    for (int i = 6; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const char* value = argv[i + 1];
        if (name == "--idle-every") {
            options.idleEvery = std::atoi(value);
        } else if (name == "--idle-seconds") {
            options.idleSeconds = std::atoi(value);
        } else if (name == "--press-ms") {
            options.pressMs = std::atoi(value);
        } else if (name == "--wav-dir") {
            options.wavDir = value;
        } else {
            return false;
        }
    }
    return options.window != 0 && options.clicks > 0 && !options.wavDir.empty();
}

}  // namespace

int main(int argc, char* argv[]) {
    Options options;
    Grid grid{};
    if (!parse(argc, argv, options) || !gridFor(options.cards, grid)) {
        std::fprintf(stderr, "usage: see the head of click_watch.cpp\n");
        return 2;
    }
    const double clickMs = cueMs(options.wavDir + "/click.wav");
    const double pinponMs = cueMs(options.wavDir + "/Pinpon.wav");
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    int damageEvent = 0;
    int damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "the X server has no DAMAGE extension\n");
        return 1;
    }
    XDamageCreate(display, options.window, XDamageReportRawRectangles);
    XSync(display, False);

    Table table(display, options, grid);
    Clicker clicker(display, options, table, damageEvent);
    // The back: the picture most slots show, the black of empty places apart (every back is the
    // same picture; every face differs). A table just dealt may still be appearing card by card:
    // it is looked at again for a while.
    std::vector<unsigned long> back;
    for (int attempt = 0; back.empty(); ++attempt) {
        if (attempt > 0) {
            sleepMs(200);
        }
        const std::vector<unsigned long> empty(table.pixels(1).size(), 0);
        int most = 0;
        for (int slot = 1; slot <= options.cards; ++slot) {
            const std::vector<unsigned long> candidate = table.pixels(slot);
            if (Table::difference(empty, candidate) < 0.05) {
                continue;
            }
            int same = 0;
            for (int other = 1; other <= options.cards; ++other) {
                same += Table::difference(candidate, table.pixels(other)) < 0.05 ? 1 : 0;
            }
            if (same > most) {
                most = same;
                back = candidate;
            }
        }
        if (most < 2) {
            back.clear();
            if (attempt == 50) {
                std::fprintf(stderr, "no face-down cards on the table\n");
                return 1;
            }
        }
    }
    auto isBack = [&](int slot) { return Table::difference(back, table.pixels(slot)) < 0.05; };
    const std::vector<unsigned long> black(back.size(), 0);
    auto isEmpty = [&](int slot) { return Table::difference(black, table.pixels(slot)) < 0.05; };

    int clicks = 0;
    int firsts = 0;
    int sweep = 0;
    while (clicks < options.clicks) {
        if (table.pixel(kRoundOverX, kRoundOverY) == 0) {
            return 3;
        }
        if (table.pixel(kPlayerPanelX, kPlayerPanelY) != kBlue) {
            sleepMs(100);
            continue;
        }
        std::vector<int> backs;
        int faces = 0;
        for (int slot = 1; slot <= options.cards; ++slot) {
            if (isBack(slot)) {
                backs.push_back(slot);
            } else if (!isEmpty(slot)) {
                ++faces;
            }
        }
        // A first card up without a second (a second click that came too early): finish the
        // move without measuring it.
        if (backs.size() % 2 != 0) {
            clicker.click(backs.front(), true);
            sleepMs(1300);
            continue;
        }
        // Between moves an even number of cards lies face down and no face shows.
        if (faces > 0 || backs.size() < 2) {
            sleepMs(100);
            continue;
        }
        const std::size_t firstIndex = static_cast<std::size_t>(sweep++) % backs.size();
        const int first = backs[firstIndex];
        const bool idle = options.idleEvery > 0 && firsts % options.idleEvery == 0;
        if (idle) {
            clicker.moveTo(first);
            sleepMs(options.idleSeconds * 1000);
        }
        const double firstMs = clicker.click(first, !idle);
        if (firstMs < 0) {
            continue;  // the click came while a move was still being resolved
        }
        ++firsts;
        ++clicks;
        std::printf("%s %.1f %.1f\n", idle ? "idle" : "first", firstMs, firstMs - clickMs);
        std::fflush(stdout);
        if (clicks >= options.clicks) {
            break;
        }
        const int second = backs[(firstIndex + 1) % backs.size()];
        ++sweep;
        const double secondMs = clicker.click(second, true);
        if (secondMs < 0) {
            continue;
        }
        ++clicks;
        // A mismatch is turned back after a second; a pair leaves the table.
        sleepMs(1300);
        const bool pair = !isBack(second);
        std::printf("%s %.1f %.1f\n", pair ? "second-pair" : "second-miss", secondMs,
                    secondMs - clickMs - (pair ? pinponMs : 0.0));
        std::fflush(stdout);
    }
    XCloseDisplay(display);
    return 0;
}
