#!/usr/bin/env bash
# A round played by keys to its end with one known pair left for a move, then looked back on
# from the records window, as a screen reader hears it (see review_round.py).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

start_display
copy_program "$1"
run_screen_reader_client review_round.py "the review of a played round failed" "$PROGRAM_DIR/koropika"
