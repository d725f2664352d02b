#!/usr/bin/env bash
# A whole game as a new player plays it: the game window opens at its fixed size, the dice and
# the start button lay out the cards, the player turns cards until the table is empty, the
# result panel blinks "GAME-OVER", play again deals a fresh table, and 終了 ends the program
# leaving the window position file in its three-line format and the round in the records.
set -euo pipefail
here=$(dirname "$0")
source "$here/lib.sh"

start_display
bind_typed_characters "はなこ"
copy_program "$1"
export SDL_AUDIODRIVER=dummy
begun=$(date +%s)

"$PROGRAM_DIR/koropika" > "$WORK/program.log" 2>&1 &
PROGRAM_PID=$!
settings=$(wait_for_windows "$GAME_TITLE" 1)
type_name "$settings" "はなこ"

# Release on "カード数 28枚" and watch for the game window as closely as xdotool allows.
read -r sx sy _ _ < <(client_geometry "$settings")
move_pointer_to $((sx + 170)) $((sy + 120))
xdotool click 1
released=$(date +%s%N)
game=
deadline=$((SECONDS + SHOW_DEADLINE))
while [ -z "$game" ] && [ "$SECONDS" -lt "$deadline" ]; do
    for id in $(windows_titled "$GAME_TITLE"); do
        [ "$id" != "$settings" ] && game=$id
    done
done
mapped=$(date +%s%N)
[ -n "$game" ] || fail "no game window after releasing on カード数 28枚"
echo "game window mapped after $(((mapped - released) / 1000000)) ms"

read -r gl gt gw gh < <(settled_outer_geometry "$game")
find_drawing_origin "$game"
read -r _ cy _ _ < <(client_geometry "$game")
echo "game window outer: ${gw}x${gh} at ${gl},${gt}; menu bar $((DY - cy)) px"
shoot "$WORK/game-start.png"
# A wrong frame size is reported at the end, so that one run still checks the whole game.
frame_fault=
[ "$gw" -eq 733 ] && [ "$gh" -eq 560 ] || frame_fault="game window outer frame ${gw}x${gh}, expected 733x560"

# The dice panel slides in to top 20; roll the dice, stop it, and wait for the turn indicator.
wait_for_game_pixel 15 115 400040 "the dice panel never reached its place"
shoot "$WORK/dice-waiting.png"
roll_dice
read -r player computer < <(wait_for_first_turn)
if [ "$player" = 0000FF ] && [ "$computer" = 000000 ]; then
    echo "the dice gave the first move to the player"
elif [ "$player" = 000000 ] && [ "$computer" = 0000FF ]; then
    echo "the dice gave the first move to the computer"
else
    fail "turn indicator after the dice: player $player, computer $computer"
fi

# Press and release on "スタート": every one of the 28 slots shows the default back design.
back=$(back_design_mean 4)
game_click 230 50
all_backs_shown() {
    shoot "$WORK/table.png"
    [ "$(face_down_slots "$WORK/table.png" "$back" | wc -l)" -eq 28 ]
}
# The check below tells what the slots show instead.
poll_until all_backs_shown || true
[ "$(face_down_slots "$WORK/table.png" "$back" | wc -l)" -eq 28 ] ||
    fail "not every card shows back design 4: $(slot_means "$WORK/table.png" | tr '\n' '|')"
echo "all 28 cards show back design 4"

play_until_round_end "$back" 360

# "GAME-OVER" shows for a second, then blinks every 500 ms. Sample its region for 4 s; a sample
# takes 60 to 200 ms, so single steps are measured coarsely and their mean closely.
states=
changes=0
last=
first_change=
previous_change=
gaps=
samples=0
watch_start=$(date +%s%N)
while [ $((($(date +%s%N) - watch_start) / 1000000)) -lt 4000 ]; do
    import -window root -crop "341x51+$((DX + 165))+$((DY + 290))" "$WORK/title.png"
    stamp=$(date +%s%N)
    samples=$((samples + 1))
    if [ "$(magenta_pixels "$WORK/title.png")" -gt 5000 ]; then now=1; else now=0; fi
    if [ -n "$last" ] && [ "$now" != "$last" ]; then
        changes=$((changes + 1))
        [ -n "$previous_change" ] && gaps+=" $(((stamp - previous_change) / 1000000))"
        first_change=${first_change:-$stamp}
        previous_change=$stamp
    fi
    last=$now
    states+=$now
done
echo "GAME-OVER title, $samples samples in 4 s: $states; ms between changes:$gaps"
[ "$changes" -ge 4 ] || fail "GAME-OVER did not blink: $states"
mean_gap=$(((previous_change - first_change) / 1000000 / (changes - 1)))
echo "GAME-OVER blink: mean step $mean_gap ms"
[ "$mean_gap" -ge 400 ] && [ "$mean_gap" -le 600 ] || fail "GAME-OVER blinks every $mean_gap ms"
for gap in $gaps; do
    [ "$gap" -le 1000 ] || fail "GAME-OVER missed a blink: a step of $gap ms"
done
shots=${E2E_SHOTS_DIR:-$WORK}
mkdir -p "$shots"
import -window root -crop "700x480+$((DX + 15))+$((DY + 50))" "$shots/play_a_game-result-panel.png"
echo "result panel: $shots/play_a_game-result-panel.png"

# "もう一度やり直す" deals a new table: the dice panel is back and both panels read as at the start.
FX=$DX
FY=$DY
game_click 341 377
again=
new_game_shown() {
    shoot "$WORK/again.png"
    for id in $(windows_titled "$GAME_TITLE"); do again=$id; done
    [ -n "$again" ] && [ "$(game_pixel "$WORK/again.png" 720 510)" = 1C6C0D ]
}
wait_until "play again showed no new game" new_game_shown
find_drawing_origin "$again"
wait_for_game_pixel 15 115 400040 "the dice panel of the new game never reached its place"
shoot "$WORK/again.png"
# Counts the pixels of a drawing-area rectangle that differ between the first game's start and
# the new game's start.
same_region() {
    local x=$1 y=$2 w=$3 h=$4
    convert "$WORK/dice-waiting.png" -crop "${w}x${h}+$((FX + x))+$((FY + y))" +repage "$WORK/a.png"
    convert "$WORK/again.png" -crop "${w}x${h}+$((DX + x))+$((DY + y))" +repage "$WORK/b.png"
    compare -metric AE "$WORK/a.png" "$WORK/b.png" null: 2>&1 | cut -d' ' -f1 || true
}
[ "$(same_region 565 55 146 111)" = 0 ] || fail "the player's panel differs from the first game's start"
[ "$(same_region 565 190 146 161)" = 0 ] || fail "the computer's panel differs from the first game's start"
[ "$(same_region 85 45 45 45)" = 0 ] || fail "the dice does not show its starting face"
[ "$(face_down_slots "$WORK/again.png" "$back" | wc -l)" -eq 0 ] ||
    fail "cards are on the table before the start button"
echo "play again: dice panel back, both counters at 0, no cards shown yet"

# 終了 saves the window position and ends the program.
read -r gl gt _ _ < <(settled_outer_geometry "$again")
click_at "$again" 170 9
wait_for_program_end "after 終了"
read -r top left design < <(position_file_numbers "$PROGRAM_DIR/itidata.txt")
echo "itidata.txt: top $top, left $left, back $design; the window stood at $((gt * 15)), $((gl * 15))"
[ "$design" -eq 4 ] || fail "itidata.txt names back design $design, expected 4"
[ "$top" -eq $((gt * 15)) ] && [ "$left" -eq $((gl * 15)) ] ||
    frame_fault+="${frame_fault:+; }itidata.txt holds top $top, left $left; the window's frame stood at $((gt * 15)), $((gl * 15))"
# The finished round is the one row of the records; the new game never started.
rows=$(/usr/bin/python3 -c 'import sqlite3, sys
for row in sqlite3.connect(sys.argv[1]).execute("SELECT player, card_count, player_count + "
        "computer_count, winner IS NOT NULL, ending, deal_number > 0, dice_face BETWEEN 1 AND 6, "
        "length(moves) >= 8 FROM rounds"): print(*row)' \
    "$PROGRAM_DIR/records.sqlite") || fail "the records could not be read"
echo "records: $rows"
[ "$rows" = "はなこ 28 28 1 finished 1 1 1" ] ||
    fail "the records hold other than the one finished round with its dice face and moves"
echo "whole run took $(($(date +%s) - begun)) s"
[ -z "$frame_fault" ] || fail "$frame_fault"
echo "1 passed, 0 failed"
