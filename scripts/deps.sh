#!/bin/bash
# Installs the Debian packages the clock builds, runs and is tested with,
# skipping the network when they are all present already.
set -euo pipefail
packages=(
    cmake g++ ninja-build dpkg-dev
    qt6-base-dev qt6-svg-dev qt6-translations-l10n libpulse-dev pkg-config
    fonts-morisawa-bizud-gothic fonts-ipafont-gothic fonts-noto-cjk
    xvfb xauth x11-utils xdotool imagemagick
    dbus-daemon dbus-bin at-spi2-core
    weston qt6-wayland
    libx11-dev libxdamage-dev
    pulseaudio pulseaudio-utils sox
    clang libclang-rt-14-dev
    acl attr
)
# The package check's tools, without what they only recommend (ffmpeg, for
# the compose step's video checks).
checkers=(lintian desktop-file-utils appstream appstream-compose)
absent() {
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
    done
}
mapfile -t missing < <(absent "${packages[@]}")
mapfile -t missing_checkers < <(absent "${checkers[@]}")
if ((${#missing[@]} + ${#missing_checkers[@]})); then
    echo "installing: ${missing[*]} ${missing_checkers[*]}"
    apt-get update -qq
    export DEBIAN_FRONTEND=noninteractive
    if ((${#missing[@]})); then apt-get install -y -qq -o DPkg::Lock::Timeout=600 "${missing[@]}"; fi
    if ((${#missing_checkers[@]})); then
        apt-get install -y -qq -o DPkg::Lock::Timeout=600 --no-install-recommends "${missing_checkers[@]}"
    fi
fi
