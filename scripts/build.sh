#!/usr/bin/env bash
# Configures (once) and builds one tree: `build.sh win32` or `build.sh host`.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
tree="${1:-win32}"
jobs="$(nproc)"

case "$tree" in
win32)
    runtime="$("$root/scripts/pentium-runtime.sh")"
    "$root/scripts/reference-decoders.sh" >/dev/null
    # The processor and runtime flags are set when a tree is configured first: a tree configured
    # for another runtime (or before there was one) is configured anew (objects whose flags stay the
    # same are kept).
    cache="$root/build/win32/CMakeCache.txt"
    if [ -f "$cache" ] && ! grep -qxF "PENTIUM_RUNTIME:PATH=$runtime" "$cache"; then
        rm -f "$cache"
    fi
    [ -f "$cache" ] ||
        cmake -S "$root" -B "$root/build/win32" -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DPENTIUM_RUNTIME:PATH="$runtime" \
            -DPROGRAM_OUTPUT_DIR="$root/build/program" >/dev/null
    cmake --build "$root/build/win32" -j "$jobs"
    ;;
host)
    "$root/scripts/reference-decoders.sh" fuzz >/dev/null
    [ -f "$root/build/host/CMakeCache.txt" ] ||
        cmake -S "$root" -B "$root/build/host" -DCMAKE_BUILD_TYPE=Debug \
            -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
    cmake --build "$root/build/host" -j "$jobs"
    ;;
*)
    echo "usage: build.sh win32|host" >&2
    exit 2
    ;;
esac
