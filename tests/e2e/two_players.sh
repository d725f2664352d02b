#!/usr/bin/env bash
# Two people at one computer, in the real window: 太郎 and 花子 at 28 cards, chosen by keys in the
# settings window; the second panel reads 花子; nothing turns while nobody moves; 太郎 turns his
# cards with the mouse and 花子 hers with the keys, each only on their turn, every card told with
# the name of who turned it; the round played to its end names the winner with both counts; the
# records hold one row with both names and no level; the next run offers two players again.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

start_display
bind_typed_characters "太郎花子"
copy_program "$1"
run_screen_reader_client two_players.py "the game of two players failed" "$PROGRAM_DIR/koropika"
