#!/usr/bin/env bash
# Builds both trees and runs every test: host tests natively, Wine tests in the private prefix.
# Ends with one summary line.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
logs="$root/build/test-logs"
mkdir -p "$logs"

scripts/build.sh host || { echo "0 passed, 1 failed: host build"; exit 1; }
scripts/build.sh win32 || { echo "0 passed, 1 failed: win32 build"; exit 1; }

passed=0
failed=0
count() { # adds the counts of a ctest log to the totals
    local line total bad
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
    bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
    if [ -z "$line" ]; then failed=$((failed + 1)); return; fi
    passed=$((passed + total - bad))
    failed=$((failed + bad))
}

echo "== Host tests"
ctest --test-dir build/host --output-on-failure -j "$(nproc)" 2>&1 | tee "$logs/host.log"
count "$logs/host.log"

echo "== Wine tests"
source scripts/wine-env.sh
trap wine_env_stop EXIT
wine_env_start
ctest --test-dir build/win32 --output-on-failure --timeout 120 2>&1 | tee "$logs/win32.log"
count "$logs/win32.log"

# The systems with start-up screens are Windows 95, 98 and ME: the Wine and end-to-end tests
# again, with Wine reporting Windows 98 to every program (the release test, which makes a Wine
# prefix of its own, runs once).
echo "== Wine tests as on Windows 98"
if wine_env_windows_version win98; then
    ctest --test-dir build/win32 --output-on-failure --timeout 120 -E '^((imports|cpu)\.|release$)' 2>&1 | tee "$logs/win98.log"
    count "$logs/win98.log"
else
    echo "Wine did not take the Windows 98 version"
    failed=$((failed + 1))
fi
wine_env_windows_version "" || { echo "Wine did not go back to its default version"; failed=$((failed + 1)); }

echo "== Formatting"
if scripts/format.sh check; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
fi

echo
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
