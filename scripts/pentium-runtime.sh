#!/usr/bin/env bash
# Builds the runtime that every binary of the Win32 tree links statically - the MinGW-w64 C runtime,
# libgcc and libstdc++ - for the Pentium (i586, no CMOV), from Debian's source packages of the
# installed cross compilers. Debian ships them built for the Pentium Pro, whose conditional moves
# stop a Pentium MMX, a K6 or a 6x86 with an illegal-instruction fault.
# Built once per machine into a cache outside the checkout, keyed by the source versions and the
# flags: ${XDG_CACHE_HOME:-~/.cache}/vistrel-selector/pentium-runtime/<key>/lib holds the start-up
# objects and the libraries, for linking with -B<that>/ -L<that>. The first build takes 20 to 40
# minutes on 2 CPUs (most of it GCC's compiler, which libgcc and libstdc++ need to be built with).
# Prints the prefix.
set -euo pipefail

crt_package=mingw-w64
gcc_tarball=/usr/src/gcc-12/gcc-12.2.0-dfsg.tar.xz
host=i686-w64-mingw32
target_flags="-march=i586 -mtune=generic"
# GCC configured as Debian's cross compiler is (threads, exceptions, string and time options), but
# with the Pentium as its default processor.
# shellcheck disable=SC2054 # the commas are in the options
gcc_options=(
    --target="$host" --with-arch=i586 --with-tune=generic --enable-languages=c,c++
    --enable-threads=win32 --disable-sjlj-exceptions --with-dwarf2 --disable-shared --enable-static
    --disable-multilib --disable-nls --disable-lto --disable-bootstrap --enable-fully-dynamic-string
    --enable-libstdcxx-time=yes --disable-libgomp --disable-libssp --disable-libquadmath
    --disable-libatomic --disable-libvtv
)
recipe=2 # raise when the build below changes in a way the versions and flags do not show
jobs="$(nproc)"

crt_version="$(dpkg-query -W -f='${source:Version}' mingw-w64-i686-dev 2>/dev/null || true)"
gcc_version="$(dpkg-query -W -f='${Version}' gcc-12-source 2>/dev/null || true)"
if [ -z "$crt_version" ] || [ -z "$gcc_version" ] || [ ! -f "$gcc_tarball" ]; then
    echo "mingw-w64-i686-dev and gcc-12-source must be installed (scripts/install-deps.sh)" >&2
    exit 1
fi
flags_hash="$(printf '%s\n' "$recipe" "$target_flags" "${gcc_options[@]}" | sha256sum | cut -c1-12)"
key="crt-${crt_version}_gcc-${gcc_version}_${flags_hash}"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/vistrel-selector/pentium-runtime"
prefix="$cache/$key"

if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi
mkdir -p "$cache"
# Another checkout on this machine may be building the same runtime: wait for it.
exec 9>"$cache/.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

work="$cache/work-$key"
log="$cache/build-$key.log"
rm -rf "$work" "$prefix"
mkdir -p "$work/lib"
: >"$log"
trap 'echo "building the Pentium runtime failed (line $LINENO); see $log" >&2' ERR
started="$(date +%s)"
echo "Building the MinGW runtime for the Pentium into $prefix (once per machine, 20 to 40 minutes)" >&2

# The C runtime: start-up objects, libmingw32, libmingwex, libmsvcrt and the import libraries.
(cd "$work" && apt-get source -qq --only-source "$crt_package=$crt_version") >>"$log" 2>&1
crt_source="$(find "$work" -maxdepth 1 -type d -name "$crt_package-*" | head -n 1)"
mkdir -p "$work/crt-build"
(
    cd "$work/crt-build"
    "$crt_source/mingw-w64-crt/configure" --host="$host" --prefix="$work/crt-install" --enable-lib32 \
        --disable-lib64 CC="$host-gcc-win32" CFLAGS="-O2 $target_flags"
    make -j "$jobs"
    make install
) >>"$log" 2>&1
echo "  C runtime built after $(($(date +%s) - started)) s" >&2

# GCC's libgcc and libstdc++, built by a compiler made from the same source as the installed one.
# Its system headers are MinGW-w64's (copied: Debian's are relative links), its libraries the new
# C runtime.
sysroot="$work/sysroot"
mkdir -p "$sysroot/mingw"
cp -rL "/usr/$host/include" "$sysroot/mingw/include"
cp -r "$work/crt-install/lib" "$sysroot/mingw/lib"
tar -xJf "$gcc_tarball" -C "$work"
gcc_source="$(find "$work" -maxdepth 1 -type d -name 'gcc-*' | head -n 1)"
mkdir -p "$work/gcc-build"
(
    cd "$work/gcc-build"
    # No debug information in the libraries: a PE file maps it with the code.
    "$gcc_source/configure" --prefix="$work/gcc-install" --with-sysroot="$sysroot" "${gcc_options[@]}" \
        CFLAGS=-O2 CXXFLAGS=-O2 CFLAGS_FOR_TARGET=-O2 CXXFLAGS_FOR_TARGET=-O2
    make -j "$jobs" all-gcc
) >>"$log" 2>&1
echo "  compiler built after $(($(date +%s) - started)) s" >&2
(
    cd "$work/gcc-build"
    make -j "$jobs" all-target-libgcc
    make -j "$jobs" all-target-libstdc++-v3
) >>"$log" 2>&1

# Everything a static link takes, in one folder.
cp "$work/crt-install/lib/"* "$work/lib/"
built="$work/gcc-build/$host"
cp "$built/libgcc/libgcc.a" "$built/libgcc/crtbegin.o" "$built/libgcc/crtend.o" \
    "$built/libstdc++-v3/src/.libs/libstdc++.a" "$built/libstdc++-v3/libsupc++/.libs/libsupc++.a" "$work/lib/"
# A static-only libgcc holds the unwinder itself; an empty libgcc_eh.a keeps the driver's -lgcc_eh
# from reaching the installed one.
"$host-ar" rcs "$work/lib/libgcc_eh.a"
printf '%s %s\n' "$crt_package" "$crt_version" gcc-12-source "$gcc_version" flags "$target_flags" >"$work/lib/versions.txt"
mkdir -p "$prefix"
mv "$work/lib" "$prefix/lib"
rm -rf "$work"
echo "  done in $(($(date +%s) - started)) s" | tee -a "$log" >&2
touch "$prefix/.complete"
echo "$prefix"
