#!/usr/bin/env bash
# `format.sh check` lists files that differ from .clang-format; `format.sh fix` rewrites them.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
mapfile -t files < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h' | while read -r f; do [ -f "$f" ] && echo "$f"; done)
[ ${#files[@]} -eq 0 ] && exit 0
if [ "${1:-check}" = fix ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
bad=0
for f in "${files[@]}"; do
    if ! clang-format "$f" | cmp -s - "$f"; then
        echo "not formatted: $f"
        bad=1
    fi
done
[ "$bad" -eq 0 ] && echo "formatting: clean"
exit "$bad"
