#!/usr/bin/env bash
# Checks the Debian package that scripts/package makes: its control fields and file list, lintian,
# the desktop entry and the metainfo file as installed, the manual page. Run as root, it also
# installs the package with apt-get, plays it as two new users and as root, removes it and checks
# that nothing is left under /usr; the package and the users are removed again in any case.
#
#     deb_package.sh <koropika_<version>_<arch>.deb>
#
# KOROPIKA_PACKAGE_SHOTS=<folder> keeps a screenshot of each user's game window there.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../e2e/lib.sh"
deb=$(realpath "$1")
source_dir=$(cd "$here/../.." && pwd)
WORK=$(mktemp -d /tmp/koropika-deb-XXXXXX)
trap 'rm -rf "$WORK"' EXIT

field() { dpkg-deb -f "$deb" "$1"; }

# ---- control fields
changelog_version=$(sed -n '1s/^koropika (\([^)]*\)).*/\1/p' "$source_dir/packaging/changelog")
project_version=$(sed -n 's/^project(koropika VERSION \([0-9.]*\) .*/\1/p' "$source_dir/CMakeLists.txt")
[ "$(field Package)" = koropika ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$project_version" ] || fail "Version $(field Version), project $project_version"
[ "$changelog_version" = "$project_version" ] ||
    fail "the change log's last entry is $changelog_version, the project is $project_version"
[ "$(basename "$deb")" = "koropika_${project_version}_$(field Architecture).deb" ] ||
    fail "file name $(basename "$deb")"
[ "$(field Section)" = games ] || fail "Section: $(field Section)"
maintainer_form='^[^<]+ <[^@>]+@[^>]+>$'
[[ "$(field Maintainer)" =~ $maintainer_form ]] || fail "Maintainer: $(field Maintainer)"
[ "$(field Description | wc -l)" -ge 5 ] || fail "no long description"
depends=$(field Depends)
# The fonts, the platform plugins and Qt's translations by name, the libraries as dpkg-shlibdeps
# found them.
for needed in fonts-ipafont-gothic fonts-ipafont-mincho fonts-noto-cjk qt6-qpa-plugins \
    qt6-translations-l10n \
    'libc6 (>=' 'libqt6widgets6 (>=' 'libqt6gui6 (>=' 'libsdl2-2.0-0 (>=' 'libstdc++6 (>='; do
    [[ ", $depends," == *", $needed"* ]] || fail "Depends lacks $needed: $depends"
done
echo "Depends: $depends"

# ---- file list
listing=$(dpkg-deb -c "$deb" | awk '{ path = $6; for (i = 7; i <= NF; i++) path = path " " $i; print substr($1, 1, 1), path }')
entry() { grep -qxF -e "$1" <<< "$listing" || fail "the package lacks '$1'"; }
entry "l ./usr/games/koropika -> ../lib/koropika/koropika"
entry "- ./usr/lib/koropika/koropika"
for cue in click.wav cancel.wav Pinpon.wav 時計.wav; do entry "- ./usr/lib/koropika/wav/$cue"; done
for words in windows front_end; do entry "- ./usr/lib/koropika/translations/${words}_en.qm"; done
[ "$(grep -c '^- ./usr/lib/koropika/images/.*\.png$' <<< "$listing")" -eq 150 ] ||
    fail "$(grep -c '^- ./usr/lib/koropika/images/.*\.png$' <<< "$listing") pictures, expected 150"
for size in 32 64 128; do entry "- ./usr/share/icons/hicolor/${size}x$size/apps/koropika.png"; done
for file in applications/example.koropika.koropika.desktop metainfo/example.koropika.koropika.metainfo.xml \
    man/man6/koropika.6.gz man/ja/man6/koropika.6.gz doc/koropika/copyright doc/koropika/changelog.gz; do
    entry "- ./usr/share/$file"
done
outside=$(grep -v -e '^d ./usr/$' -e '^[-ld] ./usr/\(games\|lib/koropika\|share/\(applications\|metainfo\|icons\|man\|doc/koropika\)\)\(/\| \|$\)' \
    -e '^d ./usr/\(lib\|share\|share/doc\)/$' <<< "$listing" || true)
[ -z "$outside" ] || fail "files outside the program's places: $outside"
! grep -q -e '/name.txt$' -e '/itidata.txt$' <<< "$listing" || fail "a stored file is in the package"
[ "$(dpkg-deb -c "$deb" | awk '$1 !~ /^(drwxr-xr-x|-rw-r--r--|-rwxr-xr-x|lrwxrwxrwx)$/ || $2 != "root/root"' | wc -l)" -eq 0 ] ||
    fail "files not owned by root or with other modes"

# ---- the files as installed
root="$WORK/root"
dpkg-deb -x "$deb" "$root"
file -b "$root/usr/lib/koropika/koropika" | grep -q 'ELF.*, stripped' || fail "the program is not stripped"
desktop-file-validate "$root/usr/share/applications/example.koropika.koropika.desktop" ||
    fail "desktop-file-validate rejects the desktop entry"
for key in 'Name\[ja\]' 'Comment\[ja\]' 'GenericName\[ja\]'; do
    grep -q "^$key=." "$root/usr/share/applications/example.koropika.koropika.desktop" || fail "the desktop entry lacks $key"
done
appstreamcli validate-tree --no-net --pedantic "$root" > "$WORK/appstream.log" 2>&1 || {
    cat "$WORK/appstream.log" >&2
    fail "appstreamcli rejects the metainfo file"
}
! grep -q '^ *[EW]:' "$WORK/appstream.log" || fail "appstreamcli: $(cat "$WORK/appstream.log")"
metainfo="$root/usr/share/metainfo/example.koropika.koropika.metainfo.xml"
grep -qF '<release version="'"$project_version"'"' "$metainfo" || fail "no release $project_version in the metainfo"
for needed in '<launchable type="desktop-id">example.koropika.koropika.desktop</launchable>' \
    '<category>CardGame</category>' '<content_rating type="oars-1.1"/>' '<p xml:lang="ja">' \
    '<summary xml:lang="ja">' '<screenshot type="default">' '<lang>en</lang>'; do
    grep -qF "$needed" "$metainfo" || fail "metainfo lacks $needed"
done
# The manual pages render without a warning and tell where the names are kept, how the
# language is chosen and that a closed round is offered again.
man_text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/usr/share/man/man6/koropika.6.gz" 2>"$WORK/man.log")
[ ! -s "$WORK/man.log" ] || fail "man: $(cat "$WORK/man.log")"
for needed in 'XDG_DATA_HOME/koropika/' 'name.txt' 'itidata.txt' '/usr/games/koropika' ENVIRONMENT FILES \
    LANGUAGE LC_MESSAGES koropika.ini 'Continue your last game?'; do
    grep -qF -- "$needed" <<< "$man_text" || fail "the manual page does not mention $needed"
done
man_text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/usr/share/man/ja/man6/koropika.6.gz" 2>"$WORK/man.log")
[ ! -s "$WORK/man.log" ] || fail "man (ja): $(cat "$WORK/man.log")"
for needed in 環境変数 'XDG_DATA_HOME/koropika/' name.txt 'LANGUAGE' koropika.ini '言語 / Language' \
    前回のゲームの続きから遊びますか; do
    grep -qF -- "$needed" <<< "$man_text" || fail "the Japanese manual page does not mention $needed"
done

# ---- lintian: no error and no warning (information and pedantic notes are listed)
lintian --pedantic --display-info "$deb" > "$WORK/lintian.log" 2>&1 || true
grep -v -e '^running with root privileges' -e 'image-file-in-usr-lib' "$WORK/lintian.log" | sed 's/^/lintian: /' || true
echo "lintian: $(grep -c 'image-file-in-usr-lib' "$WORK/lintian.log") x P: image-file-in-usr-lib (the pictures in the program folder)"
! grep -q '^[EW]:' "$WORK/lintian.log" || fail "lintian reports errors or warnings"
grep -q '^[IP]: koropika' "$WORK/lintian.log" || fail "lintian printed nothing: $(cat "$WORK/lintian.log")"

if [ "$(id -u)" -ne 0 ]; then
    echo "not root: the install as two users was not tried"
    echo "1 passed, 0 failed"
    exit 0
fi

# ---- the real install, as root, one run at a time on this machine
rm -rf "$WORK"
exec 9> /tmp/koropika-package-install.lock
flock -w 900 9 || fail "another package check held the lock for 15 minutes"
if dpkg-query -W -f='${Status}' koropika 2>/dev/null | grep -q 'ok installed'; then
    fail "koropika is installed on this machine already; remove it (apt-get remove koropika) first"
fi
apt_get() { DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o DPkg::Lock::Timeout=300 "$@"; }
start_display
users=("kpa$$" "kpb$$")
cleanup() {
    stop_display
    apt_get remove koropika > /dev/null 2>&1 || true
    for user in "${users[@]}"; do userdel -r "$user" > /dev/null 2>&1 || true; done
}
trap cleanup EXIT
chmod 0755 "$WORK"
apt_get install "$deb" > "$WORK/apt.log" 2>&1 || fail "apt-get install: $(tail -5 "$WORK/apt.log")"
[ -x /usr/games/koropika ] || fail "no /usr/games/koropika after the install"

# Starts the command from the PATH as a user would, in a clean environment; the user's data
# folder is the default one, ~/.local/share/koropika.
start_as() {
    local user=$1 home=$2
    runuser -u "$user" -- env -i HOME="$home" DISPLAY="$DISPLAY" LANG=C.UTF-8 \
        XDG_RUNTIME_DIR="$home/runtime" PATH=/usr/local/bin:/usr/bin:/bin:/usr/games \
        koropika >> "$WORK/program-$user.log" 2>&1 &
    PROGRAM_PID=$!
}

# First start: type the name, start a game, find the name stored, close.
store_name() {
    local user=$1 home=$2 name=$3 settings game
    # The program reads the keyboard map as it starts: each character of the name gets its key
    # first, and the name is typed once the name box has the focus.
    bind_typed_characters "$name"
    start_as "$user" "$home"
    settings=$(wait_for_windows "$GAME_TITLE" 1)
    sleep 0.3
    type_name "$settings" "$name"
    sleep 0.3
    game=$(start_game_from "$settings")
    for _ in $(seq 100); do [ -s "$home/.local/share/koropika/name.txt" ] && break; sleep 0.05; done
    if [ -n "${KOROPIKA_PACKAGE_SHOTS:-}" ]; then
        mkdir -p "$KOROPIKA_PACKAGE_SHOTS"
        sleep 1
        shoot "$KOROPIKA_PACKAGE_SHOTS/game-$user.png"
    fi
    close_game "$game"
}

# Next start: the name box offers the stored name; choosing it with the arrow key starts a game
# (an empty name would stop at a message instead).
pick_stored_name() {
    local user=$1 home=$2 settings game
    start_as "$user" "$home"
    settings=$(wait_for_windows "$GAME_TITLE" 1)
    sleep 0.3
    click_at "$settings" 80 47
    wait_for_focus "$settings"
    xdotool key Down
    sleep 0.3
    game=$(start_game_from "$settings")
    close_game "$game"
}

stored_bytes() { od -An -tx1 "$1/.local/share/koropika/name.txt" 2>/dev/null | tr -s ' \n' ' '; }
names=("たろう" "はなこ")
for i in 0 1; do
    user=${users[$i]}
    useradd --create-home --home-dir "$WORK/$user" --shell /bin/sh "$user"
    install -d -m 0700 -o "$user" "$WORK/$user/runtime"
    store_name "$user" "$WORK/$user" "${names[$i]}"
done
# Each list holds that user's name alone: the second user never saw the first one's.
expected=(" 20 31 20 0d 0a 82 bd 82 eb 82 a4 0d 0a " " 20 31 20 0d 0a 82 cd 82 c8 82 b1 0d 0a ")
for i in 0 1; do
    [ "$(stored_bytes "$WORK/${users[$i]}")" = "${expected[$i]}" ] ||
        fail "${users[$i]}'s name.txt holds '$(stored_bytes "$WORK/${users[$i]}")', expected '${expected[$i]}'"
    [ "$(stat -c %U "$WORK/${users[$i]}/.local/share/koropika")" = "${users[$i]}" ] || fail "data folder owner"
done
pick_stored_name "${users[0]}" "$WORK/${users[0]}"
[ "$(stored_bytes "$WORK/${users[0]}")" = "${expected[0]}" ] ||
    fail "the next start did not pick the stored name: $(stored_bytes "$WORK/${users[0]}")"
echo "two users: each stored their own name in ~/.local/share/koropika, the next start offered it"

# The superuser may write under /usr, but the game keeps its files in root's data folder too.
install -d -m 0700 "$WORK/root-home/runtime"
store_name root "$WORK/root-home" "たろう"
[ "$(stored_bytes "$WORK/root-home")" = "${expected[0]}" ] || fail "root's name.txt: $(stored_bytes "$WORK/root-home")"
written=$(find /usr/lib/koropika /usr/games -newer "$WORK/apt.log" -print; find /usr -xdev \( -name name.txt -o -name itidata.txt \) -print)
[ -z "$written" ] || fail "the game wrote under /usr: $written"
echo "root: the name is in root's data folder, nothing new under /usr"

apt_get remove koropika > "$WORK/apt-remove.log" 2>&1 || fail "apt-get remove: $(tail -5 "$WORK/apt-remove.log")"
left=$(grep -v '^d' <<< "$listing" | sed 's/^. \.//; s/ -> .*//' | while read -r path; do
    if [ -e "$path" ] || [ -L "$path" ]; then echo "$path"; fi
done; if [ -e /usr/lib/koropika ]; then echo /usr/lib/koropika; fi)
[ -z "$left" ] || fail "left under /usr after apt-get remove: $left"
echo "apt-get remove left no file of the package under /usr"
echo "1 passed, 0 failed"
