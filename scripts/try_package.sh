#!/bin/bash
# Tries the Debian package as a new user would, on a clean Debian 12 made with
# debootstrap: installs the .deb with apt, starts the clock from its desktop
# entry as an ordinary user (working directory: his home), plays a few moves,
# saves the settings, restarts to see them loaded, and opens help. The window
# is shown on an Xvfb of the host and driven with xdotool; screenshots go to
# the output folder.
#
#   scripts/try_package.sh path/to/korvane.deb [chroot-folder] [output-folder]
set -euo pipefail
deb="$(realpath "${1:?usage: try_package.sh korvane.deb [chroot] [out]}")"
root="${2:-/tmp/korvane-clean}"
out="$(realpath -m "${3:-/tmp/korvane-try}")"
mkdir -p "$out"
for tool in debootstrap Xvfb xdotool xprop import; do command -v "$tool" >/dev/null || { echo "needs $tool"; exit 1; }; done

[[ -x "$root/bin/bash" ]] || debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >"$out/debootstrap.log"
mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"
mountpoint -q "$root/dev" || mount --bind /dev "$root/dev"
mkdir -p "$root/tmp/.X11-unix"
mountpoint -q "$root/tmp/.X11-unix" || mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
cp /etc/resolv.conf "$root/etc/"
cp "$deb" "$root/tmp/korvane.deb"
entry="/$(dpkg-deb -c "$deb" | grep -o 'usr/share/applications/[^ ]*\.desktop$')"
in_root() { chroot "$root" /bin/bash -c "$1"; }
# What a desktop brings along: a launcher for desktop entries, a session bus
# and a text editor for help.
in_root 'export DEBIAN_FRONTEND=noninteractive; apt-get update -qq && apt-get install -y -qq /tmp/korvane.deb &&
         apt-get install -y -qq --no-install-recommends libglib2.0-bin dbus-x11 mousepad' >"$out/install.log" 2>&1
in_root 'id taro >/dev/null 2>&1 || useradd -m taro; rm -f /home/taro/korvane.ini'

display=:79
Xvfb $display -screen 0 1024x600x24 >/dev/null 2>&1 &
xvfb=$!
# Everything started inside ends, and the bind mounts go again, so that
# removing the folder cannot reach /dev.
finish() {
    for p in /proc/[0-9]*; do
        [[ "$(readlink "$p/root" 2>/dev/null)" == "$(realpath "$root")" ]] && kill "${p#/proc/}" 2>/dev/null
    done
    kill $xvfb
    sleep 1
    umount "$root/tmp/.X11-unix" "$root/dev" "$root/proc"
}
trap finish EXIT
export DISPLAY=$display
sleep 1
in_root "su - taro -c 'export DISPLAY=$display; eval \$(dbus-launch --sh-syntax); echo \$DBUS_SESSION_BUS_ADDRESS >~/.bus'"
launch() {
    in_root "su - taro -c 'export DISPLAY=$display DBUS_SESSION_BUS_ADDRESS=\$(cat ~/.bus); gio launch $entry >/dev/null 2>&1 &'"
    sleep 3
}
# The window has no manager here, so its client area starts at the screen's
# corner, below a 22-pixel menu bar; points are given in twips.
click() { xdotool mousemove $(($1 / 15)) $((22 + $2 / 15)) click 1; sleep 0.5; }
save() { xdotool mousemove 20 8 click 1; sleep 0.5; xdotool mousemove 60 31 click 1; sleep 0.7; xdotool mousemove 378 180 click 1; sleep 0.5; }

launch
echo "working directory: $(readlink /proc/$(pgrep -x korvane)/cwd)"
# The window's icon is drawn by Qt's SVG icon engine, a plugin of its own.
window="$(timeout 10 xdotool search --sync --onlyvisible --class korvane | head -1)"
echo "window icon: $(xprop -id "$window" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' ')"
click 480 840; xdotool key ctrl+a BackSpace type 5   # LEFT: 5 minutes
click 9360 780                                       # "セット"
for _ in 1 2 3 4; do click 3960 4980; sleep 1; done  # start, three moves
import -window root "$out/game.png"
save
echo "saved: $(in_root 'head -2 /home/taro/korvane.ini | tail -1')"
click 10200 5340                                     # "終了"
for _ in $(seq 50); do pgrep -x korvane >/dev/null || break; sleep 0.1; done
pgrep -x korvane >/dev/null && { echo "FAIL: still running 5 s after 終了"; exit 1; }
launch
import -window root "$out/restarted.png"
click 10380 870                                      # help
sleep 2
import -window root "$out/help.png"
echo "help shows: $(pgrep -a mousepad | cut -d' ' -f3-)"
