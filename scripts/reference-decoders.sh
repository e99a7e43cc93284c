#!/usr/bin/env bash
# Builds the picture library's decoders, once per machine, from Debian's source packages of the
# versions Debian ships: zlib, libpng1.6, libjpeg-turbo, giflib. Static libraries and headers land
# in build/decoders/<target> (lib/, include/). Nothing of the libraries is kept in the repository:
# apt fetches the sources into build/decoders/src.
#
#   reference-decoders.sh [i686]    for the 32-bit Windows target, with the win32-thread-model
#                                   compilers the program ships with
#   reference-decoders.sh fuzz      natively with clang, instrumented for libFuzzer and the
#                                   sanitizers, so that fuzzing reaches into the libraries
# Builds what is missing and prints the prefix.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
target="${1:-i686}"
base="$root/build/decoders"
prefix="$base/$target"
sources="$base/src"
stamp="$prefix/.complete"
jobs="$(nproc)"
case "$target" in
i686)
    host=i686-w64-mingw32
    cc="$host-gcc-win32"
    ar="$host-ar"
    cflags="-O2 -DNDEBUG -march=i586 -mtune=generic" # Pentium code, as the toolchain file sets it
    cmake_target=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake")
    build_key="$cflags $(sha256sum "$root/cmake/mingw-i686.cmake" | cut -c1-16)"
    simd=(-DREQUIRE_SIMD=ON -DCMAKE_ASM_NASM_COMPILER=nasm)
    ;;
fuzz)
    host="this machine (instrumented for fuzzing)"
    cc=clang
    ar="ar"
    cflags="-g -O1 -fno-omit-frame-pointer -fsanitize=address,undefined,fuzzer-no-link"
    cmake_target=(-DCMAKE_C_COMPILER=clang -DCMAKE_C_FLAGS="$cflags" -DCMAKE_POSITION_INDEPENDENT_CODE=ON)
    build_key="$cflags"
    simd=(-DWITH_SIMD=OFF) # the C code paths, which the sanitizers see
    ;;
*)
    echo "usage: reference-decoders.sh [i686|fuzz]" >&2
    exit 2
    ;;
esac

# The stamp holds what the libraries were built with beyond their sources; other flags rebuild them.
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$build_key" ]; then
    echo "$prefix"
    exit 0
fi
rm -rf "$prefix" "$base/$target-work"
mkdir -p "$sources" "$prefix/lib" "$prefix/include"
log="$base/build-$target.log"
: >"$log"
trap 'echo "building the decoders failed; see $log" >&2' ERR

# Unpacks Debian's source of a package into $sources and prints its folder. The version of the
# installed native development package comes first; when the archive no longer serves its source
# (a security update), the newest version it serves of the same upstream release.
# The unpacked source folder of a package, or "".
unpacked() {
    local folder
    for folder in "$sources/$1"-*/; do
        [ -d "$folder" ] && { echo "${folder%/}"; return 0; }
    done
    return 0
}

fetch() {
    local package="$1" wanted="$2" version folder
    local -a versions
    folder="$(unpacked "$package")"
    if [ -z "$folder" ]; then
        mapfile -t versions < <(
            [ -n "$wanted" ] && echo "$wanted"
            apt-cache showsrc --only-source "$package" 2>/dev/null | sed -n 's/^Version: //p' | sort -rV | uniq
        )
        for version in "${versions[@]}"; do
            if (cd "$sources" && apt-get source -qq --only-source "$package=$version") >>"$log" 2>&1; then
                folder="$(unpacked "$package")"
                [ -n "$folder" ] && break
            fi
        done
    fi
    if [ -z "$folder" ]; then
        echo "cannot fetch the Debian source of $package (is a deb-src entry there? see scripts/install-deps.sh)" >&2
        return 1
    fi
    echo "$package $(dpkg-parsechangelog -l "$folder/debian/changelog" -S Version)" >>"$prefix/versions.txt"
    echo "$folder"
}

# The source version of an installed package, e.g. 1:2.1.5-2, or "" when it is not installed.
installed_source_version() {
    dpkg-query -W -f='${source:Version}' "$1" 2>/dev/null || true
}

echo "Building the picture library's decoders for $host into $prefix (once per machine)" >&2
rm -f "$prefix/versions.txt"
mkdir -p "$base/$target-work"

# zlib: the inflate and deflate core only (no gz file functions).
zlib="$(fetch zlib "$(installed_source_version zlib1g-dev)")"
(
    objects=()
    for f in adler32 compress crc32 deflate infback inffast inflate inftrees trees uncompr zutil; do
        # shellcheck disable=SC2086 # the flags are words
        "$cc" $cflags -c "$zlib/$f.c" -o "$base/$target-work/zlib-$f.o"
        objects+=("$base/$target-work/zlib-$f.o")
    done
    "$ar" rcs "$prefix/lib/libz.a" "${objects[@]}"
    cp "$zlib/zlib.h" "$zlib/zconf.h" "$prefix/include/"
) >>"$log" 2>&1

# libpng with that zlib.
png="$(fetch libpng1.6 "$(installed_source_version libpng-dev)")"
cmake -S "$png" -B "$base/$target-work/libpng" -DCMAKE_BUILD_TYPE=Release "${cmake_target[@]}" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include" -Dld-version-script=OFF >>"$log" 2>&1
cmake --build "$base/$target-work/libpng" -j "$jobs" --target install >>"$log" 2>&1

# libjpeg-turbo with its SIMD code (nasm), which picks MMX, SSE2 or AVX2 at run time.
jpeg="$(fetch libjpeg-turbo "$(installed_source_version libjpeg62-turbo-dev)")"
cmake -S "$jpeg" -B "$base/$target-work/libjpeg-turbo" -DCMAKE_BUILD_TYPE=Release "${cmake_target[@]}" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_LIBDIR="$prefix/lib" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_TURBOJPEG=ON -DWITH_JAVA=OFF "${simd[@]}" >>"$log" 2>&1
cmake --build "$base/$target-work/libjpeg-turbo" -j "$jobs" --target install >>"$log" 2>&1

# giflib: the decoding and encoding library files, as its own Makefile lists them.
gif="$(fetch giflib "$(installed_source_version libgif-dev)")"
(
    objects=()
    for f in dgif_lib egif_lib gifalloc gif_err gif_hash openbsd-reallocarray; do
        # shellcheck disable=SC2086 # the flags are words
        "$cc" $cflags -c "$gif/$f.c" -o "$base/$target-work/gif-$f.o"
        objects+=("$base/$target-work/gif-$f.o")
    done
    "$ar" rcs "$prefix/lib/libgif.a" "${objects[@]}"
    cp "$gif/gif_lib.h" "$prefix/include/"
) >>"$log" 2>&1

echo "$build_key" >"$stamp"
echo "$prefix"
