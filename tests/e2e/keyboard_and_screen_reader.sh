#!/usr/bin/env bash
# A whole 28-card game by key presses alone, as a screen reader hears it: the program runs on a
# private session bus with the accessibility bus, and an AT-SPI client reads its tree and its
# events while xdotool presses the keys.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

start_display
copy_program "$1"
run_screen_reader_client screen_reader_game.py "the screen reader's game failed" "$PROGRAM_DIR/koropika"
