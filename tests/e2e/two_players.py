#!/usr/bin/python3
"""A game of two players at one computer, heard through the screen reader bridge (see
two_players.sh): the settings by keys, 太郎's cards by mouse clicks on the cards, 花子's by keys."""
import os
import re
import sqlite3
import subprocess
import sys
import time

import pyatspi

from atspi_client import app, became, fail, pump, wait_for

PROGRAM = sys.argv[1]
RECORDS = os.path.join(os.path.dirname(PROGRAM), "records.sqlite")
SHOTS = os.environ.get("E2E_SHOTS", "/tmp")
NAMES = ("太郎", "花子")
QUIET_S = 20

said = []
focus = []


def log(line):
    print(line, flush=True)


def on_text(event):
    try:
        if event.source.getRole() != pyatspi.ROLE_STATUS_BAR:
            return
    except Exception:
        return
    text = str(event.any_data).strip()
    if text:
        said.append(text)
        log("  said: " + text)


def on_focus(event):
    if event.detail1 != 1:
        return
    try:
        name = event.source.name
    except Exception:
        return
    if name:
        focus.append(name)


pyatspi.Registry.registerEventListener(on_text, "object:text-changed:insert")
pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")


def key(name):
    subprocess.run(["xdotool", "key", name], check=True)
    pump(0.15)


def shoot(name):
    subprocess.run(["import", "-window", "root", os.path.join(SHOTS, name)], check=False)


def find_named(name):
    def visit(node, depth):
        if node is None or depth > 8:
            return None
        try:
            if node.name == name:
                return node
            for i in range(node.childCount):
                hit = visit(node.getChildAtIndex(i), depth + 1)
                if hit is not None:
                    return hit
        except Exception:
            return None
        return None
    return visit(app(), 0)


def showing(name):
    node = find_named(name)
    try:
        return node is not None and node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def start_program():
    program = subprocess.Popen([PROGRAM], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for(lambda: app() is not None, 20, "the program on the accessibility bus")
    wait_for(lambda: showing("カード数 28枚"), 20, "the settings window")
    pump(0.5)
    return program


# --- The settings window: the choice is off, as the computer plays by default.
program = start_program()
wait_for(lambda: showing("ふたりで遊ぶ（オフ）"), 5, "the choice of two players, off")
if showing("2人目のプレーヤーの名前"):
    fail("the second name box shows with the computer chosen")
shoot("settings-computer.png")
subprocess.run(["xdotool", "type", "--delay", "60", NAMES[0]], check=True)
pump(0.3)
key("Tab")
key("Tab")
wait_for(lambda: focus and focus[-1] == "ふたりで遊ぶ（オフ）", 5, "the focus on ふたりで遊ぶ")
key("space")
wait_for(lambda: showing("2人目のプレーヤーの名前"), 5, "the second name box")
wait_for(lambda: focus and focus[-1] == "2人目のプレーヤーの名前", 5, "the focus on the second box")
subprocess.run(["xdotool", "type", "--delay", "60", NAMES[1]], check=True)
pump(0.3)
shoot("settings-two-players.png")
key("Tab")
wait_for(lambda: focus and focus[-1] == "カード数 28枚", 5, "the focus on カード数 28枚")
key("Return")
wait_for(lambda: showing("サイコロ"), 20, "the game window's dice")
wait_for(lambda: find_named(NAMES[1]) is not None, 5, "the second panel reading 花子")
if showing("コンピュータ"):
    fail("the computer's name shows at a table of two players")
wait_for(lambda: focus and focus[-1] == "サイコロ", 10, "the focus on the dice")
shoot("game-two-players.png")

# --- The dice: Space rolls, Space stops; an odd face lets 太郎 start, an even one 花子.
for _ in range(5):
    key("space")
    if became(lambda: find_named("クリックでストップ") is not None, 2):
        break
pump(0.5)
key("space")
wait_for(lambda: any(t.startswith("サイコロは ") for t in said), 10, "the dice sentence")
dice = next(t for t in said if t.startswith("サイコロは "))
m = re.fullmatch(r"サイコロは (\d)。(.+) さんが先攻です", dice)
if not m or m.group(2) != NAMES[(int(m.group(1)) + 1) % 2]:
    fail("dice sentence: " + dice)
wait_for(lambda: focus and focus[-1] == "スタート", 5, "the focus on the start button")
mark = len(said)
key("space")
wait_for(lambda: focus and focus[-1] == "カード 1、裏", 15, "the cards on the table")
wait_for(lambda: len(said) > mark, 5, "whose turn it is")
if said[mark] != m.group(2) + " さんの番です":
    fail("after the start: %s" % said[mark])

# --- Nobody moves: no card turns, the computer's seat included.
mark = len(said)
pump(QUIET_S)
if said[mark:]:
    fail("without a click, the program said: %s" % said[mark:])
log("nothing turned in %d s without a click" % QUIET_S)

# --- Play: each player on their own turn, 太郎 by mouse, 花子 by keys.
CARD = re.compile(r"(.+): カード (\d+)、(.+)")
TURN = re.compile(r"(.+) さんの番です")
known = {}     # slot -> rank words, of cards seen and not taken
taken = set()
up = None      # the first card of the move in progress


def whose_turn():
    for text in reversed(said):
        t = TURN.fullmatch(text)
        if t:
            return t.group(1)
        if "さんの勝ち" in text or text.startswith("引き分け"):
            return None
    return None


def face_down():
    return [s for s in range(1, 29) if s not in taken and s != up]


def rank_of(words):
    return words.split("の", 1)[1]


def pick(first):
    """A card to turn: the match of a known card, else one not seen, else any face-down one."""
    rank = known.get(first) if first else None
    if rank is None:
        for s in face_down():
            for t in face_down():
                if s != t and known.get(s) and known.get(s) == known.get(t):
                    return s
    else:
        match = [s for s in face_down() if known.get(s) == rank]
        if match:
            return match[0]
    unseen = [s for s in face_down() if s not in known]
    return (unseen or face_down())[0]


def click_card(slot):
    node = find_named("カード %d、裏" % slot)
    if node is None:
        fail("no face-down card %d in the tree" % slot)
    x, y, w, h = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(x + w // 2), str(y + h // 2)], check=True)
    pump(0.1)
    subprocess.run(["xdotool", "click", "1"], check=True)


def focused_slot():
    for name in reversed(focus):
        f = re.fullmatch(r"カード (\d+)、裏", name)
        if f:
            return int(f.group(1))
        if not name.startswith("カード "):
            return 0
    return 0


def key_card(slot):
    # Right moves over the face-down cards in slot order; at most once round the table.
    for _ in range(60):
        if focused_slot() == slot:
            break
        key("Right")
    if focused_slot() != slot:
        fail("the focus never reached card %d" % slot)
    key("space")


def turn(player, slot):
    global up
    mark = len(said)
    (click_card if player == NAMES[0] else key_card)(slot)
    wait_for(lambda: any(CARD.fullmatch(t) for t in said[mark:]), 5, "card %d turned" % slot)
    told = next(CARD.fullmatch(t) for t in said[mark:] if CARD.fullmatch(t))
    if told.group(1) != player or int(told.group(2)) != slot:
        fail("%s turned card %d on their turn, but heard: %s" % (player, slot, told.group(0)))
    known[slot] = rank_of(told.group(3))
    return mark


deadline = time.time() + 240
moves = {NAMES[0]: 0, NAMES[1]: 0}
while whose_turn() is not None:
    if time.time() > deadline:
        fail("no result within 240 s")
    pump(0.1)
    player = whose_turn()
    if player is None or not TURN.fullmatch(said[-1]):
        continue  # a move is being resolved
    first = pick(None)
    turn(player, first)
    up = first
    second = pick(first)
    mark = turn(player, second)
    up = None
    wait_for(lambda: any(TURN.fullmatch(t) or "さんの勝ち" in t or t.startswith("引き分け")
                         for t in said[mark:]), 10, "the move resolved")
    if any(t.startswith("ペア！") for t in said[mark:]):
        taken.update((first, second))
        known.pop(first, None)
        known.pop(second, None)
    moves[player] += 1

result = next(t for t in reversed(said) if "さんの勝ち" in t or t.startswith("引き分け"))
log("result: " + result)
r = re.fullmatch(r"(.+)。太郎 (\d+) 枚、花子 (\d+) 枚", result)
if not r or int(r.group(2)) + int(r.group(3)) != 28:
    fail("result sentence: " + result)
counts = (int(r.group(2)), int(r.group(3)))
winner = ("引き分け" if counts[0] == counts[1]
          else "%s さんの勝ち" % NAMES[0 if counts[0] > counts[1] else 1])
if r.group(1) != winner:
    fail("the result reads %s for %d to %d" % (r.group(1), counts[0], counts[1]))
wait_for(lambda: showing("もう一度やり直す") and showing("設定画面に戻る"), 10, "the result buttons")
if any(re.fullmatch(r"レベル \d に挑戦する", n) and showing(n) for n in
       ["レベル %d に挑戦する" % i for i in range(2, 7)]):
    fail("a level challenge at a table of two players")
pump(4)
shoot("result-two-players.png")
log("moves: 太郎 %d by mouse, 花子 %d by keys" % (moves[NAMES[0]], moves[NAMES[1]]))
if not moves[NAMES[0]] or not moves[NAMES[1]]:
    fail("one player never moved")

# --- The records: one row with both names and no level.
rows = sqlite3.connect(RECORDS).execute(
    "SELECT player, opponent, level, ending, player_count, computer_count FROM rounds").fetchall()
if rows != [(NAMES[0], NAMES[1], None, "finished", counts[0], counts[1])]:
    fail("records: %s" % rows)
log("records: %s" % rows)

# --- The next run offers two players again, with the second name.
program.terminate()
program.wait(10)
program = start_program()
wait_for(lambda: showing("ふたりで遊ぶ（オン）"), 5, "the choice of two players, on")
wait_for(lambda: showing("2人目のプレーヤーの名前"), 5, "the second name box at the next run")
program.terminate()
program.wait(10)
print("1 passed, 0 failed")
