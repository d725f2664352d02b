#!/usr/bin/env bash
# Fails when a file of src/ holds more than 600 lines: a file that long does more than one job.
set -euo pipefail
limit=600
status=0
while IFS= read -r -d '' file; do
    lines=$(wc -l < "$file")
    if [ "$lines" -gt "$limit" ]; then
        echo "$file holds $lines lines, more than $limit"
        status=1
    fi
done < <(find src -type f -print0)
[ "$status" -eq 0 ] && echo "every file of src/ holds at most $limit lines"
exit "$status"
