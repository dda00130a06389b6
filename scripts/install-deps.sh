#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and
# this machine lacks. Safe to run again: it only acts on what is missing.
set -euo pipefail

packages=(
    cmake make g++ clang libclang-rt-14-dev python3
    googletest libgtest-dev libbenchmark-dev
    g++-mingw-w64-i686 binutils-mingw-w64-i686
    wine wine32:i386 wine64 fonts-wine
    xvfb x11-utils imagemagick
)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

updated=
apt_update() { [ -n "$updated" ] || { as_root apt-get update -qq; updated=1; }; }
apt_install() {
    apt_update
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
    updated=
    apt_update
fi

missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    apt_install "${missing[@]}"
fi

# Wine's 32-bit side is a 32-bit Linux program. Some kernels are built
# without 32-bit support; there the programs run through qemu's user-mode
# emulator, registered for 32-bit x86 binaries. qemu 7.2 makes every Wine
# start take a minute (its address-space search), the backported one a second.
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    if ! { command -v qemu-i386 >/dev/null && qemu-i386 --version | grep -qE 'version (9|[1-9][0-9])\.'; }; then
        list=/etc/apt/sources.list.d/bookworm-backports.list
        if [ ! -f "$list" ] && ! grep -rqs bookworm-backports /etc/apt/sources.list /etc/apt/sources.list.d; then
            echo 'deb http://deb.debian.org/debian bookworm-backports main' | as_root tee "$list" >/dev/null
        fi
        updated=
        echo "installing: qemu-user-static (bookworm-backports)"
        apt_update
        DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq -t bookworm-backports qemu-user-static >/dev/null
    fi
    binfmt=/proc/sys/fs/binfmt_misc
    [ -e "$binfmt/register" ] || as_root mount -t binfmt_misc binfmt_misc "$binfmt"
    [ -e "$binfmt/qemu-i386" ] && echo -1 | as_root tee "$binfmt/qemu-i386" >/dev/null
    interpreter=$(readlink -f "$(command -v qemu-i386)")
    printf '%s' ":qemu-i386:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:$interpreter:F" \
        | as_root tee "$binfmt/register" >/dev/null
    /lib/ld-linux.so.2 --version >/dev/null 2>&1 || { echo "32-bit programs still do not run" >&2; exit 1; }
fi
