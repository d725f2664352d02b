#!/usr/bin/env bash
# Both windows at device pixel ratios 1, 1.5 and 2 under a window manager: each client area is its
# size at ratio 1 times the ratio, the settings window grows by its version area only when asked
# and shrinks back, and the version area is out of sight until then. Screenshots of each window
# at each ratio are kept in E2E_SHOTS_DIR when it is set.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

start_display
copy_program "$1"
export SDL_AUDIODRIVER=dummy
shots=${E2E_SHOTS_DIR:-$WORK}
mkdir -p "$shots"

# A point of the layout in the device pixels of a window at the ratio.
scaled() {
    awk -v v="$1" -v s="$2" 'BEGIN { printf "%d", v * s + 0.5 }'
}

# The client size "width height" of a window once the window manager has framed it and it has
# stopped moving; waits until it differs from `$2` when given.
client_size() {
    local size=
    settled_outer_geometry "$1" > /dev/null
    for _ in $(seq 100); do
        read -r _ _ w h < <(client_geometry "$1")
        size="$w $h"
        [ "$size" != "${2:-}" ] && break
        sleep 0.05
    done
    echo "$size"
}

# Starts the program at the ratio and prints the client sizes as "name width height" lines:
# the settings window as it opens, with its version area, closed again, and the game window.
measure() {
    local scale=$1 settings game compact tall
    QT_SCALE_FACTOR=$scale "$PROGRAM_DIR/koropika" > "$WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
    settings=$(wait_for_windows "$GAME_TITLE" 1)
    compact=$(client_size "$settings")
    echo "settings $compact"
    shoot "$shots/settings-x$scale.png"
    # "バージョン情報" opens the version area and closes it again.
    click_at "$settings" "$(scaled 55 "$scale")" "$(scaled 188 "$scale")"
    tall=$(client_size "$settings" "$compact")
    echo "settings-with-version $tall"
    shoot "$shots/settings-version-x$scale.png"
    click_at "$settings" "$(scaled 55 "$scale")" "$(scaled 188 "$scale")"
    echo "settings-closed-again $(client_size "$settings" "$tall")"
    click_at "$settings" "$(scaled 80 "$scale")" "$(scaled 47 "$scale")"
    wait_for_focus "$settings"
    xdotool type --delay 40 "taro"
    click_at "$settings" "$(scaled 170 "$scale")" "$(scaled 120 "$scale")"
    game=$(wait_for_window_other_than "$settings")
    echo "game $(client_size "$game")"
    shoot "$shots/game-x$scale.png"
    close_game "$game"
}

measure 1 > "$WORK/x1"
cat "$WORK/x1"
for scale in 1.5 2; do
    measure "$scale" > "$WORK/x$scale"
    echo "at $scale:"
    cat "$WORK/x$scale"
    # Each size is the one at ratio 1 times the ratio, to the nearest device pixel.
    paste "$WORK/x1" "$WORK/x$scale" | while read -r name w1 h1 _ w h; do
        awk -v a="$w1" -v b="$h1" -v w="$w" -v h="$h" -v s="$scale" \
            'BEGIN { exit !((w - a * s) ^ 2 < 1 && (h - b * s) ^ 2 < 1) }' ||
            fail "$name at $scale: client ${w}x${h}, expected $w1 x $h1 times $scale"
    done
done
# The version area adds to the height only: the compact window has none of it in sight.
read -r _ w1 h1 < <(grep '^settings ' "$WORK/x1")
read -r _ w2 h2 < <(grep '^settings-with-version ' "$WORK/x1")
read -r _ w3 h3 < <(grep '^settings-closed-again ' "$WORK/x1")
[ "$w2" -eq "$w1" ] && [ "$h2" -gt "$h1" ] || fail "the version area did not open: ${w2}x${h2}"
[ "$w3 $h3" = "$w1 $h1" ] || fail "closed again the settings window is ${w3}x${h3}"
echo "1 passed, 0 failed"
