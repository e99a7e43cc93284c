# shellcheck shell=bash
# The command line of the binary audits in tests/ (sourced). Runs the caller's function `audit`
# over the binaries, which prints one line per fault and fails when there is one:
#   SCRIPT BINARY...                  prints the faults, or the summary when there is none
#   SCRIPT --expect "LINE" BINARY...  succeeds only if the audit fails and prints LINE
# audit_main <summary, a printf format for the number of binaries> "$@"
audit_main() {
    local summary="$1" expect="" output status
    shift
    if [ "${1:-}" = "--expect" ]; then
        expect="$2"
        shift 2
    fi
    output="$(audit "$@")"
    status=$?
    if [ -z "$expect" ]; then
        [ -n "$output" ] && echo "$output"
        # shellcheck disable=SC2059 # the summary is the format
        [ "$status" -eq 0 ] && printf "$summary\n" "$#"
        return "$status"
    fi
    echo "$output"
    if [ "$status" -ne 0 ] && grep -qxF "$expect" <<<"$output"; then
        echo "refused as expected"
        return 0
    fi
    echo "expected the audit to refuse with: $expect"
    return 1
}
