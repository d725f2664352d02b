#!/usr/bin/python3
"""What a screen reader finds showing, at four moments of a 28-card game at level 1.

Walks the program's accessibility tree over AT-SPI: in the settings window (with the version area
closed, opened and closed again), in the game window before the dice (with the card-back chooser
closed, opened and closed again), during play, and at the result panel. At each moment it checks
that what is on screen is showing with its name and that what is hidden, covered or out of sight
is not. The game is played through the elements' press actions, with the cards the announcements
have told. Prints the showing names at each moment.
"""
import os
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

PROGRAM = sys.argv[1]
RESULT_BUTTONS = ("もう一度やり直す", "設定画面に戻る", "レベル 2 に挑戦する")
BACK_DESIGNS = tuple("カードの裏 %d" % i for i in range(1, 6))
FACE_DOWN = re.compile(r"カード (\d+)、裏")
TOLD_CARD = re.compile(r"(コンピュータ: )?カード (\d+)、(.+)")
OFFER = re.compile(r"レベル \d に挑戦する")
FACE = re.compile(r"カード (\d+)、(?!裏$).+")
# Roles that only hold other objects; every other showing object needs a name.
HOLDERS = {"application", "frame", "filler", "panel", "menu bar", "grouping", "status bar",
           "scroll pane", "viewport", "layered pane", "root pane", "window", "client"}
said = []
told_showing = []  # (name, came into sight) as the bridge told them


def fail(message):
    print("FAIL: " + message, file=sys.stderr, flush=True)
    sys.exit(1)


def on_text(event):
    try:
        if event.source.getRole() != pyatspi.ROLE_STATUS_BAR:
            return
    except Exception:
        return
    text = str(event.any_data).strip()
    if text:
        said.append(text)


def on_showing(event):
    # The bridge tells a client's copy of the tree when an object comes into sight or leaves it.
    try:
        name = event.source.name
    except Exception:
        return
    told_showing.append((name, event.detail1 == 1))


pyatspi.Registry.registerEventListener(on_text, "object:text-changed:insert")
pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")


def pump(seconds):
    end = time.time() + seconds
    context = GLib.MainContext.default()
    while time.time() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.01)


def wait_for(condition, seconds, what):
    end = time.time() + seconds
    while time.time() < end:
        pump(0.05)
        if condition():
            return
    fail("waited %d s for %s" % (seconds, what))


def app():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        child = desktop.getChildAtIndex(i)
        if child is not None and child.name == "koropika":
            return child
    return None


def tree():
    """Every object below the program as (role, name, showing, object). An object shows when it
    says so and so does everything above it; one that says so under a hidden parent is a fault,
    except the entries of a closed drop-down list, which Qt's own combo boxes list that way."""
    found = []

    def visit(node, depth, parent_showing):
        if node is None or depth > 12:
            return
        try:
            states = node.getState()
            says = states.contains(pyatspi.STATE_SHOWING) and states.contains(
                pyatspi.STATE_VISIBLE)
            role = node.getRoleName()
            if says and not parent_showing and role != "list item":
                fail("%s %s says it is showing inside a hidden parent" % (role, node.name))
            showing = says and parent_showing
            found.append((role, node.name or "", showing, node))
            for i in range(node.childCount):
                visit(node.getChildAtIndex(i), depth + 1, showing)
        except Exception:
            pass

    root = app()
    if root is not None:
        for i in range(root.childCount):
            visit(root.getChildAtIndex(i), 0, True)
    return found


def showing_names():
    return [name for _, name, showing, _ in tree() if showing]


def press(name):
    for role, found, showing, node in tree():
        if found == name and showing:
            action = node.queryAction()
            for i in range(action.nActions):
                if action.getName(i) in ("Press", "press", "click", "SetFocus") or i == 0:
                    action.doAction(i)
                    pump(0.2)
                    return
    fail("nothing showing named %s to press" % name)


def check_moment(moment, shown=(), hidden=()):
    """What must be showing and what must not, and a name on everything that shows."""
    objects = tree()
    names = [name for _, name, showing, _ in objects if showing]
    print("%s: %s" % (moment, ", ".join(n for n in names if n)), flush=True)
    if os.environ.get("SCREEN_TREE_DUMP"):
        for role, name, showing, _ in objects:
            print("   %s %s: %s" % ("+" if showing else "-", role, name), flush=True)
    for name in shown:
        if name not in names:
            fail("%s: %s is not showing" % (moment, name))
    for name in hidden:
        if name in names:
            fail("%s: %s is showing, though it is not on screen" % (moment, name))
    offers = [n for n in names if OFFER.fullmatch(n)]
    if offers and "もう一度やり直す" not in shown:
        fail("%s: the level offer %s is showing" % (moment, offers[0]))
    for role, name, showing, _ in objects:
        if name == "カード":
            fail("%s: an object (%s) is named only カード" % (moment, role))
        if showing and not name and role not in HOLDERS:
            fail("%s: a showing %s has no name" % (moment, role))
    return names


program = subprocess.Popen([PROGRAM], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
wait_for(lambda: app() is not None, 20, "the program on the accessibility bus")
wait_for(lambda: "プレーヤーの名前" in showing_names(), 20, "the settings window's name box")

# --- 1. The settings window: the version area lies below the client area until it is opened.
link = "https://ja.wikipedia.org/wiki/神経衰弱"
check_moment("settings window", shown=("プレーヤーの名前", "カード数 28枚", "カード数 40枚",
                                       "カード数 52枚", "バージョン情報"), hidden=(link,))
press("バージョン情報")
wait_for(lambda: link in showing_names(), 5, "the version area to open")
press("バージョン情報")
wait_for(lambda: link not in showing_names(), 5, "the version area to close")
check_moment("settings window, version area closed again", hidden=(link,))

# A name typed into the name box, clicked where the screen reader says it is.
box = next(node for role, name, showing, node in tree() if name == "プレーヤーの名前"
           and role == "text")
extents = box.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
subprocess.run(["xdotool", "mousemove", str(extents.x + extents.width // 2),
                str(extents.y + extents.height // 2), "click", "1"], check=True)
pump(0.3)
subprocess.run(["xdotool", "type", "--delay", "60", "taro"], check=True)
pump(0.3)

press("カード数 28枚")
wait_for(lambda: "サイコロ" in showing_names(), 20, "the game window's dice")

# --- 2. The game window before the dice; the chooser shows its designs only while open.
check_moment("before the dice", shown=("サイコロ", "スタート"),
             hidden=RESULT_BUTTONS + BACK_DESIGNS)
press("カード選択")
wait_for(lambda: all(d in showing_names() for d in BACK_DESIGNS), 5, "the chooser to open")
wait_for(lambda: all((d, True) in told_showing for d in BACK_DESIGNS), 5,
         "the bridge to tell that the designs came into sight")
press("C")
wait_for(lambda: not any(d in showing_names() for d in BACK_DESIGNS), 5, "the chooser to close")
wait_for(lambda: all((d, False) in told_showing for d in BACK_DESIGNS), 5,
         "the bridge to tell that the designs left")
check_moment("before the dice, chooser closed again", hidden=RESULT_BUTTONS + BACK_DESIGNS)

press("サイコロ")
wait_for(lambda: "クリックでストップ" in showing_names(), 10, "the dice to roll")
pump(0.5)
press("サイコロ")
wait_for(lambda: any(t.startswith("サイコロは ") for t in said), 10, "the dice sentence")
pump(1.0)
press("スタート")
wait_for(lambda: len([n for n in showing_names() if FACE_DOWN.fullmatch(n)]) == 28, 20,
         "28 face-down cards")

# --- 3. During play: the cards face down, nothing of the result panel or the chooser.
names = check_moment("during play", hidden=RESULT_BUTTONS + BACK_DESIGNS)
under = [n for n in names if FACE.fullmatch(n) and "カード %s、裏" % FACE.fullmatch(n).group(1)
         in names]
if under:
    fail("during play a face shows under its back: %s" % under)


def over():
    return any("勝ち" in t or t.startswith("引き分け") for t in said)


def face_down():
    return [int(FACE_DOWN.fullmatch(n).group(1)) for n in showing_names() if FACE_DOWN.fullmatch(n)]


def known():
    ranks = {}
    for text in said:
        m = TOLD_CARD.fullmatch(text)
        if m:
            ranks[int(m.group(2))] = m.group(3).split("の", 1)[-1]
    return ranks


def turn_up(slot):
    mark = len(said)
    press("カード %d、裏" % slot)
    wait_for(lambda: any(TOLD_CARD.fullmatch(t) for t in said[mark:]), 5, "card %d told" % slot)
    return known()[slot]


deadline = time.time() + 300
while not over():
    if time.time() > deadline:
        fail("no result within 300 s")
    pump(0.2)
    if not said or said[-1] != "あなたの番です":
        continue
    down = face_down()
    ranks = {s: r for s, r in known().items() if s in down}
    by_rank = {}
    for slot, rank in ranks.items():
        by_rank.setdefault(rank, []).append(slot)
    pair = next((slots for slots in by_rank.values() if len(slots) >= 2), None)
    unknown = [s for s in down if s not in ranks]
    first = pair[0] if pair else (unknown[0] if unknown else down[0])
    mark = len(said)
    rank = turn_up(first)
    partner = next((s for s, r in ranks.items() if r == rank and s != first), None)
    others = [s for s in unknown if s != first] or [s for s in down if s != first]
    turn_up(partner if partner is not None else others[0])
    wait_for(lambda: any(t in ("あなたの番です", "コンピュータの番です") or "勝ち" in t
                         or t.startswith("引き分け") for t in said[mark + 2:]), 10,
             "the move resolved")

# --- 4. The result panel: its three buttons with the offer of the next level, no cards.
wait_for(lambda: "もう一度やり直す" in showing_names(), 20, "the result panel")
names = check_moment("result panel", shown=RESULT_BUTTONS, hidden=BACK_DESIGNS)
wait_for(lambda: all((b, True) in told_showing for b in RESULT_BUTTONS), 5,
         "the bridge to tell that the result panel's buttons came into sight")
if any(FACE_DOWN.fullmatch(n) or FACE.fullmatch(n) for n in names):
    fail("at the result panel a card shows")
program.terminate()
program.wait(10)
print("1 passed, 0 failed")
