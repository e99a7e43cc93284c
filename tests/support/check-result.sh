# shellcheck shell=bash
# The end of a check of the sources (sourced). With an expected finding the check succeeds only when
# the findings hold it (matched by the grep options and pattern given); otherwise it prints the
# findings and fails, or prints the all-clear.
#   check_result FINDINGS EXPECT "GREP OPTIONS" PATTERN "WHAT A FINDING IS" "ALL-CLEAR TEXT"
check_result() {
    local found="$1" expect="$2" options="$3" pattern="$4" noun="$5" clear="$6"
    if [ -n "$expect" ]; then
        # shellcheck disable=SC2086 # the options are words
        grep -q $options -- "$pattern" <<<"$found" && return 0
        echo "expected the check to refuse $expect"
        echo "it printed: ${found:-nothing}"
        return 1
    fi
    if [ -n "$found" ]; then
        echo "$found"
        echo "$(wc -l <<<"$found") $noun"
        return 1
    fi
    echo "$clear"
}

# The checks' command line, <source root> [--expect "<finding>"]: sets `root` and `expect`.
# shellcheck disable=SC2034 # root and expect are the caller's
check_arguments() {
    root="$1"
    expect=""
    if [ "${2:-}" = "--expect" ]; then expect="$3"; fi
}
