#!/usr/bin/env bash
# Installs every Debian package that building, testing and running the player need.
# Idempotent: packages already present are left alone, and the package lists are only
# refreshed when something is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
    qt6-base-dev libopenmpt-dev libsdl2-dev libasound2-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang-format sox xvfb xdotool
    dpkg-dev desktop-file-utils appstream file imagemagick python3
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo_cmd[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q "${missing[@]}"
fi
