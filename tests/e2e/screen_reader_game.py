#!/usr/bin/python3
"""A screen reader's view of a whole game played by keys alone.

Starts the program, listens to its accessibility events over AT-SPI and plays a 28-card game
with xdotool key presses only: the name, Tab to "カード数 28枚", Enter; Space on the dice twice;
Space on the start button; the cards by arrows and Space until the result panel; Enter on
"もう一度やり直す"; then checks that a second game starts. It checks the names in the tree, that
the announcements come in the order of play, and that every card turned by a key is the card
that had the focus. Prints what it heard, step by step.
"""
import re
import subprocess
import sys
import time

import pyatspi

from atspi_client import app, became, fail, pump, wait_for

PROGRAM = sys.argv[1]
TIMEOUT_S = 240

said = []      # announcements, in order
focus = []     # names of the elements that took the focus, in order
log_lines = []


def log(line):
    log_lines.append(line)
    print(line, flush=True)


def on_text(event):
    # Each announcement is inserted into the status bar's text; the event carries the words.
    try:
        if event.source.getRole() != pyatspi.ROLE_STATUS_BAR:
            return
    except Exception:
        return
    text = str(event.any_data).strip()
    if text:
        said.append((time.time(), text))
        log("  said: " + text)


def on_focus(event):
    if event.detail1 != 1:
        return
    try:
        name = event.source.name
        role = event.source.getRoleName()
    except Exception:
        return
    if name:
        focus.append(name)
        log("  focus: %s (%s)" % (name, role))


pyatspi.Registry.registerEventListener(on_text, "object:text-changed:insert")
pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")


def key(name):
    subprocess.run(["xdotool", "key", name], check=True)
    pump(0.15)


def names_in_tree(root, depth=0):
    found = []
    if root is None or depth > 8:
        return found
    try:
        found.append((root.getRoleName(), root.name))
        for i in range(root.childCount):
            found.extend(names_in_tree(root.getChildAtIndex(i), depth + 1))
    except Exception:
        pass
    return found


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


def said_since(mark):
    return [text for _, text in said[mark:]]


program = subprocess.Popen([PROGRAM], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
started = time.time()
wait_for(lambda: app() is not None, 20, "the program on the accessibility bus")
wait_for(lambda: ("combo box", "プレーヤーの名前") in names_in_tree(app()), 20,
         "the settings window's name box")
log("settings window: " + ", ".join(n for r, n in names_in_tree(app())
                                  if n and r in ("combo box", "label")))

# --- Settings window: the name box has the focus; type, Tab twice, Enter.
log("step: type the name, Tab, Tab, Enter")
subprocess.run(["xdotool", "type", "--delay", "60", "はなこ"], check=True)
pump(0.3)
key("Tab")
key("Tab")
wait_for(lambda: focus and focus[-1] == "カード数 28枚", 5, "the focus on カード数 28枚")
key("Return")
wait_for(lambda: find_named("サイコロ") is not None, 20, "the game window's dice")
wait_for(lambda: focus and focus[-1] == "サイコロ", 10, "the focus on the dice")

# --- The dice: Space rolls, Space stops; the start button takes the focus.
log("step: Space, Space on the dice")
mark = len(said)


def roll_dice():
    # The first key may come before the window manager has made the new window active: press
    # again until the dice rolls (its prompt turns to the stop prompt), then stop it.
    for _ in range(5):
        key("space")
        if became(lambda: find_named("クリックでストップ") is not None, 2):
            break
        log("  the dice did not roll yet; Space again")
    pump(0.5)
    key("space")


roll_dice()
wait_for(lambda: any(t.startswith("サイコロは ") for t in said_since(mark)), 10, "the dice sentence")
dice = [t for t in said_since(mark) if t.startswith("サイコロは ")][0]
match = re.fullmatch(r"サイコロは (\d)。(あなた|コンピュータ)が先攻です", dice)
if not match:
    fail("dice sentence: " + dice)
player_starts = match.group(2) == "あなた"
if player_starts != (int(match.group(1)) % 2 == 1):
    fail("the dice says %s but %s starts" % (match.group(1), match.group(2)))
wait_for(lambda: focus and focus[-1] == "スタート", 5, "the focus on the start button")

# --- The start button: the cards are laid, the first face-down card takes the focus.
log("step: Space on the start button")
mark = len(said)
key("space")
wait_for(lambda: focus and focus[-1] == "カード 1、裏", 15, "the focus on card 1")
wait_for(lambda: said_since(mark), 5, "whose turn it is")
expected_turn = "あなたの番です" if player_starts else "コンピュータの番です"
if said_since(mark)[0] != expected_turn:
    fail("after the start: %s, expected %s" % (said_since(mark)[0], expected_turn))
cards = [n for r, n in names_in_tree(app()) if re.fullmatch(r"カード \d+、裏", n or "")]
if len(cards) != 28:
    fail("%d face-down cards in the tree, expected 28" % len(cards))
for name in ("サイコロ", "スタート", "もう一度やり直す", "設定画面に戻る"):
    if find_named(name) is None:
        fail("no element named " + name)

# --- Play: on the player's turn, turn the focused card, move right, turn that one.
CARD = re.compile(r"(コンピュータ: )?カード (\d+)、(.+)")
FOCUSED = re.compile(r"カード (\d+)、裏")
known = {}  # slot -> rank words, of cards seen and not taken


def focused_slot():
    for name in reversed(focus):
        m = FOCUSED.fullmatch(name)
        if m:
            return int(m.group(1))
        if not name.startswith("カード "):
            return 0
    return 0


def turn_state():
    """'player', 'computer' or 'over', from the last turn or result sentence."""
    for _, text in reversed(said):
        if text in ("あなたの番です", "コンピュータの番です"):
            return "player" if text == "あなたの番です" else "computer"
        if "勝ち" in text or text.startswith("引き分け"):
            return "over"
    return "computer"


def turn_focused_card():
    slot = focused_slot()
    mark = len(said)
    key("space")
    wait_for(lambda: any(CARD.fullmatch(t) for t in said_since(mark)), 5,
             "the card turned at slot %d" % slot)
    turned = [CARD.fullmatch(t) for t in said_since(mark) if CARD.fullmatch(t)][0]
    if turned.group(1) or int(turned.group(2)) != slot:
        fail("Space with the focus on card %d turned: %s" % (slot, turned.group(0)))
    return slot


def rank_of(words):
    return words.split("の", 1)[1]


moves = 0
turned_by_key = 0
deadline = started + TIMEOUT_S
while turn_state() != "over":
    if time.time() > deadline:
        fail("no result within %d s" % TIMEOUT_S)
    pump(0.2)
    if turn_state() != "player":
        continue
    # Wait until the last move is resolved: the turn sentence is the last thing said.
    if said[-1][1] != "あなたの番です":
        continue
    moves += 1
    log("step: player's move %d" % moves)
    first = turn_focused_card()
    turned_by_key += 1
    # Move right until a card known to match is under the focus, at most once round the table.
    first_rank = rank_of([CARD.fullmatch(t) for t in said_since(0) if CARD.fullmatch(t)][-1].group(3))
    target = next((s for s, r in known.items() if r == first_rank and s != first), None)
    steps = 0
    key("Right")
    while target is not None and focused_slot() != target and steps < 28:
        key("Right")
        steps += 1
    mark = len(said)
    second = turn_focused_card()
    turned_by_key += 1
    if second == first:
        fail("the focus stayed on the first card")
    wait_for(lambda: any(t in ("あなたの番です", "コンピュータの番です") or "勝ち" in t
                         or t.startswith("引き分け") for t in said_since(mark)), 10,
             "the move resolved")
    # Remember what was seen; pairs leave the table.
    for _, text in said:
        m = CARD.fullmatch(text)
        if m:
            known[int(m.group(2))] = rank_of(m.group(3))
    taken = set()
    for i, (_, text) in enumerate(said):
        if text.startswith("ペア"):
            pair = [CARD.fullmatch(t) for _, t in said[max(0, i - 2):i] if CARD.fullmatch(t)]
            for m in pair:
                taken.add(int(m.group(2)))
    for slot in taken:
        known.pop(slot, None)

result = [t for _, t in said if "勝ち" in t or t.startswith("引き分け")][-1]
log("result: " + result)
m = re.fullmatch(r"(.+)。あなた (\d+) 枚、コンピュータ (\d+) 枚", result)
if not m or int(m.group(2)) + int(m.group(3)) != 28:
    fail("result sentence: " + result)

# --- The order of play: every announcement follows the rules of a round.
texts = [t for _, t in said]
cards_told = [t for t in texts if CARD.fullmatch(t)]
if len(cards_told) % 2 != 0:
    fail("an odd number of cards was told: %d" % len(cards_told))
pairs = sum(1 for t in texts if t.startswith("ペア！") or t.startswith("ペア。"))
mismatches = texts.count("ペアではありません")
if pairs != 14 or pairs + mismatches != len(cards_told) // 2:
    fail("%d pairs and %d mismatches for %d cards told" % (pairs, mismatches, len(cards_told)))
for i, t in enumerate(texts):
    if t.startswith("ペア") and not CARD.fullmatch(texts[i - 1]):
        fail("'%s' does not follow a second card" % t)
whose = None
for t in texts:
    if t in ("あなたの番です", "コンピュータの番です"):
        whose = t
    elif CARD.fullmatch(t):
        by_computer = bool(CARD.fullmatch(t).group(1))
        if by_computer != (whose == "コンピュータの番です"):
            fail("'%s' told while it was said: %s" % (t, whose))
log("order checked: %d cards told, %d pairs, %d mismatches, %d cards turned by key"
    % (len(cards_told), pairs, mismatches, turned_by_key))

# --- The result panel: Enter on "もう一度やり直す" starts a second game.
wait_for(lambda: focus and focus[-1] == "もう一度やり直す", 10, "the focus on もう一度やり直す")
key("Right")
wait_for(lambda: focus[-1] == "設定画面に戻る", 5, "Right to 設定画面に戻る")
key("Left")
wait_for(lambda: focus[-1] == "もう一度やり直す", 5, "Left back to もう一度やり直す")
log("step: Enter on もう一度やり直す")
focus_mark = len(focus)
key("Return")
wait_for(lambda: "サイコロ" in focus[focus_mark:], 15, "the second game's dice")
mark = len(said)
roll_dice()
wait_for(lambda: any(t.startswith("サイコロは ") for t in said_since(mark)), 10,
         "the second game's dice sentence")
log("second game: " + said_since(mark)[0])
program.terminate()
program.wait(10)
print("1 passed, 0 failed")
