#!/usr/bin/env bash
# What a screen reader finds showing in the settings window, in the game window before the dice,
# during play and at the result panel: an AT-SPI client on a private session bus walks the tree.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

start_display
copy_program "$1"
export SDL_AUDIODRIVER=dummy QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# The Debian client library; a python3 earlier in PATH may lack it.
dbus-run-session -- /usr/bin/python3 "$here/screen_tree.py" "$PROGRAM_DIR/koropika" \
    2> >(trap - ERR; grep -v '^dbus-daemon\|^SpiRegistry' >&2) || fail "the screen reader's walk failed"
