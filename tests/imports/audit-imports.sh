#!/usr/bin/env bash
# Checks binaries against the Windows 98 SE floor, which refuses to load a program that imports a
# function its DLLs lack:
#   - PE header: OS version and subsystem version 4.0;
#   - imports only from system DLLs that have an allow-list here (<dll>.txt, lower case);
#   - every imported function on its DLL's list, with a minimum Windows version of 95 or 98, or
#     marked as a 9x stub (exported but failing there) with the place where the code handles that.
# Prints one line per fault: binary, DLL and function. Exit status 0 when there is none.
#
#   audit-imports.sh BINARY...
#   audit-imports.sh --expect "LINE" BINARY...   succeeds only if the audit fails and prints LINE
set -uo pipefail
lists="$(cd "$(dirname "$0")" && pwd)"
system_dlls=" advapi32 comctl32 comdlg32 gdi32 kernel32 msvcrt shell32 user32 version winmm "

# audit_binary NAME DUMP: the faults of one binary, from its `objdump -p`.
audit_binary() {
    local name="$1" dump="$2" key want have dll fn since reason list
    for key in MajorOSystemVersion:4 MinorOSystemVersion:0 MajorSubsystemVersion:4 MinorSubsystemVersion:0; do
        want="${key#*:}"
        key="${key%%:*}"
        have="$(awk -v k="$key" '$1 == k { print $2 }' <<<"$dump")"
        [ "$have" != "$want" ] && echo "$name: $key is ${have:-missing}, must be $want"
    done
    # One "DLL FUNCTION" line per import; an import by ordinal has no name.
    while read -r dll fn; do
        list="$lists/$(tr 'A-Z' 'a-z' <<<"${dll%.*}").txt"
        if [[ "$system_dlls" != *" $(tr 'A-Z' 'a-z' <<<"${dll%.*}") "* ]] || [ ! -f "$list" ]; then
            echo "$name: $dll $fn: not a system DLL on the allow-list"
            continue
        fi
        if [ "$fn" = "-" ]; then
            echo "$name: $dll: imports by ordinal"
            continue
        fi
        read -r since reason < <(awk -v f="$fn" '$1 == f { $1 = ""; print; exit }' "$list")
        case "${since:-}" in
        95 | 98) ;;
        stub)
            if [ -z "${reason:-}" ]; then
                echo "$name: $dll $fn: a 9x stub without the place that handles its failure"
            elif [ ! -f "$lists/../../${reason%% *}" ] || ! grep -q "$fn" "$lists/../../${reason%% *}"; then
                echo "$name: $dll $fn: a 9x stub whose handling is not in ${reason%% *}"
            fi
            ;;
        "")
            echo "$name: $dll $fn: not on the allow-list"
            ;;
        *)
            echo "$name: $dll $fn: needs Windows $since"
            ;;
        esac
    done < <(awk '
        /^The Import Tables/ { imports = 1; next }
        imports && /^(The |PE File|Section)/ { imports = 0 }
        imports && /DLL Name:/ { dll = $3; next }
        imports && dll != "" && /^\t[0-9a-f]+\t/ { print dll, (NF >= 3 ? $3 : "-") }' <<<"$dump")
    return 0
}

# shellcheck source=SCRIPTDIR/../support/audit-main.sh
source "$(dirname "$0")/../support/audit-main.sh"
audit_main "imports: %d binaries on the Windows 98 SE floor" -p "$@"
