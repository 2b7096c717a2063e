#!/usr/bin/env bash
# Installs what building and testing qUENTAro needs on Debian (as root), and lets this machine run Wine's
# 32-bit side. Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(cmake ninja-build clang libgtest-dev libbenchmark-dev python3 xxd file
          g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
          wine wine32:i386 wine64 xvfb xdotool xclip x11-utils imagemagick matchbox-window-manager locales
          qemu-user-static)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}"
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine's code page 932 comes from the Japanese locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi

# Some kernels run 64-bit user code only. There Wine's 32-bit loader runs through qemu's user-mode
# emulation, registered for i386 ELF files.
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    binfmt=/proc/sys/fs/binfmt_misc
    [ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
    if [ ! -e "$binfmt/qemu-i386" ]; then
        echo ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:FC' \
            > "$binfmt/register"
    fi
    /lib/ld-linux.so.2 --version >/dev/null 2>&1 || { echo "setup: this machine cannot run 32-bit programs" >&2; exit 1; }
fi
