#!/usr/bin/env bash
# Resident memory over many loads of the game window: 設定に戻る and a card count (28, 40, 52 in
# turn) load the game window again and again, every fifth time with a back design picked through
# カード選択 and every 25th with the dice rolled and the cards laid out. After a warm-up of
# WARM_UP loads the resident set may grow by at most 2 MB over the remaining loads (LOADS in all,
# 300 by default). Prints the curve.
set -euo pipefail
here=$(dirname "$0")
source "$here/lib.sh"
loads=${LOADS:-300}
warm_up=${WARM_UP:-50}
allowed_kb=2048

start_display
bind_typed_characters "めもり"
copy_program "$1"
export SDL_AUDIODRIVER=dummy

# A press and release at a point of a window's client area, without pauses.
quick_click() {
    read -r cx cy _ _ < <(client_geometry "$1")
    xdotool mousemove $((cx + $2)) $((cy + $3)) click 1
}

rss_kb() {
    awk '/^VmRSS:/ {print $2}' "/proc/$PROGRAM_PID/status"
}

"$PROGRAM_DIR/koropika" > "$WORK/program.log" 2>&1 &
PROGRAM_PID=$!
settings=$(wait_for_windows "$GAME_TITLE" 1)
type_name "$settings" "めもり"

card_rows=(120 150 180)  # カード数 28枚, 40枚, 52枚
curve=
first=
warm=
started=$(date +%s)
for i in $(seq "$loads"); do
    wait_for_managed "$settings"
    quick_click "$settings" 170 "${card_rows[$((i % 3))]}"
    game=$(wait_for_window_other_than "$settings")
    if [ $((i % 5)) -eq 0 ]; then
        # カード選択, then one of the designs in the group beside the table once the group shows.
        find_drawing_origin "$game"
        game_region 665 385 37 50 "$WORK/designs-before.png"
        quick_click "$game" 120 9
        wait_for_picture_change "$WORK/designs-before.png" 0 "load $i: カード選択 showed no designs" \
            game_region 665 385 37 50
        game_click $((583 + (i / 5 % 3) * 45)) 410
    fi
    if [ $((i % 25)) -eq 0 ]; then
        # Roll the dice, stop it, start: the cards are laid out with their sound, and the table
        # stops changing once the last one lies. (A 25th load is a 5th one: DX, DY are known.)
        roll_dice
        wait_for_first_turn > /dev/null
        game_region 15 35 539 408 "$WORK/table-before.png"
        game_click 230 50
        wait_for_picture_change "$WORK/table-before.png" 0 "load $i: the start laid out no cards" \
            game_region 15 35 539 408
        wait_for_picture_settled "load $i: the table never stopped changing" \
            game_region 15 35 539 408
    fi
    # Every figure is read once the window manager has taken the game window in.
    wait_for_managed "$game"
    now=$(rss_kb)
    [ "$i" -eq 1 ] && first=$now
    [ "$i" -eq "$warm_up" ] && warm=$now
    # The settings window holds fonts of its own: every figure compared is taken with the game
    # window up.
    last=$now
    [ $((i % 25)) -eq 0 ] && curve+=" $i:$((now / 1024))MB"
    quick_click "$game" 39 9  # the menu 設定に戻る
    settings=$(wait_for_window_other_than "$game")
done
echo "resident memory over $loads game window loads in $(($(date +%s) - started)) s (load:MB):$curve"
echo "first load $first kB, after $warm_up loads $warm kB, last $last kB: grew $((last - warm)) kB after the warm-up"
[ $((last - warm)) -le "$allowed_kb" ] ||
    fail "resident memory grew by $((last - warm)) kB after the warm-up (at most $allowed_kb kB)"
grep -v '^$' "$WORK/program.log" && fail "the program wrote to its output: see above"
echo "1 passed, 0 failed"
