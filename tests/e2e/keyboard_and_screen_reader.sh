#!/usr/bin/env bash
# A whole 28-card game by key presses alone, as a screen reader hears it: the program runs on a
# private session bus with the accessibility bus, and an AT-SPI client reads its tree and its
# events while xdotool presses the keys.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

start_display
copy_program "$1"
export SDL_AUDIODRIVER=dummy QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# The Debian client library; a python3 earlier in PATH may lack it.
dbus-run-session -- /usr/bin/python3 "$here/screen_reader_game.py" "$PROGRAM_DIR/koropika" \
    2> >(grep -v '^dbus-daemon\|^SpiRegistry' >&2) || fail "the screen reader's game failed"
