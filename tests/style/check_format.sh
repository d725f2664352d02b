#!/usr/bin/env bash
# Fails when a C++ file of the project differs from what the checked-in .clang-format makes of it.
set -euo pipefail
clang_format=$1
mapfile -t files < <(find src tests tools bench \( -name '*.cpp' -o -name '*.h' \) -type f | sort)
[ ${#files[@]} -gt 0 ] || { echo "no sources found"; exit 1; }
"$clang_format" --style=file --dry-run --Werror "${files[@]}"
echo "${#files[@]} files follow the format"
