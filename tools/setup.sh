#!/usr/bin/env bash
# Shared by play.sh and test.sh: installs the Debian 12 packages the build needs
# (only the missing ones) and builds the project with CMake and Ninja.
set -euo pipefail

MOTH_PACKAGES=(cmake ninja-build g++ pkg-config binutils libsdl2-dev libglew-dev
  libfreetype-dev libfontconfig-dev libpng-dev libgl1-mesa-dri libgtest-dev
  fonts-dejavu-core xvfb xauth python3 python3-pil dpkg-dev desktop-file-utils appstream)

moth_missing_packages() {
    local missing=()
    for pkg in "${MOTH_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$pkg")
    done
    echo "${missing[@]:-}"
}

moth_install_packages() {
    local missing
    missing=$(moth_missing_packages)
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages: $missing" >&2
        echo "Install them as root with:" >&2
        echo "  apt-get update && apt-get install -y $missing" >&2
        exit 1
    fi
    echo "Installing: $missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update </dev/null
    # shellcheck disable=SC2086
    apt-get install -y --no-install-recommends $missing </dev/null
}

# moth_build BUILD_DIR [extra cmake arguments...]
moth_build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}
