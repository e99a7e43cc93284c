#!/usr/bin/env bash
# Builds the picture library's decoders for the 32-bit Windows target, once per machine, from
# Debian's source packages of the versions Debian ships: zlib, libpng1.6, libjpeg-turbo, giflib.
# Static libraries and headers land in build/decoders/i686 (lib/, include/), made with the
# win32-thread-model compilers the program ships with. Nothing of the libraries is kept in the
# repository: apt fetches the sources into build/decoders/src.
#
#   reference-decoders.sh          builds what is missing and prints the prefix
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
base="$root/build/decoders"
prefix="$base/i686"
sources="$base/src"
stamp="$prefix/.complete"
host=i686-w64-mingw32
cc="$host-gcc-win32"
jobs="$(nproc)"

if [ -f "$stamp" ]; then
    echo "$prefix"
    exit 0
fi
mkdir -p "$sources" "$prefix/lib" "$prefix/include"
log="$base/build.log"
: >"$log"
trap 'echo "building the decoders failed; see $log" >&2' ERR

# Unpacks Debian's source of a package into $sources and prints its folder. The version of the
# installed native development package comes first; when the archive no longer serves its source
# (a security update), the newest version it serves of the same upstream release.
fetch() {
    local package="$1" wanted="$2" version folder
    local -a versions
    mapfile -t versions < <(
        [ -n "$wanted" ] && echo "$wanted"
        apt-cache showsrc --only-source "$package" 2>/dev/null | sed -n 's/^Version: //p' | sort -rV | uniq
    )
    for version in "${versions[@]}"; do
        folder="$(ls -d "$sources/$package"-*/ 2>/dev/null | head -n 1 || true)"
        [ -n "$folder" ] && { echo "${folder%/}"; return 0; }
        if (cd "$sources" && apt-get source -qq --only-source "$package=$version") >>"$log" 2>&1; then
            folder="$(ls -d "$sources/$package"-*/ 2>/dev/null | head -n 1 || true)"
            [ -n "$folder" ] && { echo "$package $version" >>"$base/versions.txt"; echo "${folder%/}"; return 0; }
        fi
    done
    echo "cannot fetch the Debian source of $package (is a deb-src entry there? see scripts/install-deps.sh)" >&2
    return 1
}

# The source version of an installed package, e.g. 1:2.1.5-2, or "" when it is not installed.
installed_source_version() {
    dpkg-query -W -f='${source:Version}' "$1" 2>/dev/null || true
}

echo "Building the picture library's decoders for $host into $prefix (once per machine)" >&2
rm -f "$base/versions.txt"

# zlib: the inflate and deflate core only (no gz file functions).
zlib="$(fetch zlib "$(installed_source_version zlib1g-dev)")"
(
    cd "$zlib"
    objects=()
    for f in adler32 compress crc32 deflate infback inffast inflate inftrees trees uncompr zutil; do
        "$cc" -O2 -DNDEBUG -c "$f.c" -o "$f.o"
        objects+=("$f.o")
    done
    "$host-ar" rcs "$prefix/lib/libz.a" "${objects[@]}"
    cp zlib.h zconf.h "$prefix/include/"
) >>"$log" 2>&1

# libpng with that zlib.
png="$(fetch libpng1.6 "$(installed_source_version libpng-dev)")"
cmake -S "$png" -B "$png/build-i686" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include" -Dld-version-script=OFF >>"$log" 2>&1
cmake --build "$png/build-i686" -j "$jobs" --target install >>"$log" 2>&1

# libjpeg-turbo with its SIMD code (nasm), which picks MMX, SSE2 or AVX2 at run time.
jpeg="$(fetch libjpeg-turbo "$(installed_source_version libjpeg62-turbo-dev)")"
cmake -S "$jpeg" -B "$jpeg/build-i686" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=ON -DWITH_JAVA=OFF \
    -DREQUIRE_SIMD=ON -DCMAKE_ASM_NASM_COMPILER=nasm >>"$log" 2>&1
cmake --build "$jpeg/build-i686" -j "$jobs" --target install >>"$log" 2>&1

# giflib: the decoding and encoding library files, as its own Makefile lists them.
gif="$(fetch giflib "$(installed_source_version libgif-dev)")"
(
    cd "$gif"
    objects=()
    for f in dgif_lib egif_lib gifalloc gif_err gif_hash openbsd-reallocarray; do
        "$cc" -O2 -DNDEBUG -c "$f.c" -o "$f.o"
        objects+=("$f.o")
    done
    "$host-ar" rcs "$prefix/lib/libgif.a" "${objects[@]}"
    cp gif_lib.h "$prefix/include/"
) >>"$log" 2>&1

cp "$base/versions.txt" "$prefix/versions.txt"
touch "$stamp"
echo "$prefix"
