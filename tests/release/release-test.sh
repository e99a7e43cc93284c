#!/usr/bin/env bash
# The release: `make dist` twice gives the same zip, even with its binaries linked and its help
# written anew; the binaries hold no path of the build; the notices carry the IJG sentence and
# every licence; the text files suit Notepad; the readme is a short first read; and the zip
# unpacked into a fresh Wine prefix runs (tests/release/ReleaseTest.cpp).
#   release-test.sh WIN32_TREE RELEASE_TESTS_EXE ZIP
set -euo pipefail
tree="$(cd "$1" && pwd)" tests="$2" zip="$3"
root="$(cd "$(dirname "$0")/../.." && pwd)"
work="$tree/release-test"
program="$(sed -n 's/^PROGRAM_OUTPUT_DIR:PATH=//p' "$tree/CMakeCache.txt")"
rm -rf "$work"
mkdir -p "$work"
fail() {
    echo "FAILED: $*"
    exit 1
}

cmake --build "$tree" --target dist >"$work/dist-1.log" 2>&1 || fail "make dist; see $work/dist-1.log"
cp "$zip" "$work/first.zip"
rm -f "$program"/{QZSelect.exe,NViewLib.dll,QZRandom.exe,tanu.hlp,tanu.cnt,tanu.chm}
sleep 1 # a time stamp taken from the clock would differ
cmake --build "$tree" --target dist >"$work/dist-2.log" 2>&1 || fail "make dist again; see $work/dist-2.log"
cmp "$work/first.zip" "$zip" || fail "two runs of make dist gave different zips"
(cd "$(dirname "$zip")" && sha256sum --quiet -c "$(basename "$zip").sha256") || fail "the SHA-256 does not match"
echo "make dist twice: the same $(stat -c %s "$zip") bytes"

unpacked="$work/unpacked"
unzip -q "$zip" -d "$unpacked"
expected="QZSelect.exe NViewLib.dll QZRandom.exe tanu.hlp tanu.cnt tanu.chm readme.txt notices.txt"
[ "$(unzip -Z1 "$zip" | tr '\n' ' ')" = "$expected " ] || fail "the zip holds $(unzip -Z1 "$zip" | tr '\n' ' ')"
for binary in QZSelect.exe NViewLib.dll QZRandom.exe; do
    if strings -a "$unpacked/$binary" | grep -F -e "$root" -e "$HOME/"; then fail "$binary names a build path"; fi
done
grep -q 'This software is based in part on the work of the Independent JPEG Group' "$unpacked/notices.txt" ||
    fail "notices.txt lacks the IJG sentence"
# Each licence's heading, and a line of its body after it.
while IFS='|' read -r heading body; do
    awk -v h="$heading" -v b="$body" 'index($0, h) == 1 { on = 1 } on && $0 ~ b { found = 1; exit }
        END { exit !found }' "$unpacked/notices.txt" || fail "notices.txt lacks $heading with its body ($body)"
done <<'LICENCES'
libjpeg-turbo|^libjpeg-turbo is covered by three compatible BSD-style
libjpeg-turbo: the Independent JPEG Group's licence|^The authors make NO WARRANTY or representation
libpng|^PNG Reference Library License version 2
zlib|^  This software is provided 'as-is', without any express or implied
giflib|^The GIFLIB distribution is Copyright
giflib: openbsd-reallocarray.c|^ [*] Permission to use, copy, modify, and distribute this software
stb_image|^ALTERNATIVE B - Public Domain
MinGW-w64 runtime|^This program or library was built using MinGW-w64 and statically
GCC runtime libraries: GCC Runtime Library Exception|^This GCC Runtime Library Exception
GCC runtime libraries: GNU General Public License version 3|^ +TERMS AND CONDITIONS
LICENCES
# Plain text: no markup of a licence's source (HTML tags, Markdown's bold and links).
if LC_ALL=C grep -nE '</?(a|b|br|code|div|em|h[1-6]|hr|i|img|li|ol|p|pre|span|strong|sub|sup|tt|u|ul)( [^<>]*)?/?>|\*\*[^*]+\*\*|\]\(' \
    "$unpacked/notices.txt"; then fail "notices.txt holds markup"; fi
grep -q "libgcc and libstdc++" "$unpacked/notices.txt" || fail "the head of notices.txt does not name GCC's libraries"
# Notepad on every supported Windows: code page 1252 and CR LF.
LC_ALL=C grep -q $'Szathm\xe1ry' "$unpacked/notices.txt" || fail "notices.txt is not in code page 1252"
for text in readme.txt notices.txt tanu.cnt; do
    if LC_ALL=C grep -q -v $'\r$' "$unpacked/$text"; then fail "$text has lines without CR LF"; fi
done
# The first read: short, and what a user needs before and after the first start.
[ "$(wc -l <"$unpacked/readme.txt")" -le 150 ] || fail "readme.txt is longer than 150 lines"
# Notepad wraps no line: none is wider than the window of an old screen.
if LC_ALL=C awk '{ sub(/\r$/, "") } length > 78 { printf "line %d: %d characters\n", NR, length; bad = 1 }
    END { exit !bad }' "$unpacked/readme.txt"; then fail "readme.txt has lines longer than 78 characters"; fi
for words in "Windows 98 SE" "Windows 11" "Pentium" "[0-9] MB of disk space" 'C:\\Vistrel' "Program Files" \
    "VirtualStore" "Unblock" "unzip program" "logo.bck" "randomizer" "Uninstall, Uninstall" "registry" "F1"; do
    grep -q "$words" "$unpacked/readme.txt" || fail "readme.txt does not say $words"
done

# A fresh prefix, as on a machine that never saw the program.
export WINEPREFIX="$work/prefix"
export WINEARCH=win32
wineboot -i >/dev/null 2>&1 || true
wineserver -w
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
wineserver -p
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
cp -r "$unpacked" "$WINEPREFIX/drive_c/Vistrel"
cp "$tests" "$WINEPREFIX/drive_c/release_tests.exe"
VISTREL_RELEASE_DIR='C:\Vistrel\' wine 'C:\release_tests.exe' </dev/null
