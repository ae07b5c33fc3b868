#!/bin/bash
# The Debian packages the clock needs, in two sets, and their install:
#
#   scripts/deps.sh run    what building and running the clock needs (run.sh)
#   scripts/deps.sh test   that, and the tools of the tests, the package check,
#                          the fuzz run and the benchmarks (the default)
#
# apt never removes a package for them (--no-remove: where it would have to,
# it stops and says which instead), and installs nothing they only
# recommend. The network is skipped when all are installed already.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
want="${1:-test}"
[[ "$want" == run || "$want" == test ]] || { echo "usage: deps.sh [run|test]" >&2; exit 2; }

# Building: the compiler and build tools, dpkg-buildflags (dpkg-dev) for
# Debian's hardening flags, Qt's development files (Widgets; Svg draws the
# icon) and libpulse. Running: the Japanese Gothic font, Qt's Japanese
# translation and xdg-open, with which help opens the guide.
run=(
    g++ cmake ninja-build pkg-config dpkg-dev
    qt6-base-dev qt6-svg-dev libpulse-dev
    fonts-morisawa-bizud-gothic qt6-translations-l10n xdg-utils
)
# The window under Xvfb, driven and photographed, under each Japanese font the
# package accepts, on Wayland (a headless weston), on a session bus of its
# own (the idle inhibitor's stand-in, a screen reader's AT-SPI bus); the
# display-lag watcher's X11 headers; the audio test's recorder and analyser
# (its server below); access lists and attributes for the settings tests;
# clang and its sanitizer runtime for the fuzz run; the package check's tools.
test=(
    xvfb xauth x11-utils xdotool imagemagick
    fonts-ipafont-gothic fonts-noto-cjk weston qt6-wayland
    dbus-daemon dbus-bin at-spi2-core acl attr
    libx11-dev libxdamage-dev
    pulseaudio-utils sox
    clang libclang-rt-14-dev
    lintian desktop-file-utils appstream appstream-compose
)

updated=""
update_once() { [[ -n "$updated" ]] || apt-get update -qq; updated=1; }
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
# PipeWire serving the desktop's sound: pipewire-audio conflicts with
# pulseaudio, and pipewire-pulse holds the session's sound socket.
pipewire() { installed pipewire-audio || installed pipewire-pulse; }

# The audio test runs a private PulseAudio server of its own. Beside PipeWire
# that server is not installed: its libraries are, and the program itself is
# unpacked from Debian's package into build/pulseaudio/, where only the audio
# test looks for it.
pulse_folder="$root/build/pulseaudio"
if [[ "$want" == test ]]; then
    if ! pipewire; then
        test+=(pulseaudio)
    elif [[ ! -x "$pulse_folder/pulseaudio" ]]; then
        mapfile -t pulse_libraries < <(apt-cache depends --no-recommends --no-suggests --no-conflicts --no-breaks \
            --no-replaces --no-enhances pulseaudio | awk '/^  Depends:/ && $2 !~ /^</ { print $2 }')
        test+=("${pulse_libraries[@]}")
    fi
fi

packages=("${run[@]}")
[[ "$want" == test ]] && packages+=("${test[@]}")
mapfile -t missing < <(dpkg-query -W -f='${Package} ${db:Status-Abbrev}\n' "${packages[@]}" 2>/dev/null |
    awk 'NR == FNR { if ($2 == "ii") ok[$1] = 1; next } !($1 in ok)' - <(printf '%s\n' "${packages[@]}"))
if ((${#missing[@]})); then
    echo "installing: ${missing[*]}"
    update_once
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-remove --no-install-recommends \
        -o DPkg::Lock::Timeout=600 "${missing[@]}"
fi

if [[ "$want" == test ]] && pipewire && [[ ! -x "$pulse_folder/pulseaudio" ]]; then
    # The same version as the client library, which the server is built with.
    version="$(dpkg-query -W -f='${Version}' libpulse0)"
    work="$(mktemp -d)"
    mkdir -p "$pulse_folder"
    update_once || true
    if (cd "$work" && apt-get download -qq -o APT::Sandbox::User=root "pulseaudio=$version") &&
        dpkg-deb -x "$work"/pulseaudio_*.deb "$pulse_folder/root"; then
        modules="$(cd "$pulse_folder" && echo root/usr/lib/pulse-*/modules)"
        core="$(cd "$pulse_folder" && echo root/usr/lib/*/pulseaudio)"
        cat >"$pulse_folder/pulseaudio" <<EOF
#!/bin/sh
# Debian's pulseaudio $version, unpacked here by scripts/deps.sh for the audio test.
here="\$(cd "\$(dirname "\$0")" && pwd)"
LD_LIBRARY_PATH="\$here/$core:\$here/$modules" \\
    exec "\$here/root/usr/bin/pulseaudio" --dl-search-path="\$here/$modules" "\$@"
EOF
        chmod +x "$pulse_folder/pulseaudio"
    else
        echo "PipeWire serves the sound here and pulseaudio $version could not be unpacked beside it:" \
            "the audio test will be skipped"
    fi
    rm -rf "$work"
fi
