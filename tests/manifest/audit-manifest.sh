#!/usr/bin/env bash
# Checks that each program carries one application manifest (resource type 24, id 1) that declares
# system DPI awareness, names the Windows versions from Vista to 10/11, and asks for no elevation
# (no requestedExecutionLevel): Windows then gives the program the screen's true pixels and keeps
# the redirection it gives old programs. Prints one line per fault; exit status 0 when there is none.
#
#   audit-manifest.sh BINARY...
#   audit-manifest.sh --expect "LINE" BINARY...   succeeds only if the audit fails and prints LINE
set -uo pipefail

# audit_binary NAME DUMP: the faults of one binary, from its `objdump -p -s -j .rsrc`.
audit_binary() {
    local name="$1" dump="$2" rsrc leaves count id addr size hex text want settings element value year namespace
    rsrc="$(awk '/Resource Directory \[/ { print $3 }' <<<"$dump")"
    # One "NAME ADDRESS SIZE" line per leaf under type 24; a type entry is the least indented.
    leaves="$(awk '
        /^[0-9a-f]+ +Entry: / { level = index($0, "Entry:") }
        /^[0-9a-f]+ +Entry: / && type == "" { top = level }
        /^[0-9a-f]+ +Entry: / && level == top { type = $4 }
        /^[0-9a-f]+ +Entry: / && level == top + 2 { id = $4 }
        /Leaf: Addr:/ && type == "0x000018," { print id, $4, $6 }' <<<"$dump" | tr -d ,)"
    count="$(grep -c . <<<"$leaves")"
    if [ "$count" != 1 ]; then
        echo "$name: $count manifests, must be 1"
        return 0
    fi
    read -r id addr size <<<"$leaves"
    [ "$id" != 0x000001 ] && echo "$name: the manifest's id is $id, must be 1"
    # The section's bytes in one hex string, from its first address on.
    hex="$(awk '/^Contents of section .rsrc:/ { on = 1; next }
        on && /^ [0-9a-f]+ / { for (i = 2; i <= 5 && $i ~ /^[0-9a-f]+$/; i++) printf "%s", $i }' <<<"$dump")"
    hex="${hex:$((2 * (addr - 0x$rsrc))):$((2 * size))}"
    text="$(printf '%b' "$(sed 's/../\\x&/g' <<<"$hex")")"
    # Windows reads a setting only in its own namespace: named on the element, or on the
    # <windowsSettings> around an element that names none.
    settings="$(sed -nE 's/.*<windowsSettings xmlns="([^"]*)".*/\1/p' <<<"$text")"
    for want in 'dpiAware true 2005' 'dpiAwareness system 2016'; do
        read -r element value year <<<"$want"
        namespace="http://schemas.microsoft.com/SMI/$year/WindowsSettings"
        [[ "$text" == *"<$element xmlns=\"$namespace\">$value</$element>"* ]] && continue
        [ "$settings" = "$namespace" ] && [[ "$text" == *"<$element>$value</$element>"* ]] && continue
        echo "$name: the manifest lacks <$element>$value</$element> in the namespace $namespace"
    done
    for want in \
        '{e2011457-1546-43c5-a5fe-008deee3d3f0}' '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' \
        '{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}' '{1f676c76-80e1-4239-95bb-83d0f6d0da78}' \
        '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'; do
        [[ "$text" != *"$want"* ]] && echo "$name: the manifest lacks $want"
    done
    [[ "$text" == *requestedExecutionLevel* ]] && echo "$name: the manifest asks for an execution level"
    return 0
}

# shellcheck source=SCRIPTDIR/../support/audit-main.sh
source "$(dirname "$0")/../support/audit-main.sh"
audit_main "manifest: %d programs aware of the display scale" "-p -s -j .rsrc" "$@"
