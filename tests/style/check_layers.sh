#!/usr/bin/env bash
# The layers and what each may include. Only src/qt and src/app see Qt, only src/sound and
# src/app see SDL; the game and the element model see nothing but the shared layer; the windows
# see the game, the element model and the shared layer; the records see the game's round record.
set -euo pipefail
status=0

# Project includes ("dir/...") allowed for each layer.
declare -A allowed=(
    [shared]="shared"
    [game]="shared game"
    [ui/elements]="shared ui/elements"
    [sound]="shared sound"
    [ui/game_window]="shared game ui/elements ui/game_window"
    [ui/settings]="shared ui/elements ui/settings"
    [ui/program]="shared game ui/elements ui/game_window ui/settings ui/program"
    [records]="shared game records"
    [qt]="shared ui/elements records qt"
    [app]="shared game ui/elements ui/game_window ui/settings ui/program records qt sound"
)

for layer in "${!allowed[@]}"; do
    [ -d "src/$layer" ] || continue
    while IFS= read -r line; do
        file=${line%%:*}
        include=$(sed -E 's/.*#\s*include\s*"([^"]+)".*/\1/' <<< "${line#*:}")
        ok=0
        for dir in ${allowed[$layer]}; do
            case "$include" in "$dir"/*) ok=1 ;; esac
        done
        if [ $ok -eq 0 ]; then
            echo "$file includes \"$include\", which its layer may not see"
            status=1
        fi
    done < <(grep -HE '^\s*#\s*include\s*"' $(find "src/$layer" -maxdepth 1 \( -name '*.h' -o -name '*.cpp' \)) || true)
done

qt=$(grep -rnE '^\s*#\s*include\s*[<"](Q[A-Za-z]+|Qt[A-Za-z]*/[^>"]*)[>"]' src \
    --include='*.h' --include='*.cpp' | grep -vE '^src/(qt|app)/' || true)
if [ -n "$qt" ]; then
    echo "Qt included outside src/qt and src/app:"
    echo "$qt"
    status=1
fi
sdl=$(grep -rnE '^\s*#\s*include\s*[<"]SDL' src --include='*.h' --include='*.cpp' |
    grep -vE '^src/(sound|app)/' || true)
if [ -n "$sdl" ]; then
    echo "SDL included outside src/sound:"
    echo "$sdl"
    status=1
fi
[ $status -eq 0 ] && echo "every layer includes only what it may see"
exit $status
