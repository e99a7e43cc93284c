#!/usr/bin/env bash
# A clone of the repository builds and tests with nothing beside it: no tracked file names a folder
# beside the checkout (a climb above its root, or a sibling "shared" folder) or a folder of this
# machine's users and work (/work, /home, /root, /mnt, /media, /srv, /tmp; the X server's own sockets
# in /tmp are the system's). Each such line is printed as "file:line: text"; the exit status is 1
# when there is any. Files git does not track, and the check's own folder, are not read.
# Usage: check-paths.sh <source root> [--expect "<file:line>"]
#   --expect: succeeds only when the check fails on that line (the check's own test).
set -uo pipefail
# shellcheck source=SCRIPTDIR/../support/check-result.sh
source "$(cd "$(dirname "$0")/../support" && pwd)/check-result.sh"
check_arguments "$@"

above='(\$root|\$\{?(CMAKE|PROJECT)_SOURCE_DIR\}?)/\.\.([/"'"'"' ]|$)|\.\./shared'
machine='(^|[^A-Za-z0-9_.~$}-])/((work|home|root|mnt|media|srv)([^A-Za-z0-9_.-]|$)|tmp(/[^.]|[^A-Za-z0-9_./-]|$))'
cd "$root" || exit 2
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    # From a subfolder git reads that subfolder alone, so the fixtures are read only when asked.
    found=$(git grep -nIE -e "$above" -e "$machine" -- . ':(exclude)tests/standalone')
else
    found=$(grep -rnIE --exclude-dir=.git --exclude-dir=build --exclude-dir=standalone -e "$above" -e "$machine" . |
        sed 's|^\./||')
fi

check_result "$found" "$expect" "" "^$expect:" "line(s) read outside the checkout" "nothing reads outside the checkout"
