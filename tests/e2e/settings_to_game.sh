#!/usr/bin/env bash
# A new player: the settings window opens centred and compact, an empty name is refused, a typed
# name starts a 28-card game and is stored in name.txt, the dice and the start button lay out the
# cards, two cards turn face up on the player's turn, and closing the game window ends the run.
set -euo pipefail
here=$(dirname "$0")
source "$here/lib.sh"

start_display
bind_typed_characters "たろう"
copy_program "$1"
export SDL_AUDIODRIVER=dummy
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
# The settings window goes away and the game window comes; under load that takes a moment.
game=$(start_game_from "$settings")
wait_until "no name.txt after the start" file_written "$PROGRAM_DIR/name.txt"
expected=$(printf ' 1 \r\n\x82\xbd\x82\xeb\x82\xa4\r\n' | od -An -tx1)
actual=$(od -An -tx1 "$PROGRAM_DIR/name.txt")
[ "$actual" = "$expected" ] || fail "name.txt holds $actual, expected $expected"
echo "name.txt holds the name in code page 932"
import -window root "$WORK/game-window.png"

# Roll the dice and press スタート: all 28 cards lie face down.
find_drawing_origin "$game"
roll_dice
wait_for_first_turn > /dev/null
back=$(back_design_mean 4)
game_click 230 50
# Waits until the table shows the given number of face-down cards; the message names the wait.
wait_for_backs() {
    local deadline=$((SECONDS + 30))
    while :; do
        shoot "$WORK/table.png"
        sort_slots "$WORK/table.png" "$back"
        [ "${#BACKS[@]}" -eq "$1" ] && return 0
        [ "$SECONDS" -lt "$deadline" ] || fail "$2: ${#BACKS[@]} face-down cards, expected $1"
        sleep 0.05
    done
}
wait_for_backs 28 "the cards were not laid out"
echo "all 28 cards lie face down"

# On the player's turn (the computer may move first) two face-down cards turn face up.
deadline=$((SECONDS + 120))
while :; do
    shoot "$WORK/table.png"
    sort_slots "$WORK/table.png" "$back"
    [ "$(game_pixel "$WORK/table.png" $PLAYER_PANEL_SPOT)" = 0000FF ] && [ "$FACES" -eq 0 ] &&
        [ $((${#BACKS[@]} % 2)) -eq 0 ] && break
    [ "$SECONDS" -lt "$deadline" ] || fail "the player's turn never came"
    sleep 0.1
done
faces_down=${#BACKS[@]}
first=${BACKS[0]}
second=${BACKS[1]}
# shellcheck disable=SC2046
game_click $(card_centre "$first")
wait_for_backs $((faces_down - 1)) "the first card did not turn"
# shellcheck disable=SC2046
game_click $(card_centre "$second")
wait_for_backs $((faces_down - 2)) "the second card did not turn"
echo "cards $first and $second turned face up"

# The close box of the game window ends the program.
close_game "$game"
echo "1 passed, 0 failed"
