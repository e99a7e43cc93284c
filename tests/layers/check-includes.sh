#!/usr/bin/env bash
# Includes point one way: nothing outside shell/ includes a shell/ header, nothing outside nviewlib/
# includes the picture library's own files, and the platform layer includes nothing of the layers
# above it. Each include that goes the wrong way is printed as
# "file:line: includes header: reason"; the exit status is 1 when there is any.
# Usage: check-includes.sh <source root> [--expect "<line>"]
#   --expect: succeeds only when the check fails and prints that line (the check's own test).
set -uo pipefail
# shellcheck source=SCRIPTDIR/../support/check-result.sh
source "$(cd "$(dirname "$0")/../support" && pwd)/check-result.sh"
check_arguments "$@"

wrong=$(
    cd "$root" || exit 2
    for folder in platform lists pictures system randomizer nviewlib tools; do
        [ -d "$folder" ] || continue
        grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z]+/' "$folder" --include='*.h' --include='*.cpp' |
            sed -E 's/^([^:]+):([0-9]+):[^"]*"([a-z]+)\/([^"]*)".*/\1 \2 \3 \3\/\4/' |
            while read -r file line layer header; do
                if [ "$layer" = shell ]; then
                    echo "$file:$line: includes $header: only shell/ may include the shell"
                elif [ "$layer" = nviewlib ] && [ "$folder" != nviewlib ]; then
                    echo "$file:$line: includes $header: the picture library stands above the program's layers"
                elif [ "$folder" = platform ] && [ "$layer" != platform ]; then
                    echo "$file:$line: includes $header: the platform includes nothing above it"
                fi
            done
    done
)

check_result "$wrong" "$expect" "-xF" "$expect" "include(s) go the wrong way" "every include points one way"
