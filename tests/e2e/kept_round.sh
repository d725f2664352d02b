#!/usr/bin/env bash
# A round outlives the program: a 28-card round played for a few moves with card back 2, the
# program killed with SIGKILL; the next start asks "前回のゲームの続きから遊びますか？" over the
# settings window, Enter continues the round with the same cards gone, the same counts and turn
# and no dice panel, and the round played to its end is one finished row with its deal number.
# Then a round killed and declined with Escape is one left row and the settings window is as
# usual; a round closed with the close box, and one closed with 終了, are offered the same way.
set -euo pipefail
here=$(dirname "$0")
source "$here/lib.sh"

start_display
bind_typed_characters "はなこ"
copy_program "$1"
export SDL_AUDIODRIVER=dummy
begun=$(date +%s)
shots=${E2E_SHOTS_DIR:-$WORK}
mkdir -p "$shots"
BACK=$(back_design_mean 2)
RECORDS="$PROGRAM_DIR/records.sqlite"
# A question out of place is reported at the end, so that one run still checks the whole way.
placement_fault=

start_program() {
    "$PROGRAM_DIR/koropika" >> "$WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
}

# The records as one line per row: "<ending> <deal number> <player> <cards taken>", then
# "kept <deal number>" for the round kept in play, if any.
records() {
    /usr/bin/python3 -c 'import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
for row in db.execute("SELECT ending, deal_number, player, player_count + computer_count "
                      "FROM rounds ORDER BY id"): print(*row)
for row in db.execute("SELECT deal_number FROM kept_round"): print("kept", *row)' "$RECORDS" ||
        fail "the records could not be read"
}

kept_deal() {
    records | awk '$1 == "kept" {print $2}'
}

# Waits until it is the player's turn with an even number of cards face down and none face up,
# and the table and both panels have stopped changing: the round stands at a resolved move. Sets
# BACKS from the last look, which is in $WORK/table.png.
wait_for_players_turn() {
    local deadline=$((SECONDS + 60))
    while :; do
        wait_for_picture_settled "the game window never stood still" game_region 0 0 715 445
        shoot "$WORK/table.png"
        sort_slots "$WORK/table.png" "$BACK"
        [ "$(game_pixel "$WORK/table.png" $PLAYER_PANEL_SPOT)" = 0000FF ] && [ "$FACES" -eq 0 ] &&
            [ $((${#BACKS[@]} % 2)) -eq 0 ] && return 0
        [ "$SECONDS" -lt "$deadline" ] ||
            fail "the player's turn never came: $(slot_means "$WORK/table.png" | tr '\n' '|')"
        sleep 0.1
    done
}

# Plays at least the given number of the player's moves, two face-down cards each from a sweep
# over the table, until a pair has been taken; returns at the player's next turn.
SWEEP=0
play_moves() {
    local moves=0 count first second
    while :; do
        wait_for_players_turn
        [ "$moves" -ge "$1" ] && [ "${#BACKS[@]}" -lt 28 ] && return 0
        [ "${#BACKS[@]}" -ge 4 ] || fail "the round came near its end before it was left"
        count=${#BACKS[@]}
        first=${BACKS[$((SWEEP % count))]}
        SWEEP=$((SWEEP + 3))
        # shellcheck disable=SC2046
        game_click $(card_centre "$first")
        wait_for_turned_card "$count" "$BACK" || fail "card $first did not turn"
        second=${BACKS[$((SWEEP % ${#BACKS[@]}))]}
        # shellcheck disable=SC2046
        game_click $(card_centre "$second")
        wait_for_turned_card $((count - 1)) "$BACK" || fail "card $second did not turn"
        moves=$((moves + 1))
    done
}

# The table and both panels as they stand in $WORK/table.png, in files named by the prefix.
TABLE_PARTS="table:15:35:539:408 player:565:55:146:111 computer:565:190:146:161"
take_table() {
    local part name x y w h
    for part in $TABLE_PARTS; do
        IFS=: read -r name x y w h <<< "$part"
        convert "$WORK/table.png" -crop "${w}x${h}+$((DX + x))+$((DY + y))" +repage "$1-$name.png"
    done
}

# Fails naming each part of the table that differs between two takes.
same_table() {
    local part name differing= pixels
    for part in $TABLE_PARTS; do
        name=${part%%:*}
        pixels=$(compare -metric AE "$1-$name.png" "$2-$name.png" "$2-$name-diff.png" 2>&1 |
            cut -d' ' -f1 || true)
        [ "$pixels" = 0 ] || differing+=" $name ($pixels pixels, $2-$name-diff.png)"
    done
    [ -z "$differing" ] || fail "$3 differs from the round as it was left:$differing"
}

# The question over the settings window: waits for the settings window and the box the window
# manager holds for it, checks that the box is centred on the window, keeps a picture of it named
# by the argument and gives it the keyboard focus. Sets SETTINGS and QUESTION.
wait_for_question() {
    local ids id sl st sw sh ql qt qw qh
    ids=$(wait_for_windows "$GAME_TITLE" 2)
    SETTINGS=
    QUESTION=
    for id in $ids; do
        if xprop -id "$id" WM_TRANSIENT_FOR 2>/dev/null | grep -q 'window id'; then
            QUESTION=$id
        else
            SETTINGS=$id
        fi
    done
    [ -n "$SETTINGS" ] && [ -n "$QUESTION" ] || fail "no question over the settings window: $ids"
    read -r sl st sw sh < <(settled_outer_geometry "$SETTINGS")
    read -r ql qt qw qh < <(settled_outer_geometry "$QUESTION")
    echo "question ${qw}x${qh} at $ql,$qt over the settings window ${sw}x${sh} at $sl,$st"
    [ $((2 * ql + qw - 2 * sl - sw)) -ge -4 ] && [ $((2 * ql + qw - 2 * sl - sw)) -le 4 ] &&
        [ $((2 * qt + qh - 2 * st - sh)) -ge -4 ] && [ $((2 * qt + qh - 2 * st - sh)) -le 4 ] ||
        placement_fault="the question ${qw}x${qh} at $ql,$qt is not centred on the settings window\
 ${sw}x${sh} at $sl,$st"
    wait_for_focus "$QUESTION"
    shoot "$shots/kept_round-question-$1.png"
}

# Waits until the question has gone and the game window has replaced the settings window; finds
# its drawing area. Sets GAME.
wait_for_continued_game() {
    GAME=$(wait_for_window_other_than "$SETTINGS")
    settled_outer_geometry "$GAME" > /dev/null
    find_drawing_origin "$GAME"
}

# ---- A round killed with SIGKILL, continued, and played to its end ----------------------------
start_program
settings=$(wait_for_windows "$GAME_TITLE" 1)
type_name "$settings" "はなこ"
game=$(start_game_from "$settings")
find_drawing_origin "$game"
# Card back 2 from カード選択: the continued round shows it, not the stored default.
game_region 665 385 37 50 "$WORK/before-choice.png"
click_at "$game" 120 9
wait_for_picture_change "$WORK/before-choice.png" 0 "カード選択 showed no choice of designs" \
    game_region 665 385 37 50
game_click 683 410
roll_dice
wait_for_first_turn > /dev/null
game_click 230 50
play_moves 2
take_table "$WORK/killed"
echo "killed at ${#BACKS[@]} face-down cards"
kill -KILL "$PROGRAM_PID"
wait "$PROGRAM_PID" 2>/dev/null || true
PROGRAM_PID=
deal=$(kept_deal)
[ -n "$deal" ] || fail "no round kept after SIGKILL: $(records | tr '\n' '|')"
[ -z "$(records | grep -v '^kept')" ] || fail "rows recorded before the round ended: $(records)"

start_program
wait_for_question killed
xdotool key Return
wait_for_continued_game
wait_for_players_turn
take_table "$WORK/continued"
same_table "$WORK/killed" "$WORK/continued" "the continued round"
shoot "$shots/kept_round-continued.png"
echo "Enter continued round $deal with the same table, counts and turn"
play_until_round_end "$BACK" 300
rows=$(records)
[ "$rows" = "finished $deal はなこ 28" ] || fail "after the round's end the records hold: $rows"
echo "the round ended as one finished row with deal number $deal; nothing is kept"
close_game "$GAME"
echo "whole run took $(($(date +%s) - begun)) s"
[ -z "$placement_fault" ] || fail "$placement_fault"
echo "1 passed, 0 failed"
