#!/usr/bin/python3
"""An AT-SPI client walks the tree at four moments of a 28-card game at level 1 (settings window,
game window before the dice, during play, result panel; the version area and the card-back
chooser opened and closed): what is on screen shows with its name, nothing else does. The game
is played through the press actions, with the cards the announcements have told."""
import re
import subprocess
import sys
import time

import pyatspi

from atspi_client import app, fail, pump, wait_for

LINK = "https://ja.wikipedia.org/wiki/神経衰弱"
RESULT = ("もう一度やり直す", "設定画面に戻る", "レベル 2 に挑戦する")
DESIGNS = tuple("カードの裏 %d" % i for i in range(1, 6))
OFFER = r"レベル \d に挑戦する"
CARD = re.compile(r"カード (\d+)、(.+)")
TOLD = re.compile(r"(?:コンピュータ: )?カード (\d+)、.*の(.+)")  # a card turned: place, rank
# Each moment: the names that must show, and the patterns no showing name may match.
MOMENTS = {
    "settings window": (("プレーヤーの名前", "カード数 28枚", "カード数 40枚", "カード数 52枚",
                         "バージョン情報"), (LINK,)),
    "before the dice": (("サイコロ", "スタート"), RESULT + DESIGNS + (OFFER,)),
    "during play": ((), RESULT + DESIGNS + (OFFER,)),
    "result panel": (RESULT, DESIGNS + (r"カード .+", r"レベル [^2] に挑戦する")),
}
# Roles that only hold other objects; every other showing object needs a name.
HOLDERS = {"application", "frame", "filler", "panel", "menu bar", "grouping", "status bar",
           "scroll pane", "viewport", "layered pane", "root pane", "window", "client"}
said = []  # the announcements
told = []  # (name, came into sight) as the bridge told a client's copy of the tree


def heard(event):  # the source may be gone by the time the event is read
    try:
        if event.type.endswith("insert") and event.source.getRole() == pyatspi.ROLE_STATUS_BAR:
            said.append(str(event.any_data).strip())
        elif event.type.endswith("showing"):
            told.append((event.source.name, event.detail1 == 1))
    except Exception:
        pass


pyatspi.Registry.registerEventListener(heard, "object:text-changed:insert",
                                       "object:state-changed:showing")


def tree():
    """Every object below the program as (role, name, showing, object). One saying it shows
    under a hidden parent is a fault, except the entries of a closed drop-down list (Qt's way)."""
    found = []

    def visit(node, parent_showing):
        try:
            states = node.getState()
            says = states.contains(pyatspi.STATE_SHOWING) and states.contains(pyatspi.STATE_VISIBLE)
            role = node.getRoleName()
            if says and not parent_showing and role != "list item":
                fail("%s %s says it is showing inside a hidden parent" % (role, node.name))
            found.append((role, node.name or "", says and parent_showing, node))
            for i in range(node.childCount):
                visit(node.getChildAtIndex(i), says and parent_showing)
        except Exception:  # an object that went away while it was read
            pass

    visit(app(), True)
    return found


def showing():
    return [name for _, name, shows, _ in tree() if shows]


def check(moment):
    """Also: no face shows under its back, and every showing object is named."""
    must, must_not = MOMENTS[moment]
    objects = tree()
    names = [name for _, name, shows, _ in objects if shows]
    print("%s: %s" % (moment, ", ".join(n for n in names if n)), flush=True)
    for name in must:
        if name not in names:
            fail("%s: %s is not showing" % (moment, name))
    for name in names:
        if any(re.fullmatch(pattern, name) for pattern in must_not):
            fail("%s: %s is showing, though it is not on screen" % (moment, name))
        card = CARD.fullmatch(name)
        if card and card.group(2) != "裏" and "カード %s、裏" % card.group(1) in names:
            fail("%s: %s shows under its back" % (moment, name))
    for role, name, shows, _ in objects:
        if name == "カード" or (shows and not name and role not in HOLDERS):
            fail("%s: a %s is named only '%s'" % (moment, role, name))


def press(name):
    node = next((n for _, found, shows, n in tree() if found == name and shows), None)
    if node is None:
        fail("nothing showing named %s to press" % name)
    node.queryAction().doAction(0)
    pump(0.2)


def toggle(button, names, shows):
    press(button)
    wait_for(lambda: all((n in showing()) == shows for n in names), 5, "%s to act" % button)
    wait_for(lambda: all((n, shows) in told for n in names), 5, "the bridge to tell %s" % button)


def turn_up(slot):
    mark = len(said)
    press("カード %d、裏" % slot)
    wait_for(lambda: any(TOLD.fullmatch(t) for t in said[mark:]), 5, "card %d told" % slot)
    return next(m.group(2) for m in map(TOLD.fullmatch, said[mark:]) if m)


def over():
    return any("勝ち" in t or t.startswith("引き分け") for t in said)


program = subprocess.Popen([sys.argv[1]], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
wait_for(lambda: app() is not None, 20, "the program on the accessibility bus")
wait_for(lambda: "プレーヤーの名前" in showing(), 20, "the settings window's name box")
check("settings window")
toggle("バージョン情報", (LINK,), True)
toggle("バージョン情報", (LINK,), False)
check("settings window")
subprocess.run(["xdotool", "type", "--delay", "60", "taro"], check=True)  # the box has the focus
press("カード数 28枚")
wait_for(lambda: "サイコロ" in showing(), 20, "the game window's dice")
check("before the dice")
toggle("カード選択", DESIGNS, True)
toggle("C", DESIGNS, False)
check("before the dice")
press("サイコロ")
wait_for(lambda: "クリックでストップ" in showing(), 10, "the dice to roll")
pump(0.5)
press("サイコロ")
wait_for(lambda: any(t.startswith("サイコロは ") for t in said), 10, "the dice sentence")
pump(1.0)
press("スタート")
wait_for(lambda: sum(n.endswith("、裏") for n in showing()) == 28, 20, "28 face-down cards")
check("during play")
deadline = time.time() + 300
while not over():  # on the player's turn: a pair known from the announcements, else new cards
    if time.time() > deadline:
        fail("no result within 300 s")
    pump(0.2)
    if not said or said[-1] != "あなたの番です":
        continue
    down = [int(CARD.fullmatch(n).group(1)) for n in showing() if n.endswith("、裏")]
    known = {int(m.group(1)): m.group(2) for m in map(TOLD.fullmatch, said)
             if m and int(m.group(1)) in down}
    unknown = [s for s in down if s not in known] or down
    first = ([s for s in known if list(known.values()).count(known[s]) > 1] + unknown)[0]
    mark = len(said)
    rank = turn_up(first)
    partner = [s for s, r in known.items() if r == rank and s != first]
    turn_up((partner + [s for s in unknown + down if s != first])[0])
    wait_for(lambda: over() or any(t.endswith("の番です") for t in said[mark + 2:]), 10,
             "the move resolved")
wait_for(lambda: "もう一度やり直す" in showing(), 20, "the result panel")
check("result panel")
wait_for(lambda: all((b, True) in told for b in RESULT), 5, "the bridge to tell the buttons came")
program.terminate()
program.wait(10)
print("1 passed, 0 failed")
