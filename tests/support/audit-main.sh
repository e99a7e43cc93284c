# shellcheck shell=bash
# The command line of the binary audits in tests/ (sourced). Dumps each binary with the cross
# objdump and hands it to the caller's function `audit_binary NAME DUMP`, which prints one line per
# fault; the audit fails when there is one.
#   SCRIPT BINARY...                  prints the faults, or the summary when there is none
#   SCRIPT --expect "LINE" BINARY...  succeeds only if the audit fails and prints LINE; --expect
#                                     may be given more than once, for each line that must be printed
# audit_main <summary, a printf format for the number of binaries> <objdump options> "$@"
audit_main() {
    local summary="$1" options="$2" expect=() output binary dump line missing=0
    shift 2
    while [ "${1:-}" = "--expect" ]; do
        expect+=("$2")
        shift 2
    done
    output="$(
        for binary in "$@"; do
            # shellcheck disable=SC2086 # the options are words
            if dump="$("${OBJDUMP:-i686-w64-mingw32-objdump}" $options "$binary" 2>&1)"; then
                audit_binary "$(basename "$binary")" "$dump"
            else
                echo "$(basename "$binary"): not a readable PE file"
            fi
        done
    )"
    if [ "${#expect[@]}" = 0 ]; then
        # shellcheck disable=SC2059 # the summary is the format
        [ -z "$output" ] && printf "$summary\n" "$#" && return 0
        echo "$output"
        return 1
    fi
    echo "$output"
    for line in "${expect[@]}"; do
        [ -n "$output" ] && grep -qxF "$line" <<<"$output" && continue
        echo "expected the audit to refuse with: $line"
        missing=1
    done
    [ "$missing" = 0 ] && echo "refused as expected"
    return "$missing"
}
