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
# A question out of place or a continued table that differs is reported at the end, so that one
# run still checks the whole way.
FAULTS=
fault() {
    echo "fault, reported at the end: $1" >&2
    [[ "$FAULTS" == *"$1"* ]] || FAULTS+="; $1"
}

start_program() {
    "$PROGRAM_DIR/koropika" >> "$WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
}

# The records as one line per row: "<ending> <deal number> <player>" and, for a finished round,
# the cards taken; then "kept <deal number>" for the round kept in play, if any.
records() {
    /usr/bin/python3 -c 'import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
for row in db.execute("SELECT ending, deal_number, player, player_count + computer_count "
                      "FROM rounds ORDER BY id"): print(*row[:3 if row[0] == "left" else 4])
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

# The player's memory, as a person keeps it: for each face-down slot whose face has been seen,
# the shape of the rank in its top-left corner (colour left out, so that the two cards of a pair
# read the same whatever their suits).
declare -A SEEN=()

# A screenshot in a file quick to write and read, for the looks at the table during play.
look() {
    import -window root -depth 8 "$WORK/look.ppm"
}

# The top-left corner of slot n in the drawing area: "left top".
slot_corner() {
    echo $((DX + 15 + ($1 - 1) % CARD_COLUMNS * 77)) $((DY + 35 + ($1 - 1) / CARD_COLUMNS * 102))
}

# The shape of the rank in the corner of a face at x, y of a picture.
rank_shape() {
    convert "$1" -crop "11x13+$(($2 + 1))+$(($3 + 1))" +repage -alpha off -separate \
        -evaluate-sequence min -threshold 60% -format '%#' info: | cut -c1-16
}

# Looks at the table in a screenshot as a person does: sets BACKS (the face-down slots, in order),
# FACES (how many slots show a face) and UP (the last of them), remembers the face in every slot
# that shows one, the computer's cards included, and forgets the slots that are empty.
look_at_table() {
    local shot=$1 n=0 mean
    BACKS=()
    FACES=0
    while read -r mean; do
        n=$((n + 1))
        if colours_near "$mean" "$BACK" 6; then
            BACKS+=("$n")
        elif colours_near "$mean" "0 0 0" 6; then
            unset "SEEN[$n]"
        else
            FACES=$((FACES + 1))
            UP=$n
            # shellcheck disable=SC2046
            SEEN[$n]=$(rank_shape "$shot" $(slot_corner "$n"))
        fi
    done < <(slot_means "$shot")
}

# A face-down slot other than the given one whose face matches the corner, else one not seen,
# else any other; from BACKS.
second_card_for() {
    local first=$1 corner=$2 n
    for n in "${BACKS[@]}"; do
        [ "$n" != "$first" ] && [ -n "$corner" ] && [ "${SEEN[$n]:-}" = "$corner" ] &&
            echo "$n" && return
    done
    for n in "${BACKS[@]}"; do
        [ "$n" != "$first" ] && [ -z "${SEEN[$n]:-}" ] && echo "$n" && return
    done
    for n in "${BACKS[@]}"; do
        [ "$n" != "$first" ] && echo "$n" && return
    done
}

# A face-down slot that is one of a known pair, else one not seen yet, else the first.
first_card() {
    local n m
    for n in "${BACKS[@]}"; do
        [ -n "${SEEN[$n]:-}" ] || continue
        for m in "${BACKS[@]}"; do
            [ "$m" != "$n" ] && [ "${SEEN[$m]:-}" = "${SEEN[$n]}" ] && echo "$n" && return
        done
    done
    for n in "${BACKS[@]}"; do
        [ -z "${SEEN[$n]:-}" ] && echo "$n" && return
    done
    echo "${BACKS[0]}"
}

# Looks at the table until it shows the given number of face-down cards, for up to 3 s; false
# when it never does (a click while the last move was still being resolved is ignored).
look_until_backs() {
    local deadline=$((SECONDS + 3))
    while :; do
        look
        look_at_table "$WORK/look.ppm"
        [ "${#BACKS[@]}" -eq "$1" ] && return 0
        [ "$SECONDS" -lt "$deadline" ] || return 1
    done
}

# Looks closely at slot n for up to 2 s, until it shows a face, and remembers it.
see_face() {
    local deadline=$((SECONDS + 2)) x y mean
    read -r x y < <(slot_corner "$1")
    while [ "$SECONDS" -lt "$deadline" ]; do
        import -window root -depth 8 -crop "69x90+$x+$y" +repage "$WORK/slot.ppm"
        mean=$(convert "$WORK/slot.ppm" -crop 55x76+7+7 +repage -format \
            '%[fx:int(255*mean.r+0.5)] %[fx:int(255*mean.g+0.5)] %[fx:int(255*mean.b+0.5)]' info:)
        if ! colours_near "$mean" "$BACK" 6 && ! colours_near "$mean" "0 0 0" 6; then
            SEEN[$1]=$(rank_shape "$WORK/slot.ppm" 0 0)
            return 0
        fi
    done
}

# Plays the player's side as a person with a good memory does, watching the computer's cards
# too. With a number, returns at the player's turn once that many moves are made and a pair has
# been taken; without, plays until the round end panel shows. Between moves an even number of
# cards is face down and none face up; an odd number means the player's first card is up (it
# blinks, so a look may miss its face).
PLAYER_MOVES=0
play_moves() {
    local wanted=${1:-} shot="$WORK/look.ppm" first='' second moves=0
    local deadline=$((SECONDS + 240))
    while :; do
        [ "$SECONDS" -lt "$deadline" ] || fail "no round end within 240 s"
        look
        if [ -z "$wanted" ] && result_panel_shown "$shot"; then
            return 0
        fi
        look_at_table "$shot"
        [ "$(game_pixel "$shot" $PLAYER_PANEL_SPOT)" = 0000FF ] || continue
        # A first card that turned later than looked for.
        [ $((${#BACKS[@]} % 2)) -eq 1 ] && [ -z "$first" ] && [ "$FACES" -eq 1 ] && first=$UP
        if [ $((${#BACKS[@]} % 2)) -eq 1 ] && [ -n "$first" ]; then
            # The second card, once the first one's face has been seen.
            [ -n "${SEEN[$first]:-}" ] || see_face "$first"
            second=$(second_card_for "$first" "${SEEN[$first]:-}")
            # shellcheck disable=SC2046
            game_click $(card_centre "$second")
            look_until_backs $((${#BACKS[@]} - 1)) || true
            first=
            moves=$((moves + 1))
            PLAYER_MOVES=$((PLAYER_MOVES + 1))
            continue
        fi
        [ "$FACES" -eq 0 ] && [ $((${#BACKS[@]} % 2)) -eq 0 ] && [ ${#BACKS[@]} -ge 2 ] || continue
        if [ -n "$wanted" ] && [ "$moves" -ge "$wanted" ] && [ "${#BACKS[@]}" -lt 28 ]; then
            wait_for_players_turn
            return 0
        fi
        first=$(first_card)
        # shellcheck disable=SC2046
        game_click $(card_centre "$first")
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

# Names each part of the table that differs between two takes among the faults.
same_table() {
    local part name differing= pixels
    for part in $TABLE_PARTS; do
        name=${part%%:*}
        pixels=$(compare -metric AE "$1-$name.png" "$2-$name.png" "$2-$name-diff.png" 2>&1 |
            cut -d' ' -f1 || true)
        [ "$pixels" = 0 ] || differing+=" $name ($pixels pixels, $2-$name-diff.png)"
    done
    if [ -n "$differing" ]; then
        fault "$3 differs from the round as it was left:$differing"
    else
        echo "$3 shows the same table, counts and turn"
    fi
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
        fault "the question ${qw}x${qh} at $ql,$qt is not centred on the settings window\
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

# Starts a round from the settings window: the name, the dice, the start button, and the table
# laid out in card back 2. Sets GAME.
start_round() {
    type_name "$1" "はなこ"
    GAME=$(start_game_from "$1")
    find_drawing_origin "$GAME"
    lay_out_table
}

lay_out_table() {
    roll_dice
    wait_for_first_turn > /dev/null
    game_click 230 50
    look_until_backs 28 || fail "the table was not laid out in card back 2"
}

# Keeps the table as the round stands, named by the argument, and checks that the records hold
# no more than before and the round is kept; prints its deal number.
take_table_left() {
    take_table "$WORK/left-$1"
    [ "$(records | grep -v '^kept')" = "$ROWS" ] || fail "the records changed in play: $(records)"
    [ -n "$(kept_deal)" ] || fail "no round kept after $1: $(records | tr '\n' '|')"
    kept_deal
}

# The question at the start, answered with Enter: the continued game window shows the round as
# it was left.
continue_round() {
    wait_for_question "$1"
    xdotool key Return
    wait_for_continued_game
    wait_for_players_turn
    take_table "$WORK/continued-$1"
    same_table "$WORK/left-$1" "$WORK/continued-$1" "round $(kept_deal) continued after $1"
}

kill_program() {
    kill -KILL "$PROGRAM_PID"
    wait "$PROGRAM_PID" 2>/dev/null || true
    PROGRAM_PID=
}

# ---- A round killed with SIGKILL, continued, and played to its end ----------------------------
ROWS=
start_program
settings=$(wait_for_windows "$GAME_TITLE" 1)
type_name "$settings" "はなこ"
GAME=$(start_game_from "$settings")
find_drawing_origin "$GAME"
# Card back 2 from カード選択: the continued round shows it, not the stored default.
game_region 665 385 37 50 "$WORK/before-choice.png"
click_at "$GAME" 120 9
wait_for_picture_change "$WORK/before-choice.png" 0 "カード選択 showed no choice of designs" \
    game_region 665 385 37 50
game_click 683 410
lay_out_table
play_moves 2
deal=$(take_table_left SIGKILL)
kill_program
start_program
continue_round SIGKILL
shoot "$shots/kept_round-continued.png"
played=$SECONDS
play_moves
echo "round over after $((SECONDS - played)) s and $PLAYER_MOVES player moves"
ROWS="finished $deal はなこ 28"
[ "$(records)" = "$ROWS" ] || fail "after the round's end the records hold: $(records)"
echo "the round ended as one finished row with deal number $deal; nothing is kept"
close_game "$GAME"

# ---- A round killed and declined with Escape --------------------------------------------------
start_program
settings=$(wait_for_windows "$GAME_TITLE" 1)
start_round "$settings"
play_moves 1
deal=$(take_table_left "a second SIGKILL")
kill_program
start_program
wait_for_question declined
xdotool key Escape
settings_alone() {
    [ "$(windows_titled "$GAME_TITLE")" = "$SETTINGS" ]
}
wait_until "the question stayed after Escape: $(windows_titled "$GAME_TITLE" | wc -l) windows" \
    settings_alone
expect_unchanged_for 1 "a window came after Escape" "$SETTINGS" windows_titled "$GAME_TITLE"
[ "$(settled_outer_geometry "$SETTINGS")" = "$CENTRED_SETTINGS" ] ||
    fail "after Escape the settings window stands at $(outer_geometry "$SETTINGS")"
ROWS+=$'\n'"left $deal はなこ"
[ "$(records)" = "$ROWS" ] || fail "after Escape the records hold: $(records)"
echo "Escape left round $deal as one left row; the settings window stays alone"

# ---- A round closed with the close box, continued, and closed with 終了 -----------------------
start_round "$SETTINGS"
play_moves 1
take_table_left "the close box" > /dev/null
close_game "$GAME"
start_program
continue_round "the close box"
take_table_left 終了 > /dev/null
click_at "$GAME" 170 9
wait_for_program_end "after 終了"
start_program
continue_round 終了
shoot "$shots/kept_round-continued-after-quit.png"
# 設定に戻る leaves the round.
deal=$(kept_deal)
click_at "$GAME" 39 8
settings=$(wait_for_window_other_than "$GAME")
ROWS+=$'\n'"left $deal はなこ"
records_read_as_expected() {
    [ "$(records)" = "$ROWS" ]
}
poll_until records_read_as_expected || fail "設定に戻る did not leave the round: $(records)"
echo "the close box and 終了 kept round $deal; 設定に戻る left it"
close_game "$settings"

echo "whole run took $(($(date +%s) - begun)) s"
[ -z "$FAULTS" ] || fail "${FAULTS#; }"
echo "1 passed, 0 failed"
