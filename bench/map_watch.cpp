// Reports, in milliseconds, how long a window with a given title takes to be mapped on the X
// display: either from the start of a program (`start`) or from a release of the left mouse
// button where the pointer stands (`release`; the button is pressed first).
//
//   koropika_map_watch start TITLE [--keep] -- PROGRAM [ARG ...]
//       prints "ms pid"; without --keep the program is ended once its window is mapped
//   koropika_map_watch release TITLE
//       prints "ms"
//
// Watches the map events of the root window's children (the window manager's frames, or the
// windows themselves without one) and looks for the title in each mapped window and below it.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

std::string titleOf(Display* display, Window window) {
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* bytes = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                           &after, &bytes) == Success &&
        bytes != nullptr) {
        title.assign(reinterpret_cast<char*>(bytes), count);
    }
    if (bytes != nullptr) {
        XFree(bytes);
    }
    return title;
}

bool holdsTitle(Display* display, Window window, const std::string& title, int depth = 0) {
    if (titleOf(display, window) == title) {
        return true;
    }
    if (depth >= 2) {
        return false;
    }
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    bool found = false;
    if (XQueryTree(display, window, &root, &parent, &children, &count) != 0) {
        for (unsigned int i = 0; i < count && !found; ++i) {
            found = holdsTitle(display, children[i], title, depth + 1);
        }
        if (children != nullptr) {
            XFree(children);
        }
    }
    return found;
}

// Waits for the map of a window holding the title; false after 30 s.
bool waitForMap(Display* display, const std::string& title) {
    const auto limit = Clock::now() + std::chrono::seconds(30);
    while (Clock::now() < limit) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && holdsTitle(display, event.xmap.window, title)) {
                return true;
            }
        }
        // Sleeps until the X server sends something, so the watcher takes no processor time
        // from the program it measures.
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, 100);
    }
    return false;
}

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: see the head of map_watch.cpp\n");
        return 2;
    }
    const std::string mode = argv[1];
    const std::string title = argv[2];
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    if (mode == "release") {
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
        XSync(display, False);
        usleep(50'000);
        const auto start = Clock::now();
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
        XFlush(display);
        if (!waitForMap(display, title)) {
            std::fprintf(stderr, "no window titled %s was mapped\n", title.c_str());
            return 1;
        }
        std::printf("%.1f\n", msSince(start));
        return 0;
    }
    if (mode != "start") {
        std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
        return 2;
    }
    int first = 3;
    bool keep = false;
    if (first < argc && std::strcmp(argv[first], "--keep") == 0) {
        keep = true;
        ++first;
    }
    if (first < argc && std::strcmp(argv[first], "--") == 0) {
        ++first;
    }
    if (first >= argc) {
        std::fprintf(stderr, "no program to start\n");
        return 2;
    }
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        close(ConnectionNumber(display));
        execvp(argv[first], argv + first);
        _exit(127);
    }
    const bool mapped = waitForMap(display, title);
    const double ms = msSince(start);
    if (!mapped) {
        std::fprintf(stderr, "no window titled %s was mapped\n", title.c_str());
        kill(child, SIGTERM);
        waitpid(child, nullptr, 0);
        return 1;
    }
    std::printf("%.1f %d\n", ms, static_cast<int>(child));
    std::fflush(stdout);
    if (!keep) {
        kill(child, SIGTERM);
        waitpid(child, nullptr, 0);
    }
    return 0;
}
