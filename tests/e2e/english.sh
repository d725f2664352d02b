#!/usr/bin/env bash
# The game in English as a screen reader meets it, and the language menu both ways: an AT-SPI
# client on a private session bus plays and reads (english.py).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

start_display
copy_program "$1"
run_screen_reader_client english.py "the English game failed" "$PROGRAM_DIR/koropika" "$XDG_CONFIG_HOME"
