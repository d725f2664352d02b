#!/usr/bin/python3
"""A 28-card round played by keys as a screen reader hears it, by a player who takes every
known pair but one: the first it could have taken. R opens the records window over the result,
Enter the review, which must list every move told, in order, mark the one left "見逃したペア",
count it at the top, and be heard at each step of → and ←."""
import re
import subprocess
import sys
import time

import pyatspi

from atspi_client import app, became, fail, pump, wait_for

PROGRAM = sys.argv[1]
said = []   # announcements, in order
focus = []  # names of the elements that took the focus, in order


def on_text(event):
    try:
        if event.source.getRole() == pyatspi.ROLE_STATUS_BAR and str(event.any_data).strip():
            said.append(str(event.any_data).strip())
    except Exception:
        pass


def on_focus(event):
    try:
        if event.detail1 == 1 and event.source.name:
            focus.append(event.source.name)
    except Exception:
        pass


pyatspi.Registry.registerEventListener(on_text, "object:text-changed:insert")
pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")


def key(name):
    subprocess.run(["xdotool", "key", name], check=True)
    pump(0.15)


def find_named(name, node=None, depth=0):
    """The first element with the name, from the program's root down."""
    node = app() if depth == 0 else node
    try:
        if node is None or node.name == name or depth > 10:
            return node if node is not None and node.name == name else None
        hits = (find_named(name, node.getChildAtIndex(i), depth + 1) for i in range(node.childCount))
        return next((hit for hit in hits if hit is not None), None)
    except Exception:
        return None


def heard_since(mark, pattern):
    return next((t for t in said[mark:] if re.fullmatch(pattern, t)), None)


program = subprocess.Popen([PROGRAM], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
wait_for(lambda: app() is not None and find_named("プレーヤーの名前") is not None, 30,
         "the settings window on the accessibility bus")
subprocess.run(["xdotool", "type", "--delay", "60", "はなこ"], check=True)
pump(0.3)
key("Tab")
key("Tab")
wait_for(lambda: focus and focus[-1] == "カード数 28枚", 5, "the focus on カード数 28枚")
key("Return")
wait_for(lambda: focus and focus[-1] == "サイコロ", 20, "the focus on the dice")
for _ in range(5):
    key("space")
    if became(lambda: find_named("クリックでストップ") is not None, 2):
        break
pump(0.5)
key("space")
wait_for(lambda: focus and focus[-1] == "スタート", 10, "the focus on the start button")
key("space")
wait_for(lambda: focus and focus[-1] == "カード 1、裏", 15, "the focus on card 1")

CARD = re.compile(r"(コンピュータ: )?(カード (\d+)、.+の(.+))")
TURN = ("あなたの番です", "コンピュータの番です")
OVER = re.compile(r".*(勝ち|引き分け).*。あなた \d+ 枚、コンピュータ \d+ 枚")


def state():
    for text in reversed(said):
        if OVER.fullmatch(text):
            return "over"
        if text in TURN:
            return "player" if text == TURN[0] else "computer"
    return "computer"


def table():
    """The moves told as (side, card, card); the ranks seen on the table by slot; slots taken."""
    moves, seen, taken, up = [], {}, set(), []
    for text in said:
        m = CARD.fullmatch(text)
        if m:
            up.append(m)
            seen[int(m.group(3))] = m.group(4)
        if len(up) == 2 and (text.startswith("ペア") or text in TURN or OVER.fullmatch(text)):
            moves.append(("コンピュータ" if up[0].group(1) else "あなた", up[0].group(2),
                          up[1].group(2)))
            if text.startswith("ペア！") or text.startswith("ペア。"):
                for card in up:
                    seen.pop(int(card.group(3)), None)
                    taken.add(int(card.group(3)))
            up = []
    return moves, seen, taken


def focused_slot():
    for name in reversed(focus):
        m = re.fullmatch(r"カード (\d+)、裏", name)
        if m:
            return int(m.group(1))
    return 0


def turn(slot):
    """Moves the focus right to the face-down card at the slot and turns it."""
    for _ in range(30):
        if focused_slot() == slot:
            break
        key("Right")
    if focused_slot() != slot:
        fail("the focus never reached card %d" % slot)
    mark = len(said)
    key("space")
    wait_for(lambda: heard_since(mark, r"カード %d、.+" % slot), 5, "card %d told" % slot)


left_at = None  # the number of the move whose known pair was left
deadline = time.time() + 240
while state() != "over":
    if time.time() > deadline:
        fail("no round end within 240 s")
    pump(0.2)
    if state() != "player" or said[-1] != TURN[0]:
        continue
    moves, seen, taken = table()
    known = sorted(s for s, r in seen.items() if list(seen.values()).count(r) >= 2)
    unseen = [s for s in range(1, 29) if s not in seen and s not in taken]
    if known and left_at is None and unseen:
        left_at = len(moves) + 1
        first = unseen[0]
    elif known:
        first = known[0]
    else:
        first = unseen[0] if unseen else min(seen)
    turn(first)
    moves, seen, taken = table()
    rank = seen[first]
    partner = [s for s, r in seen.items() if r == rank and s != first]
    rest = [s for s in range(1, 29) if s not in seen and s not in taken and s != first]
    turn(partner[0] if partner else (rest[0] if rest else min(s for s in seen if s != first)))
    wait_for(lambda: said[-1] in TURN or OVER.fullmatch(said[-1]), 10, "the move resolved")

moves, _, _ = table()
if left_at is None:
    fail("no pair was ever known at the player's turn")
print("round over: %d moves; the known pair left at move %d" % (len(moves), left_at), flush=True)

# --- The records window, opened over the result, has the round chosen; Enter reviews it.
pump(1.0)
key("r")
wait_for(lambda: find_named("最近の対戦") is not None, 10, "the records window")
wait_for(lambda: focus and focus[-1] == "最近の対戦", 5, "the focus on the last rounds")
mark = len(said)
key("Return")
wait_for(lambda: find_named("手の一覧") is not None, 10, "the review window")
wait_for(lambda: heard_since(mark, r"1 手目：.+"), 5, "the first move told")
listing = find_named("手の一覧").queryTable()
if listing.nRows != len(moves):
    fail("the review lists %d moves, the round had %d" % (listing.nRows, len(moves)))
for row, (side, a, b) in enumerate(moves):
    cells = [listing.getAccessibleAt(row, column).name for column in range(6)]
    if cells[:4] != [str(row + 1), side, a, b]:
        fail("move %d listed as %s, told as %s" % (row + 1, cells, [side, a, b]))
    if ("見逃したペア" in cells[5]) != (row + 1 == left_at):
        fail("move %d marked '%s'; the pair was left at move %d" % (row + 1, cells[5], left_at))
top = find_named("見逃したペアと記憶").description
if not re.fullmatch(r"見逃したペア 1・記憶 \d+ %", top):
    fail("the top line reads '%s'" % top)
print("the review lists all %d moves in order; move %d is marked; top line: %s"
      % (len(moves), left_at, top), flush=True)

# --- → and ← step through the moves; each step is heard.
last = max(left_at, 2)
for step, press in [(n, "Right") for n in range(2, last + 1)] + [(last - 1, "Left")]:
    mark = len(said)
    key(press)
    if not became(lambda: heard_since(mark, r"%d 手目：.+" % step), 3):
        fail("move %d was not heard after %s: %s" % (step, press, said[mark:]))
    if step == left_at and "見逃したペア" not in heard_since(mark, r"%d 手目：.+" % step):
        fail("the step to move %d says: %s" % (step, heard_since(mark, r".+")))
print("stepped to move %d and back, every step heard" % last, flush=True)
program.terminate()
program.wait(10)
print("1 passed, 0 failed")
