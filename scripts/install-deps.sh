#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and `make run` need. Safe to re-run:
# it does nothing when everything is already there.
set -euo pipefail

packages=(
    cmake make g++ clang
    g++-mingw-w64-i686-win32 gcc-mingw-w64-i686-win32 binutils-mingw-w64-i686 mingw-w64-i686-dev
    wine wine32:i386 fonts-wine
    xvfb xauth x11-utils imagemagick
    xserver-xorg-core xserver-xorg-video-dummy libxinerama1:i386 libxrandr2:i386
    googletest libbenchmark-dev libstb-dev libturbojpeg0-dev clang-format libclang-rt-14-dev
    nasm dpkg-dev libjpeg62-turbo-dev libpng-dev zlib1g-dev libgif-dev
    halibut libchm-bin zip unzip gcc-12-source libgmp-dev libmpfr-dev libmpc-dev
)

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

# apt may be held briefly by another install on the machine: try again for a while.
apt_get() {
    local try
    for try in $(seq 1 20); do
        DEBIAN_FRONTEND=noninteractive $sudo apt-get "$@" && return 0
        [ "$try" -lt 20 ] && sleep 3
    done
    return 1
}

# The picture library's decoders are built from Debian's source packages (scripts/reference-decoders.sh):
# apt's source download needs a deb-src entry for the same archive as the binary packages.
if ! grep -rqs '^Types:.*deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            $sudo tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
    elif grep -qs '^deb ' /etc/apt/sources.list; then
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | $sudo tee /etc/apt/sources.list.d/debian-src.list >/dev/null
    fi
    apt_get update -qq
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
apt_get update -qq
apt_get install -y -qq --no-install-recommends "${missing[@]}"
