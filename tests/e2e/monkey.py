#!/usr/bin/env python3
"""A monkey in the real window: starts the program under a private Xvfb display with openbox and
sends it seeded random input for a set time -- clicks anywhere in its windows and on their hot
spots, key presses (also R, N and M: the records window, the round number dialog and the sound),
the three menu items at any moment, the window manager's close box, rapid returns between the two
windows, names typed into the name box (also ones code page 932 cannot
hold). Whenever the program ends it is checked (exit status, sanitizer logs, name.txt and
itidata.txt whole) and started again. A watchdog pings the program's windows and fails the run
when one does not answer for 5 s.

    monkey.py PROGRAM_DIR MINUTES [SEED]

Every input is written with its time to WORK/inputs.log (WORK is printed at the start and kept
when the run fails); the same seed sends the same input in the same order, so a failing run can
be replayed. Exits 1 on any fault."""

import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xping  # noqa: E402

TITLE = "ころぴか V_1.0"
HANG_SECONDS = 5.0
# A start under the sanitizers takes a few seconds; a program that shows no window for this long
# after starting, or after its last window went, is stuck.
NO_WINDOW_LIMIT = 20.0

# Names typed into the name box: plain, full width, code page 932 specials, long ones, and ones
# code page 932 cannot hold (which the program must refuse with a message).
NAMES = ["たろう", "はなこ", "abc", "ABC def", "ｶﾀｶﾅ", "山田　太郎", "～①Ⅱ", "x" * 40,
         "ジョン・スミス", "名前" * 12, "𠮷野家", "😀", "テスト😀", "a\\b", "Ω", "0"]
# Keys a player may press in either window.
KEYS = ["Return", "space", "Escape", "Tab", "shift+Tab", "Up", "Down", "Left", "Right", "Home",
        "End", "Page_Up", "Page_Down", "BackSpace", "Delete", "F1", "a", "z", "1", "alt+F4",
        "ctrl+a", "alt+Down", "r", "n", "m"]

# Hot spots, in the client area of each window (the game window's below its menu bar).
SETTINGS_SPOTS = {"name box": (80, 47), "name list arrow": (157, 47), "level list": (70, 112),
                  "28 cards": (170, 120), "40 cards": (170, 150), "52 cards": (170, 180),
                  "version": (55, 188), "link": (140, 276)}
GAME_MENU = {"menu 設定に戻る": (39, 9), "menu カード選択": (120, 9), "menu 終了": (170, 9)}
GAME_SPOTS = {"dice": (107, 67), "start": (230, 50), "play again": (341, 377),
              "back to settings": (341, 417), "next level": (341, 457)}
GAME_MENU_BAR = 19


def log_line(handle, text):
    handle.write(text + "\n")
    handle.flush()


def run(*args, timeout=10):
    """Runs an X tool; its output, or "" when it failed or did not answer in time."""
    try:
        done = subprocess.run(args, capture_output=True, text=True, timeout=timeout)
    except subprocess.TimeoutExpired:
        return ""
    return done.stdout if done.returncode == 0 else ""


class Fault(Exception):
    pass


# ---------------------------------------------------------------------------------------------
# The stored files as a person leaves them whole: name.txt in code page 932 with CR LF, a count
# line and that many names; itidata.txt three lines in print format.

PRINT_LINE = re.compile(rb"^[ -][0-9]+ $")


def check_name_file(path, alphabet):
    if not os.path.exists(path):
        return "absent"
    data = open(path, "rb").read()
    if not data.endswith(b"\r\n"):
        raise Fault("name.txt does not end in CR LF: %r" % data[-40:])
    lines = data[:-2].split(b"\r\n")
    if any(b"\n" in line or b"\r" in line for line in lines):
        raise Fault("name.txt has a bare CR or LF: %r" % data[:200])
    if not PRINT_LINE.match(lines[0]):
        raise Fault("name.txt count line %r" % lines[0])
    count = int(lines[0])
    names = lines[1:]
    if count != len(names):
        raise Fault("name.txt says %d names and holds %d" % (count, len(names)))
    decoded = []
    for raw in names:
        try:
            name = raw.decode("cp932")
        except UnicodeDecodeError:
            raise Fault("name.txt holds a line that is not code page 932: %r" % raw)
        if not name or set(name) - alphabet:
            raise Fault("name.txt holds a name nobody typed: %r" % name)
        decoded.append(name)
    if len(set(decoded)) != len(decoded):
        raise Fault("name.txt holds a name twice: %r" % decoded)
    return "%d names" % count


def check_position_file(path):
    if not os.path.exists(path):
        return "absent"
    data = open(path, "rb").read()
    lines = data.split(b"\r\n")
    if len(lines) != 4 or lines[3] != b"" or not all(PRINT_LINE.match(line) for line in lines[:3]):
        raise Fault("itidata.txt is not three lines in print format: %r" % data[:200])
    design = int(lines[2])
    # The five back designs are Image1(0) to Image1(4).
    if not 0 <= design <= 4:
        raise Fault("itidata.txt names back design %d" % design)
    return "top %d left %d back %d" % (int(lines[0]), int(lines[1]), design)


# ---------------------------------------------------------------------------------------------

class Screen:
    """A private Xvfb display with openbox."""

    def __init__(self, work):
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
             "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=open(os.path.join(work, "xvfb.log"), "w"))
        os.close(write_end)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(read_end, 16)
            if not chunk:
                raise Fault("Xvfb did not start")
            number += chunk
        os.close(read_end)
        self.display = ":" + number.decode().strip()
        os.environ["DISPLAY"] = self.display
        self.wm = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL,
                                   stderr=open(os.path.join(work, "openbox.log"), "w"))
        for _ in range(200):
            if "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"):
                break
            time.sleep(0.05)
        else:
            raise Fault("openbox did not start")
        # A desktop session has a session bus. Without one, libdbus in the program (SDL and Qt
        # ask the bus about the desktop) forks a running, many-threaded program to look for a
        # bus starter, and a fork taken while another thread holds the sanitizers' allocator lock
        # leaves the child stuck and the program waiting on it for good.
        read_end, write_end = os.pipe()
        self.bus = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=%d" % write_end],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=open(os.path.join(work, "bus.log"), "w"))
        os.close(write_end)
        address = b""
        while not address.endswith(b"\n"):
            chunk = os.read(read_end, 256)
            if not chunk:
                self.stop()
                raise Fault("the session bus did not start")
            address += chunk
        os.close(read_end)
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = address.decode().strip()
        # The characters of the names get keys of their own, so that xdotool types them as they
        # are (see keymap.py).
        keymap = os.path.join(os.path.dirname(os.path.abspath(__file__)), "keymap.py")
        if subprocess.run([sys.executable, keymap, "--some", "".join(NAMES)]).returncode != 0:
            self.stop()
            raise Fault("the keyboard map could not be extended")

    def stop(self):
        for process in (getattr(self, "bus", None), self.wm, self.xvfb):
            if process is None:
                continue
            process.terminate()
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()


class Monkey:
    def __init__(self, program_dir, seconds, seed, work):
        self.source_dir = program_dir
        self.seconds = seconds
        self.seed = seed
        self.work = work
        self.rng = random.Random(seed)
        self.program_dir = os.path.join(work, "koropika")
        shutil.copytree(program_dir, self.program_dir)
        self.sanitizer_dir = os.path.join(work, "sanitizer")
        os.mkdir(self.sanitizer_dir)
        self.log = open(os.path.join(work, "inputs.log"), "w")
        self.process = None
        self.program_log = None
        self.started_at = 0.0
        self.last_window_at = 0.0
        self.inputs = 0
        self.restarts = 0
        self.kinds = {}
        self.geometry = {}
        self.window_kind = {}
        self.alphabet = set()
        for name in NAMES:
            self.alphabet |= set(name)
        self.alphabet |= {key for key in KEYS if len(key) == 1}  # keys typed into the name box
        self.begun = time.monotonic()
        self.next_look = 0.0
        self.result_shown = False
        self.playing_until = 0.0
        self.results = 0
        # A browser stub: the version link must not start a real browser that never ends.
        stub_dir = os.path.join(work, "bin")
        os.mkdir(stub_dir)
        self.opened = os.path.join(work, "opened.txt")
        with open(os.path.join(stub_dir, "xdg-open"), "w") as stub:
            stub.write('#!/bin/sh\nprintf "%%s\\n" "$*" >> "%s"\n' % self.opened)
        os.chmod(os.path.join(stub_dir, "xdg-open"), 0o755)
        self.environment = {name: value for name, value in os.environ.items()
                            if name not in ("LANGUAGE", "LC_ALL", "LC_MESSAGES")}
        self.environment.update({
            # The Japanese game, and stored choices of the soak's own.
            "LANG": "C.UTF-8",
            "XDG_CONFIG_HOME": os.path.join(work, "config"),
            "PATH": stub_dir + ":" + os.environ.get("PATH", "/usr/bin:/bin"),
            "BROWSER": "", "DEFAULT_BROWSER": "",
            "SDL_AUDIODRIVER": "dummy",
            # Qt and the font libraries keep allocations to the end of a run: leaks are measured
            # by the memory test instead.
            "ASAN_OPTIONS": "log_path=%s/asan:halt_on_error=1:detect_leaks=0:abort_on_error=0"
                            % self.sanitizer_dir,
            "UBSAN_OPTIONS": "log_path=%s/ubsan:halt_on_error=1:print_stacktrace=1" % self.sanitizer_dir,
        })

    # -- bookkeeping ---------------------------------------------------------------------------

    def note(self, text):
        log_line(self.log, "%9.3f %s" % (time.monotonic() - self.begun, text))

    def sent(self, kind, detail=""):
        self.inputs += 1
        self.kinds[kind] = self.kinds.get(kind, 0) + 1
        self.note("#%d %s %s" % (self.inputs, kind, detail))

    def pause(self, low, high):
        time.sleep(self.rng.uniform(low, high))

    # -- the program ---------------------------------------------------------------------------

    def start_program(self):
        self.program_log = open(os.path.join(self.work, "program-%d.log" % self.restarts), "w")
        self.process = subprocess.Popen([os.path.join(self.program_dir, "koropika")],
                                        env=self.environment, stdout=self.program_log,
                                        stderr=subprocess.STDOUT, cwd=self.work)
        self.started_at = time.monotonic()
        self.last_window_at = self.started_at
        self.geometry.clear()
        self.note("started the program, pid %d" % self.process.pid)

    def check_ended(self, status):
        """The program has ended: its status, the sanitizer logs and the stored files."""
        self.program_log.close()
        self.note("the program ended with status %d" % status)
        self.check_sanitizer_logs()
        if status != 0:
            raise Fault("the program ended with status %d (see program-%d.log)" % (status, self.restarts))
        names = check_name_file(os.path.join(self.program_dir, "name.txt"), self.alphabet)
        position = check_position_file(os.path.join(self.program_dir, "itidata.txt"))
        self.note("files whole: name.txt %s; itidata.txt %s" % (names, position))

    def check_sanitizer_logs(self):
        reports = os.listdir(self.sanitizer_dir)
        if reports:
            first = os.path.join(self.sanitizer_dir, sorted(reports)[0])
            raise Fault("sanitizer report %s:\n%s" % (first, open(first, errors="replace").read()[:4000]))
        text = open(os.path.join(self.work, "program-%d.log" % self.restarts), errors="replace").read()
        if re.search(r"runtime error|AddressSanitizer|LeakSanitizer", text):
            raise Fault("sanitizer output in program-%d.log:\n%s" % (self.restarts, text[:4000]))

    def windows(self):
        """The program's visible windows: {id: (kind, left, top, width, height)} of the client
        areas; kind is settings, game or dialog (a message box, the level list's popup)."""
        found = {}
        for line in run("xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid)).split():
            window = int(line)
            info = run("xwininfo", "-id", str(window))
            numbers = dict(re.findall(r"(Absolute upper-left X|Absolute upper-left Y|Width|Height):\s+(-?\d+)", info))
            if len(numbers) < 4 or "IsViewable" not in info:
                continue
            left, top = int(numbers["Absolute upper-left X"]), int(numbers["Absolute upper-left Y"])
            width, height = int(numbers["Width"]), int(numbers["Height"])
            if window not in self.window_kind or self.window_kind[window][1] != (width, height):
                name = run("xdotool", "getwindowname", str(window)).strip()
                if name == TITLE and width > 600:
                    kind = "game"
                elif name == TITLE and 250 <= width <= 320 and "_NET_WM_WINDOW_TYPE_DIALOG" not in \
                        run("xprop", "-id", str(window), "_NET_WM_WINDOW_TYPE"):
                    kind = "settings"
                else:
                    kind = "dialog"
                self.window_kind[window] = (kind, (width, height))
            found[window] = (self.window_kind[window][0], left, top, width, height)
        return found

    def frame_close_box(self, window, left, top, width):
        """Screen point of the close button in the window manager's title bar."""
        extents = run("xprop", "-id", str(window), "_NET_FRAME_EXTENTS")
        numbers = [int(n) for n in re.findall(r"-?\d+", extents.split("=")[-1])] if "=" in extents else []
        if len(numbers) != 4 or numbers[2] < 10:
            return None
        _, right, title, _ = numbers
        return left + width + right - 12, top - title // 2 - 1

    # -- input ---------------------------------------------------------------------------------

    def click(self, x, y, kind, detail, button=1, repeat=1):
        run("xdotool", "mousemove", str(x), str(y))
        self.pause(0.0, 0.06)
        if repeat > 1:
            run("xdotool", "click", "--repeat", str(repeat), "--delay", "80", str(button))
        else:
            run("xdotool", "click", str(button))
        self.sent(kind, "%s at %d,%d%s" % (detail, x, y, "" if button == 1 and repeat == 1
                                             else " button %d x%d" % (button, repeat)))

    def key(self, key):
        run("xdotool", "key", "--clearmodifiers", key)
        self.sent("key", key)

    def card_count(self):
        """A card count to start with: mostly 28, whose rounds the monkey plays to their end
        soonest."""
        return self.rng.choice(["28 cards"] * 4 + ["40 cards"] * 2 + ["52 cards"])

    def type_name(self, left, top):
        name = self.rng.choice(NAMES)
        x, y = SETTINGS_SPOTS["name box"]
        self.click(left + x, top + y, "click", "settings name box")
        run("xdotool", "key", "ctrl+a")
        run("xdotool", "type", "--delay", "25", name)
        self.sent("name", repr(name))
        if self.rng.random() < 0.6:
            spot = self.card_count()
            x, y = SETTINGS_SPOTS[spot]
            self.pause(0.0, 0.3)
            self.click(left + x, top + y, "click", "settings " + spot)

    def rapid_returns(self):
        """設定に戻る and a card count, again and again, as fast as the windows come."""
        for _ in range(self.rng.randint(2, 6)):
            wins = self.windows()
            game = [(w, g) for w, g in wins.items() if g[0] == "game"]
            settings = [(w, g) for w, g in wins.items() if g[0] == "settings"]
            if game:
                _, (_, gl, gt, _, _) = game[0]
                x, y = GAME_MENU["menu 設定に戻る"]
                self.click(gl + x, gt + y, "menu", "rapid 設定に戻る")
            elif settings:
                _, (_, sl, st, _, _) = settings[0]
                spot = self.card_count()
                x, y = SETTINGS_SPOTS[spot]
                self.click(sl + x, st + y, "click", "rapid " + spot)
            else:
                return
            self.pause(0.0, 0.15)

    def look(self, wins):
        """Every few seconds, notes whether the game window shows the result panel (its green side
        strip turns black), to count the rounds the monkey played to their end."""
        if time.monotonic() < self.next_look:
            return
        self.next_look = time.monotonic() + 2.0
        for kind, left, top, _, _ in wins.values():
            if kind != "game":
                continue
            pixel = run("import", "-window", "root", "-crop",
                        "1x1+%d+%d" % (left + 720, top + GAME_MENU_BAR + 510), "-depth", "8", "txt:-")
            shown = "#000000" in pixel
            if shown and not self.result_shown:
                self.results += 1
                self.note("the result panel is on screen (%d so far)" % self.results)
            self.result_shown = shown

    def play_round(self, left, top):
        """One step of a round played as a person plays it: the dice, the start button and then
        cards, until the result panel shows; now and then a menu item in the middle of it all
        (the roll, the reveal, a computer move, the result stacks)."""
        roll = self.rng.random()
        if self.result_shown:
            self.pause(0.0, 4.0)  # the stacks are laid one by one, then the buttons come
            self.playing_until = 0.0
            if roll < 0.3:
                name = self.rng.choice(sorted(GAME_MENU))
                x, y = GAME_MENU[name]
                self.click(left + x, top + y, "menu", name[5:] + " (result panel)")
            else:
                name = self.rng.choice(["play again", "back to settings", "next level"])
                x, y = GAME_SPOTS[name]
                self.click(left + x, top + GAME_MENU_BAR + y, "click", "game " + name + " (result panel)")
            return
        if roll < 0.003:
            name = self.rng.choice(sorted(GAME_MENU))
            x, y = GAME_MENU[name]
            self.playing_until = 0.0
            self.click(left + x, top + y, "menu", name[5:] + " (during play)")
        elif roll < 0.06:
            x, y = GAME_SPOTS["dice"]
            self.click(left + x, top + GAME_MENU_BAR + y, "click", "game dice (play)")
        elif roll < 0.10:
            x, y = GAME_SPOTS["start"]
            self.click(left + x, top + GAME_MENU_BAR + y, "click", "game start (play)")
        else:
            # The table of 28, 40 or 52 cards.
            x, y = 15 + self.rng.randrange(530), 35 + self.rng.randrange(465)
            self.click(left + x, top + GAME_MENU_BAR + y, "click", "game card (play)")
        self.pause(0.05, 0.5)

    def act(self, wins):
        window = self.rng.choice(sorted(wins))
        kind, left, top, width, height = wins[window]
        dialog = any(g[0] == "dialog" for g in wins.values())
        if time.monotonic() < self.playing_until:
            games = [g for g in wins.values() if g[0] == "game"]
            if games and not dialog:
                self.play_round(games[0][1], games[0][2])
                return
            self.playing_until = 0.0
        roll = self.rng.random()
        if roll < 0.08:
            self.key(self.rng.choice(KEYS))
        elif roll < 0.11:
            self.pause(0.5, 3.0)  # animations, the computer's moves, the result stacks go on
            self.note("waited")
        elif roll < 0.125:
            point = self.frame_close_box(window, left, top, width)
            if point:
                self.click(point[0], point[1], "close box", kind)
        elif roll < 0.20:
            self.click(left + self.rng.randrange(width), top + self.rng.randrange(height), "click",
                       kind + " anywhere", button=self.rng.choice([1, 1, 1, 1, 3]),
                       repeat=self.rng.choice([1, 1, 1, 2]))
        elif kind == "dialog":
            self.click(left + self.rng.randrange(width), top + self.rng.randrange(height), "click", "dialog")
        elif kind == "settings":
            if roll < 0.40 and not dialog:
                self.type_name(left, top)
            else:
                spot = self.rng.choice(sorted(SETTINGS_SPOTS))
                x, y = SETTINGS_SPOTS[spot]
                self.click(left + x, top + y, "click", "settings " + spot)
                if spot == "level list" and self.rng.random() < 0.7:
                    self.pause(0.05, 0.3)
                    self.key(self.rng.choice(["Up", "Down", "End", "Home", "Return", "Escape"]))
        elif kind == "game":
            if roll < 0.23:
                self.playing_until = time.monotonic() + 300
                self.note("plays a round")
            elif roll < 0.26:
                name = self.rng.choice(sorted(GAME_MENU))
                x, y = GAME_MENU[name]
                self.click(left + x, top + y, "menu", name[5:])
            elif roll < 0.28:
                self.rapid_returns()
            elif roll < 0.38:
                name = self.rng.choice(sorted(GAME_SPOTS))
                x, y = GAME_SPOTS[name]
                self.click(left + x, top + GAME_MENU_BAR + y, "click", "game " + name)
            elif roll < 0.44:
                # The back design choice and the panels beside the table.
                x, y = 565 + self.rng.randrange(146), 365 + self.rng.randrange(131)
                self.click(left + x, top + GAME_MENU_BAR + y, "click", "game back choice")
            else:
                # A run of card clicks, as a person plays: most inputs go here, so that rounds
                # reach their end and the result panel.
                for _ in range(self.rng.randint(1, 6)):
                    x, y = 15 + self.rng.randrange(540), 35 + self.rng.randrange(470)
                    self.click(left + x, top + GAME_MENU_BAR + y, "click", "game table")
                    self.pause(0.05, 0.6)
                    if self.process.poll() is not None:
                        break
        self.pause(0.01, 0.12)

    # -- the run -------------------------------------------------------------------------------

    def finish_program(self):
        """Ends the program as a person would, through its windows; a program that will not end
        is a fault."""
        deadline = time.monotonic() + 30
        while self.process.poll() is None and time.monotonic() < deadline:
            wins = self.windows()
            # A dialog (the records window, the round number, a message) holds its owner's
            # input: it is closed first, as a person would.
            dialogs = {w: g for w, g in wins.items() if g[0] == "dialog"}
            for window, (kind, left, top, width, _) in wins.items():
                if kind == "game" and not dialogs:
                    x, y = GAME_MENU["menu 終了"]
                    self.click(left + x, top + y, "menu", "終了 (end of the soak)")
                    break
            else:
                for window, (kind, left, top, width, _) in (dialogs or wins).items():
                    point = self.frame_close_box(window, left, top, width)
                    if point:
                        self.click(point[0], point[1], "close box", kind + " (end of the soak)")
                        break
                else:  # a popup without a frame: a drop-down list
                    run("xdotool", "key", "Escape")
                    self.note("key Escape (end of the soak)")
            for _ in range(20):
                if self.process.poll() is not None:
                    break
                time.sleep(0.1)
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
            raise Fault("the program did not end through its windows at the end of the soak")
        self.check_ended(self.process.returncode)

    def play(self, watchdog):
        deadline = self.begun + self.seconds
        self.start_program()
        while time.monotonic() < deadline:
            if watchdog.hang:
                raise Fault("hang: " + watchdog.hang)
            status = self.process.poll()
            if status is not None:
                watchdog.watch([])
                self.check_ended(status)
                self.restarts += 1
                self.start_program()
                continue
            wins = self.windows()
            watchdog.watch(sorted(wins))
            if not wins:
                if time.monotonic() - self.last_window_at > NO_WINDOW_LIMIT:
                    raise Fault("hang: the program has shown no window for %.0f s" % NO_WINDOW_LIMIT)
                time.sleep(0.05)
                continue
            self.last_window_at = time.monotonic()
            self.look(wins)
            self.act(wins)
        watchdog.watch([])
        self.finish_program()


def record_stacks(pid, path):
    """Writes every thread's stack of the hung program to `path` with gdb, when gdb is there;
    returns a note naming the file for the fault's report."""
    gdb = shutil.which("gdb")
    if gdb is None:
        return ""
    try:
        with open(path, "w") as out:
            subprocess.run([gdb, "-p", str(pid), "-batch", "-ex", "thread apply all bt"],
                           stdout=out, stderr=subprocess.STDOUT, timeout=60, check=False)
    except (OSError, subprocess.TimeoutExpired):
        return ""
    return " (every thread's stack: %s)" % path


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    program_dir = os.path.abspath(sys.argv[1])
    seconds = float(sys.argv[2]) * 60
    seed = int(sys.argv[3]) if len(sys.argv) == 4 else random.SystemRandom().randrange(1 << 31)
    work = tempfile.mkdtemp(prefix="koropika-soak-")
    os.environ["XDG_RUNTIME_DIR"] = os.path.join(work, "runtime")
    os.mkdir(os.environ["XDG_RUNTIME_DIR"], 0o700)
    print("soak: seed %d, %.1f minutes, work folder %s" % (seed, seconds / 60, work), flush=True)
    try:
        screen = Screen(work)
    except Fault as error:
        sys.exit("soak: FAULT: %s" % error)
    try:
        monkey = Monkey(program_dir, seconds, seed, work)
        watchdog = xping.PingWatchdog(screen.display, limit=HANG_SECONDS)
    except BaseException:
        screen.stop()
        raise
    monkey.note("seed %d" % seed)
    watchdog.start()
    fault = None
    try:
        monkey.play(watchdog)
        if watchdog.hang:
            raise Fault("hang: " + watchdog.hang)
    except Fault as error:
        fault = str(error)
        if fault.startswith("hang") and monkey.process and monkey.process.poll() is None:
            fault += record_stacks(monkey.process.pid, os.path.join(work, "hang-stacks.txt"))
    finally:
        watchdog.stop()
        if monkey.process and monkey.process.poll() is None:
            monkey.process.kill()
            monkey.process.wait()
        screen.stop()
    links = sum(1 for _ in open(monkey.opened)) if os.path.exists(monkey.opened) else 0
    minutes = (time.monotonic() - monkey.begun) / 60
    print("soak: %d inputs in %.1f minutes, %d restarts, %d result panels reached, %d pings answered "
          "(slowest %.2f s), %d web page opens caught by the stub"
          % (monkey.inputs, minutes, monkey.restarts, monkey.results, watchdog.answers,
             watchdog.longest, links))
    print("soak: inputs by kind: " + ", ".join("%s %d" % kv for kv in sorted(monkey.kinds.items())))
    if fault:
        monkey.note("FAULT: " + fault)
        print("soak: FAULT: %s\nsoak: replay with seed %d; inputs and program output in %s"
              % (fault, seed, work), file=sys.stderr)
        sys.exit(1)
    print("soak: 0 sanitizer reports, 0 crashes, 0 hangs; both files whole after every end")
    if os.environ.get("KEEP_WORK") != "1":
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    main()
