#!/usr/bin/env bash
# The player's pace in the real window: a mismatch stays up 2 s at --pace slow and 0.5 s at
# --pace fast (to a frame); with キーで進める stored the computer's turn and a mismatch stay as
# they are until a key; with 動きを減らす stored two screenshots a quarter of a second apart are
# the same before the start button is pressed and while GAME-OVER shows, and a round plays to its
# end. STEP_SECONDS sets how long the waits for a key are watched (10 s unless set).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

start_display
copy_program "$1"
export SDL_AUDIODRIVER=dummy
step_seconds=${STEP_SECONDS:-10}
FRAME_MS=17

# Ends the program, and forgets the round it kept, which the next start would offer; how the
# program ends and what it keeps is the business of other tests.
close_program() {
    kill "$PROGRAM_PID"
    wait "$PROGRAM_PID" || true
    PROGRAM_PID=
    rm -f "$PROGRAM_DIR"/records.sqlite*
}

# Starts the program with the arguments, opens a game of 28 cards for "taro", rolls the dice and
# presses the start button; sets GAME, BACK, and DX, DY for the drawing area.
open_round() {
    "$PROGRAM_DIR/koropika" "$@" > "$WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
    local settings
    settings=$(wait_for_windows "$GAME_TITLE" 1)
    type_name "$settings" "taro"
    GAME=$(start_game_from "$settings")
    find_drawing_origin "$GAME"
    BACK=$(back_design_mean 4)
    roll_dice
    wait_for_first_turn > /dev/null
}

press_start() {
    game_click 230 50
    all_backs() {
        shoot "$WORK/table.png"
        [ "$(face_down_slots "$WORK/table.png" "$BACK" | wc -l)" -eq 28 ]
    }
    wait_until "the cards were not laid" all_backs
}

# Waits until it is the player's turn with no card up (a move of the computer may come first).
wait_for_player_ready() {
    player_ready() {
        shoot "$WORK/table.png"
        [ "$(game_pixel "$WORK/table.png" $PLAYER_PANEL_SPOT)" = 0000FF ] || return 1
        sort_slots "$WORK/table.png" "$BACK"
        [ "$FACES" -eq 0 ] && [ $((${#BACKS[@]} % 2)) -eq 0 ]
    }
    wait_until "the player's turn never came" player_ready
}

# Turns two face-down cards of the player; prints how long the second one showed its face, in
# ms, or "none" when they made a pair (taken, never face down again).
time_a_move() {
    local first=$1 second=$2 x y
    # shellcheck disable=SC2046
    game_click $(card_centre "$first")
    wait_for_turned_card "${#BACKS[@]}" "$BACK" || true
    read -r x y < <(card_centre "$second")
    python3 "$here/region_timer.py" $((DX + x - 4)) $((DY + y - 4)) 8 5 > "$WORK/timed" &
    local timer=$!
    sleep 0.2
    game_click "$x" "$y"
    wait "$timer" || true
    cat "$WORK/timed"
}

# A mismatch at the speed stays up for the expected ms, to a frame.
check_mismatch() {
    local speed=$1 expected=$2 shown attempt
    open_round --pace "$speed"
    press_start
    for attempt in 1 2 3 4 5 6; do
        wait_for_player_ready
        shown=$(time_a_move "${BACKS[0]}" "${BACKS[$((${#BACKS[@]} - 1))]}")
        [ "$shown" = none ] && continue  # a pair: the player goes again
        echo "--pace $speed: a mismatch stayed up $shown ms"
        [ $((shown - expected)) -le $FRAME_MS ] && [ $((expected - shown)) -le $FRAME_MS ] ||
            fail "--pace $speed: a mismatch stayed up $shown ms, not $expected"
        close_program
        return 0
    done
    fail "--pace $speed: six moves in a row made pairs"
}

check_mismatch slow 2000
check_mismatch fast 500
# --pace is for one run: nothing was stored.
! grep -qs speed "$XDG_CONFIG_HOME/koropika/koropika.ini" || fail "--pace was stored"

# キーで進める, as stored by an earlier run.
table_reading() {
    shoot "$WORK/reading.png"
    slot_means "$WORK/reading.png" | md5sum
}
mkdir -p "$XDG_CONFIG_HOME/koropika"
printf '[pace]\nspeed=normal\nstep=true\nreduce_motion=false\n' > "$XDG_CONFIG_HOME/koropika/koropika.ini"
open_round
press_start
shoot "$WORK/table.png"
if [ "$(game_pixel "$WORK/table.png" $PLAYER_PANEL_SPOT)" = 0000FF ]; then
    # The player's mismatch stays up until a key, then the computer's turn waits in its turn.
    for attempt in 1 2 3 4 5 6; do
        sort_slots "$WORK/table.png" "$BACK"
        # shellcheck disable=SC2046
        game_click $(card_centre "${BACKS[0]}")
        wait_for_turned_card "${#BACKS[@]}" "$BACK" || true
        # shellcheck disable=SC2046
        game_click $(card_centre "${BACKS[$((${#BACKS[@]} - 1))]}")
        wait_for_turned_card "${#BACKS[@]}" "$BACK" || true
        sleep 0.5
        shoot "$WORK/table.png"
        [ "$(game_pixel "$WORK/table.png" $PLAYER_PANEL_SPOT)" = 0000FF ] &&
            [ "$(face_down_slots "$WORK/table.png" "$BACK" | wc -l)" -eq "${#BACKS[@]}" ] &&
            continue  # a pair, taken: the player goes again
        break
    done
    expect_unchanged_for "$step_seconds" "a mismatch went on without a key" "$(table_reading)" table_reading
    echo "the mismatch stayed up $step_seconds s"
    xdotool key space
fi
# The computer waits before its first card.
sleep 1.5
reference=$(table_reading)
expect_unchanged_for "$step_seconds" "the computer turned a card without a key" "$reference" table_reading
echo "the computer's turn stayed as it was for $step_seconds s"
xdotool key Return
go_on() { [ "$(table_reading)" != "$reference" ]; }
wait_until "the computer did not go on at a key" go_on
echo "the computer turned a card at a key"
close_program

# 動きを減らす at the fast speed, as stored by an earlier run.
printf '[pace]\nspeed=fast\nstep=false\nreduce_motion=true\n' > "$XDG_CONFIG_HOME/koropika/koropika.ini"
still_for_a_quarter() {
    shoot "$WORK/still-a.png"
    sleep 0.25
    shoot "$WORK/still-b.png"
    [ "$(compare -metric AE "$WORK/still-a.png" "$WORK/still-b.png" null: 2>&1 | cut -d' ' -f1)" = 0 ] ||
        fail "$1: two screenshots 0.25 s apart differ"
}
open_round
sleep 0.5  # the pointer's press picture of the dice goes
still_for_a_quarter "before the start button is pressed"
echo "before the start: two screenshots 0.25 s apart are the same"
press_start
play_until_round_end "$BACK" 360
sleep 0.5
still_for_a_quarter "while GAME-OVER shows"
echo "while GAME-OVER shows: two screenshots 0.25 s apart are the same"
close_program
echo "PASS"
