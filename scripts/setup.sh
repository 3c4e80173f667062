#!/usr/bin/env bash
# Installs the Debian 12 packages Namlex needs, but only those that are
# missing, then configures and builds one build folder.
# Usage: scripts/setup.sh [--program] BUILD_DIR [extra cmake options...]
# With --program only what the window needs: the packages to build and run
# it, and the program alone, without tests and benchmark.
set -euo pipefail

# Building and running the window.
program_packages=(cmake g++ make qt6-base-dev libgl-dev libvulkan-dev qt6-qpa-plugins
                  qt6-translations-l10n fonts-dejavu-core fonts-liberation2)
# Only the tests: an X server and window manager to work the real program
# in, a clipboard reader, the accessibility bus and Python's binding to read
# it as a screen reader does, the desktop entry and AppStream validators, and
# the package tools; Debian's kernel, QEMU and a static busybox to boot it
# with, and the tools to make FAT and exFAT images, for the tests on the
# kernel's own drivers.
test_packages=(xvfb xauth openbox xdotool xclip dbus at-spi2-core python3-gi gir1.2-atspi-2.0
               desktop-file-utils appstream dpkg-dev lintian
               qemu-system-x86 linux-image-amd64 busybox-static cpio dosfstools exfatprogs kmod
               clang-14 libclang-rt-14-dev) # the last two: clang and libFuzzer for scripts/fuzz.sh

packages=("${program_packages[@]}")
targets=()
if [[ ${1:-} == --program ]]; then
    shift
    targets=(--target namlex)
else
    packages+=("${test_packages[@]}")
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
        || missing+=("$package")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$1
shift
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNAMLEX_WARNINGS_AS_ERRORS=ON "$@"
cmake --build "$build" -j2 "${targets[@]}"
