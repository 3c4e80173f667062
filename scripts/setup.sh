#!/usr/bin/env bash
# Installs the Debian 12 packages Namlex needs to build and test, but only
# those that are missing, then configures and builds one build folder.
# Usage: scripts/setup.sh BUILD_DIR [extra cmake options...]
set -euo pipefail

packages=(cmake g++ make qt6-base-dev libgl-dev libvulkan-dev fonts-dejavu-core fonts-liberation2
          xvfb xauth openbox xdotool desktop-file-utils appstream dpkg-dev
          clang-14 libclang-rt-14-dev) # the last two: clang and libFuzzer for scripts/fuzz.sh

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
cmake --build "$build" -j2
