#!/usr/bin/env bash
# The game and both windows run without a toolkit: only src/qt and src/app may include Qt.
set -euo pipefail
offenders=$(grep -rnE '^\s*#\s*include\s*[<"](Q[A-Za-z]+|Qt[A-Za-z]*/[^>"]*)[>"]' src \
    --include='*.h' --include='*.cpp' | grep -vE '^src/(qt|app)/' || true)
if [ -n "$offenders" ]; then
    echo "Qt included outside src/qt and src/app:"
    echo "$offenders"
    exit 1
fi
echo "no Qt include outside src/qt and src/app"
