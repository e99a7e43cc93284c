#!/usr/bin/env bash
# Runs the two-monitor Wine tests on an X display of two screens of their own, 1280 x 1024 (the
# primary) and 1024 x 768 right of it, in a Wine prefix of their own.
#   two-monitors.sh <monitor_tests.exe> [gtest options...]
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
# shellcheck source=SCRIPTDIR/../../scripts/monitors-env.sh
source "$root/scripts/monitors-env.sh"
trap monitors_stop EXIT
monitors_start two 1280x1024 1024x768 RightOf || exit 1
exe="$1"
shift
wine "$exe" "$@"
