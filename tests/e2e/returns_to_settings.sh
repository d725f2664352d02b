#!/usr/bin/env bash
# Thirty returns in a row from the game window (its menu 設定に戻る) to the settings window: each
# time the settings window comes back centred and compact, 286×233 with its frame, and the game
# window keeps its own frame size. Then, with the stored name in the name box, leaving the box
# with Tab does not count as picking the name: the background stays as it was.
set -euo pipefail
here=$(dirname "$0")
source "$here/lib.sh"
returns=${RETURNS:-30}

start_display
bind_typed_characters "はなこ"
copy_program "$1"
title="ころぴか V_1.0"

# The colour of the client area's pixel at x, y.
pixel_at() {
    read -r cx cy _ _ < <(client_geometry "$1")
    import -window root -crop "1x1+$((cx + $2))+$((cy + $3))" -depth 8 txt:- | tail -n1 |
        awk '{print $3}'
}

"$PROGRAM_DIR/koropika" > "$WORK/program.log" 2>&1 &
PROGRAM_PID=$!
settings=$(wait_for_windows "$title" 1)
centred_settings=$CENTRED_SETTINGS
first=$(wait_for_outer "$settings" "$centred_settings")
[ "$first" = "$centred_settings" ] ||
    fail "first settings window at '$first', expected $centred_settings; window $settings:
$(xwininfo -id "$settings" 2>&1 | grep -E 'Absolute|Width|Height|Map State')
$(xprop -id "$settings" _NET_FRAME_EXTENTS WM_STATE 2>&1)
windows: $(windows_titled "$title" | tr '\n' ' ')"

type_name "$settings" "はなこ"

game_outer=
wrong=0
for i in $(seq "$returns"); do
    click_at "$settings" 170 120  # カード数 28枚
    game=$(wait_for_window_other_than "$settings")
    if [ -z "$game_outer" ]; then
        game_outer=$(settled_outer_geometry "$game")
        echo "game window outer (left top width height): $game_outer"
    else
        seen=$(wait_for_outer "$game" "$game_outer")
        if [ "$seen" != "$game_outer" ]; then
            echo "return $i: game window at $seen, expected $game_outer" >&2
            wrong=$((wrong + 1))
        fi
    fi
    click_at "$game" 39 8  # the menu 設定に戻る
    settings=$(wait_for_window_other_than "$game")
    seen=$(wait_for_outer "$settings" "$centred_settings")
    if [ "$seen" != "$centred_settings" ]; then
        echo "return $i: settings window at $seen, expected $centred_settings" >&2
        wrong=$((wrong + 1))
    fi
done
[ "$wrong" -eq 0 ] || fail "$wrong of $returns returns showed a window out of place"
echo "$returns returns: the settings window came back at $centred_settings every time"
import -window root "$WORK/after-returns.png"

# The name box holds the stored name after a return; Tab moves on to the level list.
wait_for_focus "$settings"
before=$(pixel_at "$settings" 240 60)
xdotool key Tab
expect_unchanged_for 0.3 "the background changed on Tab" "$before" pixel_at "$settings" 240 60
echo "Tab out of the name box left the background at $before"

grep -v '^$' "$WORK/program.log" && fail "the program wrote to its output: see above"
echo "1 passed, 0 failed"
