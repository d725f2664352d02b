#!/usr/bin/env bash
# The installed program in a prefix nobody may write, started through bin/koropika: a new name is
# stored in the user's data folder ($XDG_DATA_HOME/koropika/name.txt, code page 932), nothing is
# written into the prefix, and the next start offers the name in the name box.
#
#     installed_read_only.sh <build folder> [<user>]
#
# Runs the program as <user>, or as `nobody` when started by root (root may write anywhere), or
# as the current user otherwise.
set -euo pipefail
here=$(dirname "$0")
source "$here/lib.sh"

build=$1
start_display
bind_typed_characters "たろう"
title="ころぴか V_1.0"

player=${2:-}
if [ -z "$player" ] && [ "$(id -u)" -eq 0 ]; then
    player=nobody
fi
as_player() {
    if [ -n "$player" ]; then
        runuser -u "$player" -- "$@"
    else
        "$@"
    fi
}

prefix="$WORK/prefix"
cmake --install "$build" --prefix "$prefix" > "$WORK/install.log"
chmod -R a-w "$prefix"
home="$WORK/home"
mkdir -p "$home/data" "$home/runtime"
chmod 0700 "$home/runtime"
if [ -n "$player" ]; then
    # The player needs to reach the work folder, and owns their home.
    chmod 0755 "$WORK"
    chown -R "$player" "$home"
fi

start_program() {
    as_player env HOME="$home" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime" \
        DISPLAY="$DISPLAY" "$prefix/bin/koropika" >> "$WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
}

stored="$home/data/koropika/name.txt"
expected=$(printf ' 1 \r\n\x82\xbd\x82\xeb\x82\xa4\r\n' | od -An -tx1)

# First start: type a name and start a game.
start_program
settings=$(wait_for_windows "$title" 1)
type_name "$settings" "たろう"
game=$(start_game_from "$settings")
wait_until "no $stored" file_written "$stored"
[ "$(od -An -tx1 "$stored")" = "$expected" ] ||
    fail "name.txt holds $(od -An -tx1 "$stored"), expected $expected"
echo "name.txt in the data folder: $(od -An -tx1 "$stored" | tr -s ' ')"
[ -z "$(find "$prefix" -name name.txt -o -name itidata.txt)" ] || fail "a file was written into the prefix"
close_game "$game"

# Next start: the name box offers the name; choosing it with the arrow key starts a game without
# the message for an empty name.
start_program
settings=$(wait_for_windows "$title" 1)
focus_name_box "$settings"
name_box_picture "$settings" "$WORK/name-box-empty.png"
xdotool key Down
wait_for_picture_change "$WORK/name-box-empty.png" 40 "the arrow key offered no name" \
    name_box_picture "$settings"
game=$(start_game_from "$settings")
[ "$(od -An -tx1 "$stored")" = "$expected" ] || fail "name.txt changed: $(od -An -tx1 "$stored")"
echo "the next start offered the stored name"
close_game "$game"
echo "1 passed, 0 failed"
