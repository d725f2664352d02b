#!/usr/bin/env bash
# The window's title reads "ころぴか V_1.0" in WM_NAME, the property window managers and tools read,
# whatever the locale: the C and POSIX locales, whose character set is ASCII, and a locale the
# system lacks. A tool that finds windows by name finds it, and the program ends at the close box.
set -euo pipefail
here=$(dirname "$0")
source "$here/lib.sh"

start_display
copy_program "$1"
export SDL_AUDIODRIVER=dummy
title="ころぴか V_1.0"

# The program runs in the locale the arguments set; xdotool and xprop keep the tests' own UTF-8
# locale, so they read the title as a person would.
for setting in LANG=C LC_ALL=POSIX LANG=xx_YY.ISO-8859-1; do
    env "$setting" "$PROGRAM_DIR/koropika" > "$WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
    settings=$(wait_for_windows "$title" 1)
    # xprop prints the property's type, then the text it decodes: WM_NAME(COMPOUND_TEXT) = "…".
    wm_name=$(xprop -id "$settings" WM_NAME)
    [ "${wm_name#WM_NAME(*) = }" = "\"$title\"" ] || fail "under $setting $wm_name"
    wait_for_focus "$settings"
    xdotool key alt+F4
    wait_for_program_end "after its window closed under $setting"
    echo "ok: under $setting $wm_name"
done
