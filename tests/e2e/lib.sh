# Shared steps of the end-to-end tests: a private X display with a window manager, a fresh copy
# of the program folder, and helpers to read windows as a person sees them.

# A command that stops a test under `set -e` names itself, also inside these helpers (errtrace:
# without it a failing command in a function ends the test without a word).
set -E
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
trap 'echo "FAIL: line $LINENO of ${BASH_SOURCE[0]}: $BASH_COMMAND" >&2' ERR

fail() {
    echo "FAIL: $*" >&2
    # Whether the program is still there, and the last it wrote, say much about a failure.
    if [ -n "${PROGRAM_PID:-}" ]; then
        if kill -0 "$PROGRAM_PID" 2>/dev/null; then
            echo "the program (pid $PROGRAM_PID) still runs" >&2
        else
            echo "the program (pid $PROGRAM_PID) has ended" >&2
        fi
    fi
    [ -s "${WORK:-}/program.log" ] && echo "its output, last lines:" >&2 && tail -n 20 "$WORK/program.log" >&2
    [ -n "${WORK:-}" ] && [ -n "${DISPLAY:-}" ] && import -window root "$WORK/failure.png" 2>/dev/null &&
        echo "screenshot: $WORK/failure.png" >&2
    exit 1
}

# The windows follow the system's language: the tests of the Japanese game run in the C locale
# whatever the machine's; a test of another language sets LANG after sourcing this file.
export LANG=C.UTF-8
unset LANGUAGE LC_ALL LC_MESSAGES

# How long to wait for the window manager and for it to take a window in. Its first start on a
# fresh machine, or beside busy processes, takes seconds; a working run waits much less.
WM_DEADLINE=${E2E_WM_DEADLINE:-60}
# How long to wait for the program to show something (a window, the focus, a frame position).
SHOW_DEADLINE=${E2E_SHOW_DEADLINE:-30}

# Runs the command until it succeeds; false once SHOW_DEADLINE seconds have passed without. For
# a wait that a check with a message of its own follows.
poll_until() {
    local deadline=$((SECONDS + SHOW_DEADLINE))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

# Runs the command until it succeeds; fails with the message once SHOW_DEADLINE seconds have
# passed.
wait_until() {
    local message=$1
    shift
    poll_until "$@" || fail "$message"
}

# Checks that the command prints the reference reading, taken before an input, throughout the
# given seconds; fails with the message and the reading that differs. An input the program must
# ignore leaves nothing to wait for: the only sign is that nothing changes within a time the
# program answers an input in, so this one check is timed.
expect_unchanged_for() {
    local seconds=$1 message=$2 reference=$3 now end
    shift 3
    end=$(($(date +%s%N) + $(awk -v s="$seconds" 'BEGIN { printf "%d", s * 1e9 }')))
    while :; do
        now=$("$@")
        [ "$now" = "$reference" ] || fail "$message: it read $reference, then $now"
        [ "$(date +%s%N)" -lt "$end" ] || return 0
        sleep 0.05
    done
}

# True once the program (PROGRAM_PID) has ended.
program_ended() {
    ! kill -0 "$PROGRAM_PID" 2>/dev/null
}

# Waits until the program (PROGRAM_PID) has ended and checks that it ended cleanly; the message
# says what should have ended it.
wait_for_program_end() {
    wait_until "the program still runs $1" program_ended
    wait "$PROGRAM_PID" || fail "the program ended with status $? $1"
    PROGRAM_PID=
}

# True once the file exists and is not empty.
file_written() {
    [ -s "$1" ]
}

start_display() {
    local deadline
    WORK=$(mktemp -d /tmp/koropika-e2e-XXXXXX)
    export XDG_RUNTIME_DIR="$WORK/runtime"
    mkdir -m 0700 "$XDG_RUNTIME_DIR"
    # The player's stored choices (sound, language) start fresh in each test and leave the
    # user's own untouched.
    export XDG_CONFIG_HOME="$WORK/config"
    trap stop_display EXIT
    exec 5> "$WORK/displayfd"
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset > "$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    deadline=$((SECONDS + WM_DEADLINE))
    while ! grep -qx '[0-9][0-9]*' "$WORK/displayfd" 2>/dev/null; do
        kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb ended at its start: $(cat "$WORK/xvfb.log")"
        [ "$SECONDS" -lt "$deadline" ] ||
            fail "Xvfb gave no display number in $WM_DEADLINE s: $(cat "$WORK/xvfb.log")"
        sleep 0.05
    done
    export DISPLAY=":$(head -n1 "$WORK/displayfd")"
    # The number comes as the server starts to listen, and openbox gives up at once when its
    # first connection is refused: it is started again, within the deadline, until it runs. The
    # server never resets (-noreset), so no client's leaving can refuse the next one.
    start_window_manager
    until window_manager_running; do
        if ! kill -0 "$WM_PID" 2>/dev/null; then
            [ "$SECONDS" -lt "$deadline" ] ||
                fail "openbox ended at its start: $(cat "$WORK/openbox.log")"
            kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb has ended: $(cat "$WORK/xvfb.log")"
            echo "openbox ended at its start, started again: $(tail -n1 "$WORK/openbox.log")" >&2
            sleep 0.2
            start_window_manager
        fi
        [ "$SECONDS" -lt "$deadline" ] ||
            fail "openbox did not take the display in $WM_DEADLINE s: $(cat "$WORK/openbox.log")"
        sleep 0.05
    done
}

start_window_manager() {
    openbox > "$WORK/openbox.log" 2>&1 &
    WM_PID=$!
}

# True when the root window names a window manager check window that exists and carries its name.
window_manager_running() {
    local check
    check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | awk '/window id/ {print $NF}')
    [ -n "$check" ] && xprop -id "$check" _NET_WM_NAME 2>/dev/null | grep -q '= '
}

# Waits until the window manager has taken the window in: the window is mapped and viewable, and
# carries WM_STATE and _NET_FRAME_EXTENTS. Fails naming what is missing.
wait_for_managed() {
    local id=$1 deadline=$((SECONDS + WM_DEADLINE)) missing
    while :; do
        missing=
        xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' || missing+=" mapped"
        xprop -id "$id" WM_STATE 2>/dev/null | grep -q 'window state' || missing+=" WM_STATE"
        xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '= ' || missing+=" _NET_FRAME_EXTENTS"
        [ -z "$missing" ] && return 0
        kill -0 "$WM_PID" 2>/dev/null || fail "openbox has ended: $(cat "$WORK/openbox.log")"
        [ "$SECONDS" -lt "$deadline" ] ||
            fail "the window manager did not take window $id in within $WM_DEADLINE s; missing:$missing"
        sleep 0.05
    done
}

# Gives each character of the argument a key of its own in the display's keyboard map (see
# keymap.py), so that xdotool types a name as it is; called before the program starts.
bind_typed_characters() {
    python3 "$(dirname "${BASH_SOURCE[0]}")/keymap.py" "$1" || fail "the keyboard map could not be extended"
}

stop_display() {
    local pid
    for pid in "${PROGRAM_PID:-}" "${WM_PID:-}" "${XVFB_PID:-}"; do
        # A process that has already ended is no fault here.
        [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null
    if [ "${KEEP_WORK:-0}" = 1 ]; then echo "kept $WORK"; else rm -rf "$WORK"; fi
}

# A fresh program folder, as a new user gets it.
# Runs a Python AT-SPI client (the script in this folder, then its arguments) on a private
# session bus, with the program's accessibility always on; fails with `what` when the client does.
run_screen_reader_client() {
    local script=$1 what=$2
    shift 2
    export SDL_AUDIODRIVER=dummy QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    # The Debian client library; a python3 earlier in PATH may lack it.
    dbus-run-session -- /usr/bin/python3 "$E2E_DIR/$script" "$@" \
        2> >(trap - ERR; grep -v '^dbus-daemon\|^SpiRegistry' >&2) || fail "$what"
}

copy_program() {
    cp -r "$1" "$WORK/koropika"
    PROGRAM_DIR="$WORK/koropika"
}

# The ids of the program's top-level windows with the given title.
windows_titled() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true
}

# Waits until exactly `count` visible windows carry the title; prints their ids.
wait_for_windows() {
    local title=$1 count=$2 ids deadline=$((SECONDS + SHOW_DEADLINE))
    while [ "$SECONDS" -lt "$deadline" ]; do
        ids=$(windows_titled "$title")
        if [ "$(printf '%s' "$ids" | grep -c .)" -eq "$count" ]; then
            printf '%s\n' "$ids"
            return 0
        fi
        sleep 0.05
    done
    fail "expected $count window(s) titled '$title', found: $(windows_titled "$title" | wc -l)"
}

# Client area of a window: "left top width height" in screen pixels.
client_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

# Outer frame (client plus the window manager's borders): "left top width height".
outer_geometry() {
    local extents
    read -r cx cy cw ch < <(client_geometry "$1")
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    read -r fl fr ft fb <<< "$extents"
    echo $((cx - fl)) $((cy - ft)) $((cw + fl + fr)) $((ch + ft + fb))
}

# Waits until the window has the keyboard focus (the window manager gives it to a new window a
# moment after mapping it, and a click on a window gives it too): keys typed before that go to
# the window that had the focus before.
wait_for_focus() {
    local activate_at=$((SECONDS + 2)) deadline=$((SECONDS + SHOW_DEADLINE))
    wait_for_managed "$1"
    while [ "$SECONDS" -lt "$deadline" ]; do
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && return 0
        # A window mapped while the pointer rests on another may not be given the focus: after a
        # moment ask the window manager for it.
        if [ -n "$activate_at" ] && [ "$SECONDS" -ge "$activate_at" ]; then
            xdotool windowactivate "$1" 2>/dev/null || true
            activate_at=
        fi
        sleep 0.05
    done
    fail "window $1 never got the keyboard focus (focus: $(xdotool getwindowfocus 2>/dev/null))"
}

# Moves the pointer to a screen point and waits until the pointer is seen there.
move_pointer_to() {
    local deadline=$((SECONDS + SHOW_DEADLINE))
    xdotool mousemove "$1" "$2"
    until [ "$(xdotool getmouselocation 2>/dev/null | cut -d' ' -f1-2)" = "x:$1 y:$2" ]; do
        [ "$SECONDS" -lt "$deadline" ] || fail "the pointer never reached $1,$2"
        sleep 0.02
    done
}

# Presses and releases the left button at a point of a window's client area, once the window
# manager has taken the window in and the pointer is there.
click_at() {
    wait_for_managed "$1"
    read -r cx cy _ _ < <(client_geometry "$1")
    move_pointer_to $((cx + $2)) $((cy + $3))
    xdotool click 1
}

# The settings window's name box, in the client area: "left top width height".
NAME_BOX="20 35 124 24"

# A picture of the name box's inside (its frame left out) in a file.
name_box_picture() {
    local cx cy left top width height
    read -r cx cy _ _ < <(client_geometry "$1")
    read -r left top width height <<< "$NAME_BOX"
    import -window root -crop "$((width - 4))x$((height - 4))+$((cx + left + 2))+$((cy + top + 2))" \
        +repage "$2"
}

# Pixels that differ between two pictures of the same size.
pixels_differing() {
    compare -metric AE -fuzz 10% "$1" "$2" null: 2>&1 | cut -d' ' -f1 || true
}

# Waits until the name box shows that it has the keyboard focus: its caret blinks, so two pictures
# of its inside differ within a blink.
wait_for_name_box_focus() {
    local deadline=$((SECONDS + SHOW_DEADLINE)) first="$WORK/name-box-a.png" now="$WORK/name-box-b.png"
    name_box_picture "$1" "$first"
    while [ "$SECONDS" -lt "$deadline" ]; do
        sleep 0.1
        name_box_picture "$1" "$now"
        [ "$(pixels_differing "$first" "$now")" -gt 0 ] && return 0
    done
    fail "the name box of window $1 shows no caret: it does not have the keyboard focus"
}

# Types a name into the settings window's name box: once the window manager has framed the window
# and it has stopped moving, the window has the keyboard focus and a click has given the name box
# the focus. Returns once the typed name shows in the box.
type_name() {
    local before="$WORK/name-box-before.png"
    focus_name_box "$1"
    name_box_picture "$1" "$before"
    xdotool type --delay 40 "$2"
    # Glyphs change many more pixels than the caret's blink does.
    wait_for_picture_change "$before" 40 "the typed name '$2' never showed in the name box" \
        name_box_picture "$1"
}

# Gives the settings window's name box the keyboard focus: once the window manager has framed
# the window and it has stopped moving, the window has the keyboard focus and a click on the box
# shows its caret.
focus_name_box() {
    settled_outer_geometry "$1" > /dev/null
    wait_for_focus "$1"
    click_at "$1" 80 47
    wait_for_name_box_focus "$1"
}

# Waits until the window manager has taken the window in and its frame reads "left top width
# height"; prints the last reading either way.
wait_for_outer() {
    local id=$1 wanted=$2 seen= deadline=$((SECONDS + 10))
    wait_for_managed "$id"
    while :; do
        seen=$(outer_geometry "$id" 2>/dev/null || true)
        [ "$seen" = "$wanted" ] && break
        [ "$SECONDS" -lt "$deadline" ] || break
        sleep 0.02
    done
    printf '%s\n' "$seen"
}

# The settings window's frame, centred on the 1280x1024 screen: "left top width height".
CENTRED_SETTINGS="$(((1280 - 286) / 2)) $(((1024 - 233) / 2)) 286 233"

# ---------------------------------------------------------------------------------------------
# The game window as a person sees it. Positions below are in the drawing area's own pixels:
# (0,0) is the top-left corner of the table, just under the menu bar.

GAME_TITLE="ころぴか V_1.0"

# Waits until exactly one program window is on screen and it is not `$1`; prints its id.
wait_for_window_other_than() {
    local ids deadline=$((SECONDS + SHOW_DEADLINE))
    while :; do
        ids=$(windows_titled "$GAME_TITLE")
        if [ "$(printf '%s' "$ids" | grep -c .)" -eq 1 ] && [ "$ids" != "$1" ]; then
            printf '%s\n' "$ids"
            return 0
        fi
        [ "$SECONDS" -lt "$deadline" ] || fail "no new window replaced window $1"
        sleep 0.02
    done
}

# Releases on "カード数 28枚" and waits until the game window has replaced the settings window.
start_game_from() {
    click_at "$1" 170 120
    wait_for_window_other_than "$1"
}

# Closes the game window with alt+F4 and waits for the program (PROGRAM_PID) to end cleanly.
close_game() {
    wait_for_focus "$1"
    xdotool key alt+F4
    wait_for_program_end "after its game window closed"
}

shoot() {
    import -window root "$1"
}

# A picture of a screen rectangle "left top width height" in a file.
screen_region() {
    import -window root -crop "${3}x${4}+${1}+${2}" +repage "$5"
}

# Waits until the picture a command takes differs from the picture `before` in more than the
# given number of pixels; fails with the message after SHOW_DEADLINE seconds. The command is
# given the file to write as its last argument.
wait_for_picture_change() {
    local before=$1 pixels=$2 message=$3 now="$WORK/picture-changed.png"
    local deadline=$((SECONDS + SHOW_DEADLINE))
    shift 3
    while :; do
        "$@" "$now"
        [ "$(pixels_differing "$before" "$now")" -gt "$pixels" ] && return 0
        [ "$SECONDS" -lt "$deadline" ] || fail "$message"
        sleep 0.05
    done
}

# Waits until two pictures a command takes a tenth of a second apart are the same, that is until
# what it shows has stopped changing; fails with the message after SHOW_DEADLINE seconds. The
# command is given the file to write as its last argument.
wait_for_picture_settled() {
    local message=$1 previous="$WORK/picture-previous.png" now="$WORK/picture-settled.png"
    local deadline=$((SECONDS + SHOW_DEADLINE))
    shift
    "$@" "$previous"
    while :; do
        sleep 0.1
        "$@" "$now"
        [ "$(pixels_differing "$previous" "$now")" -eq 0 ] && return 0
        [ "$SECONDS" -lt "$deadline" ] || fail "$message"
        mv "$now" "$previous"
    done
}

# Screen pixel of a screenshot as RRGGBB.
pixel_hex() {
    convert "$1" -format "%[hex:p{$2,$3}]" info:
}

# Waits until the game window shows its green side strip and sets DX, DY to the screen position
# of the drawing area's origin. The strip starts at x 555, y 0 of the drawing area.
find_drawing_origin() {
    local win=$1 cx cy cw ch row col shot="$WORK/origin.png" deadline=$((SECONDS + SHOW_DEADLINE))
    while [ "$SECONDS" -lt "$deadline" ]; do
        read -r cx cy cw ch < <(client_geometry "$win")
        shoot "$shot"
        row=$(convert "$shot" -crop "1x60+$((cx + 700))+$cy" +repage txt:- |
            awk -F'[,:]' '/#1C6C0D/ && !found {print $2; found = 1}')
        if [ -n "$row" ]; then
            col=$(convert "$shot" -crop "200x1+$((cx + 450))+$((cy + row))" +repage txt:- |
                awk -F'[,:]' '/#1C6C0D/ && !found {print $1; found = 1}')
            if [ -n "$col" ]; then
                DX=$((cx + 450 + col - 555))
                DY=$((cy + row))
                return 0
            fi
        fi
        sleep 0.05
    done
    fail "the game window's green side strip never showed"
}

# Pixel of the drawing area in a screenshot, as RRGGBB.
game_pixel() {
    pixel_hex "$1" $((DX + $2)) $((DY + $3))
}

# Mean colour of a rectangle of the drawing area: "r g b", 0..255.
region_mean() {
    convert "$1" -crop "${4}x${5}+$((DX + $2))+$((DY + $3))" +repage \
        -format '%[fx:int(255*mean.r+0.5)] %[fx:int(255*mean.g+0.5)] %[fx:int(255*mean.b+0.5)]\n' info:
}

# True when two "r g b" colours differ by at most the tolerance in every channel.
colours_near() {
    local tolerance=$3
    read -r r1 g1 b1 <<< "$1"
    read -r r2 g2 b2 <<< "$2"
    [ $((r1 - r2)) -le "$tolerance" ] && [ $((r2 - r1)) -le "$tolerance" ] &&
        [ $((g1 - g2)) -le "$tolerance" ] && [ $((g2 - g1)) -le "$tolerance" ] &&
        [ $((b1 - b2)) -le "$tolerance" ] && [ $((b2 - b1)) -le "$tolerance" ]
}

# Presses and releases the left button at a point of the drawing area, once the pointer is there.
game_click() {
    move_pointer_to $((DX + $1)) $((DY + $2))
    xdotool click 1
}

# Waits until a pixel of the drawing area reads RRGGBB; fails with the message after
# SHOW_DEADLINE seconds.
wait_for_game_pixel() {
    local x=$1 y=$2 wanted=$3 shot="$WORK/waiting.png" deadline=$((SECONDS + SHOW_DEADLINE))
    while :; do
        shoot "$shot"
        [ "$(game_pixel "$shot" "$x" "$y")" = "$wanted" ] && return 0
        [ "$SECONDS" -lt "$deadline" ] ||
            fail "$4: the pixel at $x,$y reads $(game_pixel "$shot" "$x" "$y"), not $wanted"
        sleep 0.05
    done
}

# A picture of the drawing area's rectangle "left top width height" in a file.
game_region() {
    screen_region $((DX + $1)) $((DY + $2)) "$3" "$4" "$5"
}

# Rolls the dice and stops it as a person does: once the dice panel has slid down to its place,
# a click starts the roll; once the dice shows another face, a click stops it.
roll_dice() {
    local still="$WORK/dice-still.png"
    # The purple panel reaches down to y 120 only at its place (top 20).
    wait_for_game_pixel 15 115 400040 "the dice panel never reached its place"
    game_region 80 40 55 55 "$still"
    game_click 107 67
    wait_for_picture_change "$still" 0 "the dice did not start rolling" game_region 80 40 55 55
    game_click 107 67
}

# Waits until the dice has decided who starts, that is until one side's panel is blue; prints the
# colours of the player's and the computer's panel spots.
wait_for_first_turn() {
    local shot="$WORK/dice.png" player computer deadline=$((SECONDS + SHOW_DEADLINE))
    while [ "$SECONDS" -lt "$deadline" ]; do
        shoot "$shot"
        player=$(game_pixel "$shot" $PLAYER_PANEL_SPOT)
        computer=$(game_pixel "$shot" $COMPUTER_PANEL_SPOT)
        [ "$player" = 0000FF ] || [ "$computer" = 0000FF ] && break
        sleep 0.05
    done
    echo "$player $computer"
}

# 28 cards lie in 7 columns and 4 rows of 69x90 with 8 and 12 pixels between them.
CARD_COLUMNS=7
CARD_COUNT=28
card_centre() {
    local n=$1
    echo $((15 + ((n - 1) % CARD_COLUMNS) * 77 + 34)) $((35 + ((n - 1) / CARD_COLUMNS) * 102 + 45))
}

# Mean colour of the inner part of every card slot (a 7-pixel margin left out), one "r g b" line
# per slot in slot order.
slot_means() {
    convert "$1" -crop "539x408+$((DX + 15))+$((DY + 35))" +repage -crop 77x102 +repage \
        -crop 55x76+7+7 +repage \
        -format '%[fx:int(255*mean.r+0.5)] %[fx:int(255*mean.g+0.5)] %[fx:int(255*mean.b+0.5)]\n' info:
}

# The same mean for a back design as the window draws it: the picture scaled to the card size.
back_design_mean() {
    convert "$PROGRAM_DIR/images/back_$1.png" -sample '69x90!' -crop 55x76+7+7 +repage \
        -format '%[fx:int(255*mean.r+0.5)] %[fx:int(255*mean.g+0.5)] %[fx:int(255*mean.b+0.5)]\n' info:
}

# Slots whose card shows the given back design mean (face down), one per line.
face_down_slots() {
    local shot=$1 back=$2 n=0 mean
    while read -r mean; do
        n=$((n + 1))
        colours_near "$mean" "$back" 6 && echo "$n"
    done < <(slot_means "$shot")
    return 0
}

# The player's panel is blue on the player's turn, the computer's panel on the computer's.
PLAYER_PANEL_SPOT="570 160"
COMPUTER_PANEL_SPOT="570 345"

# At the round end the green side strip turns black and the result panel covers the table.
result_panel_shown() {
    [ "$(game_pixel "$1" 720 510)" = 000000 ]
}

# Magenta pixels of the "GAME-OVER" title (165,290) 341x51 in a screenshot of that region alone.
magenta_pixels() {
    convert "$1" -alpha off -fuzz 8% -fill black +opaque '#C000C0' -fill white -opaque '#C000C0' \
        -colorspace gray -format '%[fx:int(mean*w*h+0.5)]' info:
}

# Sorts the slots of a screenshot: sets BACKS (face-down slots, in order) and FACES (the number of
# slots that show neither a back nor the empty table, that is a face).
sort_slots() {
    local shot=$1 back=$2 n=0 mean
    BACKS=()
    FACES=0
    while read -r mean; do
        n=$((n + 1))
        if colours_near "$mean" "$back" 6; then
            BACKS+=("$n")
        elif ! colours_near "$mean" "0 0 0" 6; then
            FACES=$((FACES + 1))
        fi
    done < <(slot_means "$shot")
}

# Waits up to 3 s until the table shows a number of face-down cards other than the given one,
# that is until a clicked card has turned; sets BACKS and FACES from the last look. Returns
# false when no card turned: a click while a move is being resolved is ignored.
wait_for_turned_card() {
    local count=$1 back=$2 shot="$WORK/table.png" deadline=$((SECONDS + 3))
    while :; do
        shoot "$shot"
        sort_slots "$shot" "$back"
        [ "${#BACKS[@]}" -ne "$count" ] && return 0
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

# Plays the player's side until the round end panel shows, turning the next face-down cards of a
# sweep over the slots on the player's turn. Between moves an even number of cards is face down;
# an odd number means the player's first card is up (it blinks, so it may look like an empty
# place), and faces beside an even number mean a move is being resolved. A first card that did
# not turn (the click came while the last move was still being resolved) is simply tried again.
play_until_round_end() {
    local back=$1 limit=$2 shot="$WORK/table.png" start sweep=0 moves=0 first second
    start=$(date +%s)
    while :; do
        [ $(($(date +%s) - start)) -lt "$limit" ] || fail "no round end within $limit s"
        shoot "$shot"
        if result_panel_shown "$shot"; then
            echo "round over after $(($(date +%s) - start)) s and $moves player moves"
            return 0
        fi
        if [ "$(game_pixel "$shot" $PLAYER_PANEL_SPOT)" != 0000FF ]; then
            sleep 0.2
            continue
        fi
        sort_slots "$shot" "$back"
        if [ $((${#BACKS[@]} % 2)) -eq 1 ]; then
            second=${BACKS[$((sweep % ${#BACKS[@]}))]}
            # shellcheck disable=SC2046
            game_click $(card_centre "$second")
            moves=$((moves + 1))
            wait_for_turned_card "${#BACKS[@]}" "$back" || true
            continue
        fi
        if [ "$FACES" -gt 0 ] || [ ${#BACKS[@]} -lt 2 ]; then
            sleep 0.2
            continue
        fi
        first=${BACKS[$((sweep % ${#BACKS[@]}))]}
        sweep=$((sweep + 1))
        # shellcheck disable=SC2046
        game_click $(card_centre "$first")
        wait_for_turned_card "${#BACKS[@]}" "$back" || continue
        [ $((${#BACKS[@]} % 2)) -eq 1 ] || continue
        second=${BACKS[$((sweep % ${#BACKS[@]}))]}
        sweep=$((sweep + 1))
        # shellcheck disable=SC2046
        game_click $(card_centre "$second")
        moves=$((moves + 1))
        wait_for_turned_card "${#BACKS[@]}" "$back" || true
    done
}

# Outer frame of a window once the window manager has framed it and it has stopped moving and
# resizing: "left top width height".
settled_outer_geometry() {
    local now= previous= deadline=$((SECONDS + SHOW_DEADLINE))
    while [ "$SECONDS" -lt "$deadline" ]; do
        if xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '= '; then
            now=$(outer_geometry "$1")
            [ "$now" = "$previous" ] && break
            previous=$now
        fi
        sleep 0.1
    done
    [ -n "$now" ] || fail "window $1 got no frame from the window manager in $SHOW_DEADLINE s:" \
        "$(xwininfo -id "$1" 2>&1 | grep -E 'error|Map State|Override' || true)" \
        "$(xprop -id "$1" WM_NAME _NET_WM_WINDOW_TYPE WM_TRANSIENT_FOR 2>&1 | tr '\n' ' ' || true)"
    echo "$now"
}

# The window position file holds exactly three lines in print format: a space (or a minus sign),
# the digits, a space, CR LF. Prints the three numbers: top, left, back design.
position_file_numbers() {
    local file=$1
    [ -f "$file" ] || fail "$file is missing"
    [ "$(tail -c 2 "$file" | od -An -tx1 | tr -d ' ')" = 0d0a ] || fail "$file does not end in CR LF"
    [ "$(LC_ALL=C grep -c '' "$file")" -eq 3 ] || fail "$file holds $(LC_ALL=C grep -c '' "$file") lines"
    if LC_ALL=C grep -Pvq '^[ -][0-9]+ \r$' "$file"; then
        fail "$file has a line not in print format:$(od -An -c "$file")"
    fi
    tr -d '\r' < "$file" | tr '\n' ' '
    echo
}
