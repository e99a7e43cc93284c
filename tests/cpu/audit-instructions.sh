#!/usr/bin/env bash
# Checks that binaries are Pentium code: a Pentium MMX, a K6 or a 6x86 stops a program with an
# illegal-instruction fault at the first instruction the Pentium Pro brought. Disassembles every
# code section and names, per binary and function, each instruction that is
#   - a conditional move or an x87 compare into EFLAGS: CMOVcc, FCMOVcc, FCOMI(P), FUCOMI(P);
#   - MMX or SSE: an MMX/XMM/YMM/ZMM register operand, or EMMS, (V)LDMXCSR, (V)STMXCSR, FXSAVE,
#     FXRSTOR,
# outside the routines that are picked at run time by CPUID, listed by name in cpuid-routines.txt
# beside this script. Code without a symbol of its own is named by its section and address.
# Exit status 0 when there is no such instruction.
#
#   audit-instructions.sh BINARY...
#   audit-instructions.sh --expect "LINE" BINARY...   succeeds only if the audit fails and prints LINE
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

# audit_binary NAME DUMP: one "binary: function: instruction" line per function and instruction
# found, from the binary's disassembly.
audit_binary() {
    local name="$1" dump="$2"
    awk -v allowed="$here/cpuid-routines.txt" -v binary="$name" '
        BEGIN {
            # One name a line; "*" stands for any characters.
            picked = "^$"
            while ((getline line < allowed) > 0) {
                sub(/#.*/, "", line)
                gsub(/^[ \t]+|[ \t]+$/, "", line)
                gsub(/[.$+?()|]/, "\\\\&", line)
                gsub(/\*/, ".*", line)
                if (line != "") picked = picked "|^" line "$"
            }
        }
        # A symbol: "00401000 <name>:"; unnamed code is labelled with its section.
        /^[0-9a-f]+ <.*>:$/ {
            label = substr($0, index($0, "<") + 1)
            sub(/>:$/, "", label)
            # Labels inside an assembler routine (routine.label, ..@macro) stay in the routine.
            if (label ~ /^\.\.@/ || (function_name != "" && index(label, function_name ".") == 1)) next
            function_name = label
            if (function_name ~ /^\.[a-z.]*$/) function_name = function_name "@" $1
            next
        }
        /^ *[0-9a-f]+:\t/ {
            # The linker puts the exception tables and the constructor and destructor lists, which
            # are data, into the code section.
            if (function_name ~ picked || function_name == ".gcc_except_table" || function_name ~ /^\.[cd]tors@/) next
            instruction = $0
            sub(/^ *[0-9a-f]+:\t/, "", instruction)
            n = split(instruction, word, " ")
            mnemonic = word[1]
            if (mnemonic ~ /^(rep|repz|repnz|lock|data16|addr16|[c-gs]s|notrack)$/ && n > 1) mnemonic = word[2]
            if (mnemonic ~ /^(cmov[a-z]+|fcmov[a-z]+|fcomip?|fucomip?)$/ ||
                mnemonic ~ /^(emms|v?ldmxcsr|v?stmxcsr|fxsave|fxrstor)$/ ||
                instruction ~ /%([xyz]?mm)[0-9]+/)
                print binary ": " function_name ": " mnemonic
        }' <<<"$dump" | sort -u
}

# shellcheck source=SCRIPTDIR/../support/audit-main.sh
source "$(dirname "$0")/../support/audit-main.sh"
audit_main "instructions: %d binaries are Pentium code" "-d -C --no-show-raw-insn" "$@"
