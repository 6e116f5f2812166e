#!/usr/bin/env bash
# Builds Moth Lantern and starts it.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
moth_install_packages
moth_build build -DMOTH_TESTS=OFF -DMOTH_BENCH=OFF

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "play.sh: no display found (DISPLAY is not set); Moth Lantern needs a desktop session to open its window." >&2
    exit 1
fi
exec ./build/moth_lantern
