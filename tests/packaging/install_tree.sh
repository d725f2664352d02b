#!/usr/bin/env bash
# `cmake --install` into a fresh prefix lays out what a desktop needs: the program folder under
# lib/koropika, a bin/koropika that starts it, a valid desktop entry and the icon at three sizes.
#
#     install_tree.sh <build folder>
set -euo pipefail
build=$1
prefix=$(mktemp -d /tmp/koropika-install-XXXXXX)
trap 'rm -rf "$prefix"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" > "$prefix.log" 2>&1 || {
    cat "$prefix.log" >&2
    rm -f "$prefix.log"
    fail "cmake --install failed"
}
rm -f "$prefix.log"

program="$prefix/lib/koropika"
[ -x "$program/koropika" ] && [ -f "$program/koropika" ] || fail "no executable $program/koropika"
for cue in click.wav cancel.wav Pinpon.wav 時計.wav; do
    [ -s "$program/wav/$cue" ] || fail "missing wav/$cue"
done
# Every picture at its own size has its partner at twice the size.
pictures=0
for picture in "$program"/images/*.png; do
    case "$picture" in *@2x.png) continue ;; esac
    [ -s "${picture%.png}@2x.png" ] || fail "no ${picture%.png}@2x.png"
    pictures=$((pictures + 1))
done
[ "$pictures" -eq 75 ] || fail "$pictures pictures installed, expected 75"
for kept in name.txt itidata.txt; do
    [ ! -e "$program/$kept" ] || fail "$kept from the build folder was installed"
done
# Nothing but the three documented folders at the top of the prefix.
[ "$(cd "$prefix" && ls | tr '\n' ' ')" = "bin lib share " ] ||
    fail "unexpected top level: $(cd "$prefix" && ls | tr '\n' ' ')"

# The command is a relative link, so the tree can be moved.
launcher="$prefix/bin/koropika"
[ -L "$launcher" ] || fail "bin/koropika is not a link"
[ "$(readlink "$launcher")" = "../lib/koropika/koropika" ] ||
    fail "bin/koropika points to $(readlink "$launcher")"
[ "$(readlink -f "$launcher")" = "$(readlink -f "$program/koropika")" ] ||
    fail "bin/koropika does not reach the executable"

entry="$prefix/share/applications/example.koropika.koropika.desktop"
[ -f "$entry" ] || fail "no desktop entry"
desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"
for line in 'Name=Koropika' 'Name[ja]=ころぴか' 'Categories=Game;CardGame;' 'Icon=koropika' \
    'Exec=koropika' 'Type=Application'; do
    grep -qxF "$line" "$entry" || fail "desktop entry lacks '$line'"
done

# PNG width and height, read from the IHDR chunk.
png_size() {
    local bytes
    bytes=$(od -An -tu1 -j16 -N8 "$1" | tr -s ' \n' ' ')
    read -r w1 w2 w3 w4 h1 h2 h3 h4 <<< "$bytes"
    echo "$(( (w1 << 24) | (w2 << 16) | (w3 << 8) | w4 ))x$(( (h1 << 24) | (h2 << 16) | (h3 << 8) | h4 ))"
}
for size in 32 64 128; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/koropika.png"
    [ -f "$icon" ] || fail "no icon at $size"
    [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "icon $icon is $(png_size "$icon")"
done
[ "$(png_size "$program/images/icon.png")" = 32x32 ] || fail "window icon is not 32x32"
cmp -s "$program/images/icon.png" "$prefix/share/icons/hicolor/32x32/apps/koropika.png" ||
    fail "the 32-pixel theme icon differs from the window icon"

echo "installed tree under $prefix:"
(cd "$prefix" && find . -path ./lib/koropika/images -prune -o -print | sort)
echo "1 passed, 0 failed"
