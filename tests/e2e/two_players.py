#!/usr/bin/python3
"""A game of two players at one computer through the screen reader bridge (two_players.sh)."""
import os
import re
import sqlite3
import subprocess
import sys
import time

import pyatspi

from atspi_client import app, became, fail, pump, wait_for

PROGRAM = sys.argv[1]
NAMES = ("太郎", "花子")
said, focus = [], []

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
def xdo(*args):
    subprocess.run(["xdotool", *args], check=True)
    pump(0.15)

def find_named(name, node=None, depth=0):
    node = node or app()
    try:
        if node.name == name:
            return node
        for i in range(node.childCount if depth < 8 else 0):
            hit = find_named(name, node.getChildAtIndex(i), depth + 1)
            if hit is not None:
                return hit
    except Exception:
        pass
    return None

def showing(name):
    node = find_named(name)
    try:
        return node is not None and node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False

def focused(name, what):
    wait_for(lambda: focus and focus[-1] == name, 5, what)
def start_program():
    program = subprocess.Popen([PROGRAM], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for(lambda: app() is not None and showing("カード数 28枚"), 20, "the settings window")
    pump(0.5)
    return program

# The settings window by keys: the choice is off, as the computer plays by default.
program = start_program()
if not showing("ふたりで遊ぶ（オフ）") or showing("2人目のプレーヤーの名前"):
    fail("the settings window does not open with the computer chosen")
xdo("type", "--delay", "60", NAMES[0])
xdo("key", "shift+Tab")
focused("ふたりで遊ぶ（オフ）", "the focus on ふたりで遊ぶ")
xdo("key", "space")
focused("2人目のプレーヤーの名前", "the focus on the second name box")
xdo("type", "--delay", "60", NAMES[1])
xdo("key", "Tab")
focused("カード数 28枚", "the focus on カード数 28枚")
xdo("key", "Return")
wait_for(lambda: showing("サイコロ") and find_named(NAMES[1]), 20, "the second panel reading 花子")
focused("サイコロ", "the focus on the dice")

# The dice: an odd face lets 太郎 start, an even one 花子.
for _ in range(5):
    xdo("key", "space")
    if became(lambda: find_named("クリックでストップ") is not None, 2):
        break
pump(0.5)
xdo("key", "space")
wait_for(lambda: any(t.startswith("サイコロは ") for t in said), 10, "the dice sentence")
dice = re.fullmatch(r"サイコロは (\d)。(.+) さんが先攻です", said[-1])
if not dice or dice.group(2) != NAMES[(int(dice.group(1)) + 1) % 2]:
    fail("dice sentence: %s" % said[-1])
focused("スタート", "the focus on the start button")
xdo("key", "space")
focused("カード 1、裏", "the cards on the table")
wait_for(lambda: said[-1] == dice.group(2) + " さんの番です", 5, "the first turn told")

# Nobody moves: nothing turns, the computer's seat included.
mark = len(said)
pump(20)
if said[mark:]:
    fail("without a click the program said: %s" % said[mark:])

# Each player on their own turn: 太郎 clicks his cards, 花子 turns hers by keys.
CARD = re.compile(r"(.+): カード (\d+)、.+の(.+)")
TURN = re.compile(r"(.+) さんの番です")
known, taken = {}, set()

def pick(rank, up):
    down = [s for s in range(1, 29) if s not in taken and s != up]
    for s in down:
        if known.get(s) and (known[s] == rank or (rank is None and
                                                  list(known.values()).count(known[s]) > 1)):
            return s
    return next((s for s in down if s not in known), down[0])

def turn(player, slot):
    mark = len(said)
    if player == NAMES[0]:
        x, y, w, h = find_named("カード %d、裏" % slot).queryComponent().getExtents(
            pyatspi.DESKTOP_COORDS)
        xdo("mousemove", str(x + w // 2), str(y + h // 2))
        xdo("click", "1")
    else:
        for _ in range(60):
            last = next((f for f in reversed(focus) if f.startswith("カード ")), "")
            if last == "カード %d、裏" % slot:
                break
            xdo("key", "Right")
        xdo("key", "space")
    wait_for(lambda: any(CARD.fullmatch(t) for t in said[mark:]), 5, "card %d turned" % slot)
    told = next(CARD.fullmatch(t) for t in said[mark:] if CARD.fullmatch(t))
    if (told.group(1), int(told.group(2))) != (player, slot):
        fail("%s turned card %d on their turn, but heard: %s" % (player, slot, told.group(0)))
    known[slot] = told.group(3)
    return mark

deadline = time.time() + 240
moves = {name: 0 for name in NAMES}
while not any("さんの勝ち" in t or t.startswith("引き分け") for t in said):
    if time.time() > deadline:
        fail("no result within 240 s")
    pump(0.1)
    player = TURN.fullmatch(said[-1])
    if not player:
        continue  # a move is being resolved
    first = pick(None, None)
    turn(player.group(1), first)
    second = pick(known[first], first)
    mark = turn(player.group(1), second)
    wait_for(lambda: len(said) > mark + 1 and (TURN.fullmatch(said[-1]) or "枚" in said[-1]), 10,
             "the move resolved")
    if any(t.startswith("ペア！") for t in said[mark:]):
        taken.update((first, second))
    moves[player.group(1)] += 1

result = re.fullmatch(r"(.+)。太郎 (\d+) 枚、花子 (\d+) 枚", said[-1])
counts = (int(result.group(2)), int(result.group(3))) if result else (0, 0)
winner = "引き分け" if counts[0] == counts[1] else "%s さんの勝ち" % NAMES[counts[1] > counts[0]]
if sum(counts) != 28 or result.group(1) != winner:
    fail("result sentence: %s" % said[-1])
wait_for(lambda: showing("もう一度やり直す") and showing("設定画面に戻る"), 10, "the result buttons")
if not all(moves.values()) or showing("レベル 2 に挑戦する"):
    fail("moves %s, or a level challenge shows" % moves)
rows = sqlite3.connect(os.path.join(os.path.dirname(PROGRAM), "records.sqlite")).execute(
    "SELECT player, opponent, level, ending, player_count, computer_count FROM rounds").fetchall()
if rows != [(NAMES[0], NAMES[1], None, "finished") + counts]:
    fail("records: %s" % rows)

# The next run offers two players again.
program.terminate()
program.wait(10)
program = start_program()
wait_for(lambda: showing("ふたりで遊ぶ（オン）") and showing("2人目のプレーヤーの名前"), 5,
         "two players offered at the next run")
program.terminate()
program.wait(10)
print("1 passed, 0 failed")
