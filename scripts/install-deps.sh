#!/usr/bin/env bash
# Installs every Debian 12 package needed to build, run and test the program. Run as root.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libgtest-dev googletest
    firebird-dev libfbclient2 firebird3.0-server-core firebird3.0-utils firebird3.0-server
    clang libclang-rt-14-dev clang-format
    xvfb xauth x11-utils xdotool
    # The window's face where the Windows one is missing: the widest caption fits its box in it.
    fonts-freefont-ttf
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}"
fi
