#!/bin/bash
# Installs the Debian packages the clock builds, runs and is tested with,
# skipping the network when they are all present already.
set -euo pipefail
packages=(
    cmake g++ ninja-build
    qt6-base-dev qt6-multimedia-dev qt6-translations-l10n
    fonts-ipafont-gothic
    xvfb xauth x11-utils xdotool imagemagick
    libx11-dev libxdamage-dev
    pulseaudio pulseaudio-utils sox
    clang libclang-rt-14-dev
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi
