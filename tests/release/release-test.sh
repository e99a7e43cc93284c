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
for licence in "libjpeg-turbo" "libpng" "zlib" "giflib: openbsd-reallocarray.c" "MinGW-w64 runtime" \
    "GCC runtime libraries: GCC Runtime Library Exception" "GCC runtime libraries: GNU General Public License version 3" \
    "GCC RUNTIME LIBRARY EXCEPTION" "  *GNU GENERAL PUBLIC LICENSE" "  *Version 3, 29 June 2007"; do
    grep -q "^$licence" "$unpacked/notices.txt" || fail "notices.txt lacks $licence"
done
grep -q "libgcc and libstdc++" "$unpacked/notices.txt" || fail "the head of notices.txt does not name GCC's libraries"
# Notepad on every supported Windows: code page 1252 and CR LF.
LC_ALL=C grep -q $'Szathm\xe1ry' "$unpacked/notices.txt" || fail "notices.txt is not in code page 1252"
for text in readme.txt notices.txt tanu.cnt; do
    if LC_ALL=C grep -q -v $'\r$' "$unpacked/$text"; then fail "$text has lines without CR LF"; fi
done
# The first read: short, and what a user needs before and after the first start.
[ "$(wc -l <"$unpacked/readme.txt")" -le 150 ] || fail "readme.txt is longer than 150 lines"
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
