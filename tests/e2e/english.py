#!/usr/bin/python3
"""The game in English as a screen reader meets it, and the language menu both ways.

With LANG=en_US.UTF-8 an AT-SPI client plays a whole 28-card game at level 1 through the press
actions: every name showing and every announcement is English. Then 言語 / Language → 日本語 and
"Play again": the new game window is Japanese. A second run in the C locale starts Japanese (the
choice was kept); English there and "Back to settings" give English settings; a third run starts
English and System there gives Japanese again."""
import os
import re
import subprocess
import sys
import time

import pyatspi

from atspi_client import app, fail, pump, wait_for

PROGRAM, CONFIG = sys.argv[1], sys.argv[2]
JAPANESE = re.compile(r"[\u3040-\u30ff\u3400-\u9fff\uff00-\uffef]")
# Names that stay as they are in every language: the program's title and the language menu.
OWN_NAMES = {"ころぴか V_1.0", "言語 / Language", "日本語", "次に開くウィンドウから / From the next window"}
DOWN = re.compile(r"Card (\d+), face down")
TOLD = re.compile(r"(?:Computer: card|Card) (\d+), (\w+) of \w+")  # a card turned: place, rank
RESULT = re.compile(r"(alex wins|Computer wins|Draw)\. You \d+, computer \d+")
said = []


def heard(event):  # the source may be gone by the time the event is read
    try:
        if event.type.endswith("insert") and event.source.getRole() == pyatspi.ROLE_STATUS_BAR:
            said.append(str(event.any_data).strip())
    except Exception:
        pass


pyatspi.Registry.registerEventListener(heard, "object:text-changed:insert")


def tree():
    """Every object below the program as (name, showing, object)."""
    found = []

    def visit(node, parent_showing):
        try:
            states = node.getState()
            shows = parent_showing and states.contains(pyatspi.STATE_SHOWING)
            found.append((node.name or "", shows, node))
            for i in range(node.childCount):
                visit(node.getChildAtIndex(i), shows)
        except Exception:  # an object that went away while it was read
            pass

    root = app()
    if root is not None:
        visit(root, True)
    return found


def showing():
    return [name for name, shows, _ in tree() if shows]


def expect_english(moment):
    names = showing()
    print("%s: %s" % (moment, ", ".join(n for n in names if n)), flush=True)
    for text in names + said:
        if JAPANESE.search(text) and text not in OWN_NAMES:
            fail("%s: '%s' is not English" % (moment, text))


def press(name, must_show=True):
    node = next((n for found, shows, n in tree() if found == name and (shows or not must_show)),
                None)
    if node is None:
        fail("nothing named %s to press" % name)
    node.queryAction().doAction(0)
    pump(0.2)


def start(locale):
    environment = dict(os.environ, LANG=locale, XDG_CONFIG_HOME=CONFIG)
    program = subprocess.Popen([PROGRAM], env=environment, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    wait_for(lambda: app() is not None, 20, "the program on the accessibility bus")
    return program


def stop(program):
    program.terminate()
    program.wait(10)
    wait_for(lambda: app() is None, 10, "the program to leave the bus")


def open_game(count_label, dice):
    subprocess.run(["xdotool", "type", "--delay", "60", "alex"], check=True)  # the box has the focus
    press(count_label)
    wait_for(lambda: dice in showing(), 20, "the game window's dice")


def over():
    return any(RESULT.fullmatch(t) for t in said)


def play_to_the_end():
    """On the player's turn: a pair known from the announcements, else new cards."""
    press("Dice")
    wait_for(lambda: "Click to stop" in showing(), 10, "the dice to roll")
    pump(0.5)
    press("Dice")
    wait_for(lambda: any(t.startswith("Dice: ") for t in said), 10, "the dice sentence")
    pump(1.0)
    press("Start")
    wait_for(lambda: sum(bool(DOWN.fullmatch(n)) for n in showing()) == 28, 20, "28 cards")
    expect_english("during play")
    deadline = time.time() + 240
    while not over():
        if time.time() > deadline:
            fail("no result within 240 s; last said: %s" % said[-3:])
        pump(0.2)
        if not said or said[-1] != "Your turn":
            continue
        down = [int(DOWN.fullmatch(n).group(1)) for n in showing() if DOWN.fullmatch(n)]
        known = {int(m.group(1)): m.group(2) for m in map(TOLD.fullmatch, said)
                 if m and int(m.group(1)) in down}
        unknown = [s for s in down if s not in known] or down
        first = ([s for s in known if list(known.values()).count(known[s]) > 1] + unknown)[0]
        mark = len(said)
        press("Card %d, face down" % first)
        wait_for(lambda: any(TOLD.fullmatch(t) for t in said[mark:]), 5, "card %d told" % first)
        rank = next(m.group(2) for m in map(TOLD.fullmatch, said[mark:]) if m)
        partner = [s for s, r in known.items() if r == rank and s != first]
        second = (partner + [s for s in unknown + down if s != first])[0]
        press("Card %d, face down" % second)
        wait_for(lambda: over() or any(t in ("Your turn", "Computer's turn") for t in said[mark + 2:]),
                 10, "the move resolved")
    wait_for(lambda: "Play again" in showing(), 20, "the result panel")


def stored_choice():
    with open(os.path.join(CONFIG, "koropika", "koropika.ini"), encoding="utf-8") as ini:
        return re.search(r"^choice=(\w+)$", ini.read(), re.M).group(1)


# English from the system's language, a whole game long.
program = start("en_US.UTF-8")
wait_for(lambda: "Player name" in showing(), 20, "the English settings window")
expect_english("settings window")
open_game("28 cards", "Dice")
for menu in ("Back to settings", "Card back", "Quit", "Records", "Game number", "Sound",
             "言語 / Language"):
    if menu not in showing():
        fail("the game window's menu bar lacks %s" % menu)
expect_english("before the dice")
play_to_the_end()
expect_english("result panel")
# Japanese by the menu: the next window that loads is Japanese.
press("日本語", must_show=False)
press("Play again")
wait_for(lambda: "サイコロ" in showing() and "設定に戻る" in showing(), 20, "a Japanese game window")
stop(program)
if stored_choice() != "ja":
    fail("the choice of Japanese was not kept: %s" % stored_choice())

# The kept choice holds in the C locale too; English by the menu gives English settings.
program = start("C.UTF-8")
wait_for(lambda: "プレーヤーの名前" in showing(), 20, "the Japanese settings window")
open_game("カード数 28枚", "サイコロ")
press("English", must_show=False)
press("設定に戻る")
wait_for(lambda: "Player name" in showing(), 20, "the English settings window")
expect_english("settings window after the menu")
stop(program)

# Kept again; System in the C locale gives Japanese at the next load.
program = start("C.UTF-8")
wait_for(lambda: "Player name" in showing(), 20, "the kept English settings window")
open_game("28 cards", "Dice")
press("System", must_show=False)
press("Back to settings")
wait_for(lambda: "プレーヤーの名前" in showing(), 20, "the Japanese settings window")
stop(program)
if stored_choice() != "system":
    fail("the choice of the system's language was not kept: %s" % stored_choice())
print("1 passed, 0 failed")
