#!/usr/bin/env bash
# Packs the release: pack-release.sh NAME PROGRAM_DIR README DECODERS_PREFIX OUT_DIR
# (the dist target of the win32 tree runs it with STRIP and SOURCE_DATE_EPOCH set). Writes
# OUT_DIR/NAME.zip and OUT_DIR/NAME.zip.sha256. The same inputs give the same bytes: the files
# go in in a fixed order with the release's date and fixed attributes, and nothing of this machine.
set -euo pipefail
name="$1" program="$2" readme="$3" decoders="$4" out="$5"
: "${STRIP:?}" "${SOURCE_DATE_EPOCH:?}"
sources="$(cd "$decoders/.." && pwd)/src"
stage="$out/$name"
rm -rf "$stage" "$out/$name.zip" "$out/$name.zip.sha256"
mkdir -p "$stage"

for binary in QZSelect.exe NViewLib.dll QZRandom.exe; do
    "$STRIP" --strip-all -o "$stage/$binary" "$program/$binary"
done
cp "$program/tanu.hlp" "$program/tanu.cnt" "$program/tanu.chm" "$stage/"

# Text for Windows' own editors: Notepad up to Windows XP reads the ANSI code page only, so the
# text goes out in code page 1252 (a character it lacks stops the release), every line ended by
# CR LF.
windows_text() { iconv -f UTF-8 -t CP1252 | sed -e 's/\r$//' -e 's/$/\r/'; }

# The unpacked Debian source of a package, as scripts/reference-decoders.sh left it.
source_of() {
    local folder
    for folder in "$sources/$1"-*/; do
        [ -d "$folder" ] && { echo "${folder%/}"; return 0; }
    done
    echo "no source of $1 in $sources: run scripts/reference-decoders.sh" >&2
    return 1
}

# The MinGW-w64 runtime's notices, from Debian's source of the installed runtime: only that file
# is unpacked, once per machine.
runtime_notices() {
    local version folder tarball file=COPYING.MinGW-w64-runtime/COPYING.MinGW-w64-runtime.txt
    version="$(dpkg-query -W -f='${source:Version}' mingw-w64-i686-dev)"
    folder="$sources/mingw-w64-${version%-*}"
    if [ ! -f "$folder/$file" ]; then
        mkdir -p "$folder"
        (cd "$folder" && apt-get source -qq --download-only --only-source "mingw-w64=$version" >/dev/null 2>&1)
        for tarball in "$folder"/mingw-w64_*.orig.tar.*; do
            [[ "$tarball" == *.asc ]] || tar -xaf "$tarball" -C "$folder" --strip-components=1 --wildcards "*/$file"
        done
    fi
    cat "$folder/$file"
}

# GCC's licence and its runtime library exception, which cover libgcc and libstdc++, from the GCC
# source that scripts/pentium-runtime.sh builds them from: only those files are unpacked, once per
# machine.
gcc_notice() {
    local gcc_tarball top folder
    gcc_tarball="$(dpkg -L gcc-12-source | grep -- '/gcc-[0-9.]*-dfsg\.tar\.xz$')"
    top="$(basename "$gcc_tarball" -dfsg.tar.xz)"
    folder="$sources/$top"
    if [ ! -f "$folder/COPYING3" ] || [ ! -f "$folder/COPYING.RUNTIME" ]; then
        mkdir -p "$folder"
        tar -xJf "$gcc_tarball" -C "$folder" --strip-components=1 --occurrence=1 "$top/COPYING3" "$top/COPYING.RUNTIME"
    fi
    cat "$folder/$1"
}

section() {
    printf '\n\n%s\n%s\n\n' "$1" "$(printf '%*s' "${#1}" '' | tr ' ' '=')"
}

jpeg="$(source_of libjpeg-turbo)" png="$(source_of libpng1.6)" zlib="$(source_of zlib)" gif="$(source_of giflib)"
{
    echo "Vistrel Selector: notices of the software it contains"
    echo
    echo "This software is based in part on the work of the Independent JPEG Group."
    echo
    echo "NViewLib.dll, the picture library of Vistrel Selector and of its randomizer, contains"
    echo "libjpeg-turbo, libpng, zlib, giflib and the TGA reader of stb_image; all three programs"
    echo "contain the MinGW-w64 runtime and GCC's runtime libraries, libgcc and libstdc++, which the"
    echo "GNU General Public License version 3 covers with the GCC Runtime Library Exception. Their"
    echo "licences follow as their authors wrote them, taken from the sources the programs were"
    echo "built from:"
    echo
    sed 's/^/    /' "$decoders/versions.txt"
    echo "    gcc-12 $(dpkg-query -W -f='${Version}' gcc-12-source) (libgcc, libstdc++)"
    section "libjpeg-turbo"
    # Its licence file is Markdown with a line break in HTML: read as plain text, without the markup.
    sed -E -e 's/<br *\/?>//g' -e 's/\*\*([^*]+)\*\*/\1/g' -e 's/\[([^]]+)\]\(\1\)/\1/g' \
        -e 's/\[([^]]+)\]\(([^)]+)\)/\1 (\2)/g' "$jpeg/LICENSE.md"
    section "libjpeg-turbo: the Independent JPEG Group's licence (README.ijg)"
    # From its heading to the next heading (a line underlined with "=").
    awk 'on && /^=+$/ && prev != "LEGAL ISSUES" { stopped = 1; exit }
        on { print prev }
        /^LEGAL ISSUES$/ { on = 1 }
        { prev = $0 }
        END { if (on && !stopped) print prev }' "$jpeg/README.ijg"
    section "libpng"
    cat "$png/LICENSE"
    section "zlib"
    cat "$zlib/LICENSE"
    section "giflib"
    cat "$gif/COPYING"
    section "giflib: openbsd-reallocarray.c"
    awk '/^Files: openbsd-reallocarray.c$/ { on = 1 } on && /^$/ { exit } on' "$gif/debian/copyright"
    section "stb_image"
    awk '/^This software is available under 2 licenses/ { on = 1 } on && /^\*\/$/ { exit } on' \
        /usr/include/stb/stb_image.h
    section "MinGW-w64 runtime"
    runtime_notices
    section "GCC runtime libraries: GCC Runtime Library Exception"
    gcc_notice COPYING.RUNTIME
    section "GCC runtime libraries: GNU General Public License version 3"
    gcc_notice COPYING3
} | windows_text >"$stage/notices.txt"

# The readme, with the disk space the unpacked files take (rounded up to whole megabytes).
bytes="$(cat "$stage"/* "$readme" | wc -c)"
sed "s/%DISK_SPACE%/$(((bytes + 999999) / 1000000)) MB/" "$readme" | windows_text >"$stage/readme.txt"

files=(QZSelect.exe NViewLib.dll QZRandom.exe tanu.hlp tanu.cnt tanu.chm readme.txt notices.txt)
chmod 644 "${files[@]/#/$stage/}"
touch -d "@$SOURCE_DATE_EPOCH" "${files[@]/#/$stage/}"
(cd "$stage" && TZ=UTC zip -X -D -q -9 "../$name.zip" "${files[@]}")
(cd "$out" && sha256sum "$name.zip" >"$name.zip.sha256")
echo "$out/$name.zip: $(stat -c %s "$out/$name.zip") bytes"
