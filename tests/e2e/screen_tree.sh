#!/usr/bin/env bash
# What a screen reader finds showing in the settings window, in the game window before the dice,
# during play and at the result panel: an AT-SPI client on a private session bus walks the tree.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

start_display
copy_program "$1"
run_screen_reader_client screen_tree.py "the screen reader's walk failed" "$PROGRAM_DIR/koropika"
