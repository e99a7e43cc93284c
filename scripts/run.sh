#!/usr/bin/env bash
# Builds the program and starts it under Wine in the private prefix. Without a display it starts
# a virtual one, waits for the main window, writes a screenshot and closes the program again.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/build.sh win32

source scripts/wine-env.sh
trap wine_env_stop EXIT
wine_env_start

cd build/program
if [ -z "$WINE_ENV_XVFB_PID" ]; then
    wine QZSelect.exe
    exit 0
fi

shot="$root/build/screenshot.png"
wine QZSelect.exe >/dev/null 2>&1 &
program=$!
wait_tool="$root/build/win32/tools/WaitForWindow.exe"
if ! wine "$wait_tool" TVistrelForm "Vistrel Selector 2.92" 30; then
    echo "The main window did not appear." >&2
    kill "$program" 2>/dev/null || true
    exit 1
fi
sleep 1 # let the window finish painting before the picture is taken
import -window root "$shot"
echo "Vistrel Selector is running on the virtual display; screenshot of the main window: $shot"
wine "$wait_tool" TVistrelForm "Vistrel Selector 2.92" 5 --close || true
wait "$program" || true
