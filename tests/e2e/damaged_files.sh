#!/usr/bin/env bash
# The real program with name.txt or itidata.txt changed by another program or damaged: for each
# such file the settings window opens and name.txt is left byte for byte as it was; with a
# damaged itidata.txt a game still starts and the program still ends at the close box.
set -euo pipefail
here=$(dirname "$0")
source "$here/lib.sh"

start_display
title="ころぴか V_1.0"
cases=0

# Writes the file `$2` damaged in the way `$1` names.
put_case() {
    local kind=$1 path="$PROGRAM_DIR/$2"
    if [ "$kind" = folder ]; then mkdir "$path"; return 0; fi
    if [ "$kind" = empty ]; then : > "$path"; return 0; fi
    if [ "$2" = name.txt ]; then
        case $kind in
            utf8) printf ' 2 \r\n\xe3\x81\x9f\xe3\x82\x8d\xe3\x81\x86\r\nABC\r\n' > "$path" ;;
            bom) printf '\xef\xbb\xbf 2 \r\n\xe3\x81\x9f\xe3\x82\x8d\xe3\x81\x86\r\nABC\r\n' > "$path" ;;
            lf) printf ' 2 \n\x82\xbd\x82\xeb\x82\xa4\nABC\n' > "$path" ;;
            invalid) printf ' 3 \r\nA\x82\r\n\xff\xfe\x80\r\nB\r\n' > "$path" ;;
            huge) { echo ' 1000000 '; seq -f 'N%g' 1 1000000; } | sed 's/$/\r/' > "$path" ;;
        esac
    else
        case $kind in
            utf8) printf ' 1950 \r\n\xef\xbc\x91\xef\xbc\x95\r\n 2 \r\n' > "$path" ;;
            bom) printf '\xef\xbb\xbf 1950 \r\n-150 \r\n 2 \r\n' > "$path" ;;
            lf) printf ' 1950 \n-150 \n 2 \n' > "$path" ;;
            invalid) printf '\x82\xff\r\n\xfe 150\r\n 2 \xff\r\n' > "$path" ;;
            huge) { printf ' 1950 \r\n-150 \r\n 2 \r\n'; seq 1 1000000; } > "$path" ;;
        esac
    fi
}

# A digest of the file or folder as it stands.
state_of() {
    if [ -d "$1" ]; then echo folder; else sha256sum < "$1"; fi
}

run_program() {
    "$PROGRAM_DIR/koropika" > "$WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
}

wait_for_end() {
    wait_for_program_end "after its window closed ($1)"
}

for file in name.txt itidata.txt; do
    for kind in utf8 bom lf invalid empty huge folder; do
        what="$file $kind"
        rm -rf "$WORK/koropika"
        copy_program "$1"
        put_case "$kind" "$file"
        before=$(state_of "$PROGRAM_DIR/$file")
        run_program
        settings=$(wait_for_windows "$title" 1)
        # Opening is over once the window has been placed and has the keyboard focus.
        settled_outer_geometry "$settings" > /dev/null
        wait_for_focus "$settings"
        [ "$(state_of "$PROGRAM_DIR/$file")" = "$before" ] || fail "$what: changed by opening"
        if [ "$file" = name.txt ]; then
            if [ "$kind" = huge ]; then
                grep -q 'more than 32767' "$WORK/program.log" ||
                    fail "$what: the cut list was not reported: $(cat "$WORK/program.log")"
            fi
            # The close box of the settings window ends the run and writes nothing.
            wait_for_focus "$settings"
            xdotool key alt+F4
            wait_for_end "$what"
            [ "$(state_of "$PROGRAM_DIR/$file")" = "$before" ] || fail "$what: changed by closing"
        else
            # A game starts with the damaged position file, which stays until the window goes.
            type_name "$settings" "abc"
            game=$(start_game_from "$settings")
            [ "$(state_of "$PROGRAM_DIR/$file")" = "$before" ] || fail "$what: changed by the start"
            wait_for_focus "$game"
            xdotool key alt+F4
            wait_for_end "$what"
            if [ "$kind" = folder ]; then
                [ -d "$PROGRAM_DIR/$file" ] || fail "$what: the folder was replaced"
            else
                grep -q '^ [0-9]' "$PROGRAM_DIR/$file" || fail "$what: not written at the end"
            fi
        fi
        cases=$((cases + 1))
        echo "ok: $what"
    done
done
echo "$cases passed, 0 failed"
