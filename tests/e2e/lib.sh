# Shared steps of the end-to-end tests: a private X display with a window manager, a fresh copy
# of the program folder, and helpers to read windows as a person sees them.

fail() {
    echo "FAIL: $*" >&2
    [ -n "${WORK:-}" ] && [ -n "${DISPLAY:-}" ] && import -window root "$WORK/failure.png" 2>/dev/null &&
        echo "screenshot: $WORK/failure.png" >&2
    exit 1
}

start_display() {
    WORK=$(mktemp -d /tmp/koropika-e2e-XXXXXX)
    export XDG_RUNTIME_DIR="$WORK/runtime"
    mkdir -m 0700 "$XDG_RUNTIME_DIR"
    exec 5> "$WORK/displayfd"
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp > "$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$WORK/displayfd" ] && break
        sleep 0.05
    done
    [ -s "$WORK/displayfd" ] || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
    export DISPLAY=":$(head -n1 "$WORK/displayfd")"
    openbox > "$WORK/openbox.log" 2>&1 &
    WM_PID=$!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.05
    done
    trap stop_display EXIT
}

stop_display() {
    [ -n "${PROGRAM_PID:-}" ] && kill "$PROGRAM_PID" 2>/dev/null
    kill "$WM_PID" "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    if [ "${KEEP_WORK:-0}" = 1 ]; then echo "kept $WORK"; else rm -rf "$WORK"; fi
}

# A fresh program folder, as a new user gets it.
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
    local title=$1 count=$2 ids
    for _ in $(seq 200); do
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

# Presses and releases the left button at a point of a window's client area.
click_at() {
    read -r cx cy _ _ < <(client_geometry "$1")
    xdotool mousemove $((cx + $2)) $((cy + $3))
    sleep 0.1
    xdotool click 1
    sleep 0.2
}
