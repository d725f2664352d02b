#!/usr/bin/env bash
# A new player: the settings window opens centred and compact, an empty name is refused, a typed
# name starts a 28-card game and is stored in name.txt, and closing the game window ends the run.
set -euo pipefail
here=$(dirname "$0")
source "$here/lib.sh"

start_display
bind_typed_characters "たろう"
copy_program "$1"
title="ころぴか V_1.0"

started=$(date +%s%N)
"$PROGRAM_DIR/koropika" > "$WORK/program.log" 2>&1 &
PROGRAM_PID=$!
settings=$(wait_for_windows "$title" 1)
echo "settings window on screen after $(( ($(date +%s%N) - started) / 1000000 )) ms"
# The window manager frames the window, and the program then moves it to the centre.
read -r left top width height < <(wait_for_outer "$settings" "$CENTRED_SETTINGS")
import -window root "$WORK/settings-window.png"
echo "settings window outer: ${width}x${height} at ${left},${top}"
[ "$height" -eq 233 ] || fail "outer height $height, expected 233"
[ $(( (1280 - width) / 2 - left )) -ge -1 ] && [ $(( (1280 - width) / 2 - left )) -le 1 ] ||
    fail "not centred horizontally: left $left for width $width"
[ $(( (1024 - height) / 2 - top )) -ge -1 ] && [ $(( (1024 - height) / 2 - top )) -le 1 ] ||
    fail "not centred vertically: top $top for height $height"

# Releasing on "カード数 28枚" with no name: the message, and the window stays.
click_at "$settings" 170 120
box=$(wait_for_windows "$title" 2 | grep -vx "$settings")
[ -e "$PROGRAM_DIR/name.txt" ] && fail "name.txt written for an empty name"
wait_for_focus "$box"
xdotool key Return
wait_for_windows "$title" 1 > /dev/null

# Type a name in the name box and release on "カード数 28枚".
type_name "$settings" "たろう"
sleep 0.3
click_at "$settings" 170 120
# The settings window goes away and the game window comes; under load that takes a moment.
for _ in $(seq 100); do
    game=$(wait_for_windows "$title" 1)
    [ "$game" != "$settings" ] && break
    sleep 0.05
done
[ "$game" != "$settings" ] || fail "the settings window is still the one on screen"
for _ in $(seq 100); do [ -s "$PROGRAM_DIR/name.txt" ] && break; sleep 0.05; done
expected=$(printf ' 1 \r\n\x82\xbd\x82\xeb\x82\xa4\r\n' | od -An -tx1)
actual=$(od -An -tx1 "$PROGRAM_DIR/name.txt")
[ "$actual" = "$expected" ] || fail "name.txt holds $actual, expected $expected"
echo "name.txt holds the name in code page 932"
import -window root "$WORK/game-window.png"

# The close box of the game window ends the program.
wait_for_focus "$game"
xdotool key alt+F4
for _ in $(seq 100); do kill -0 "$PROGRAM_PID" 2>/dev/null || break; sleep 0.05; done
kill -0 "$PROGRAM_PID" 2>/dev/null && fail "the program still runs after its game window closed"
wait "$PROGRAM_PID" || fail "the program ended with status $?"
PROGRAM_PID=
echo "1 passed, 0 failed"
