#!/bin/bash
# Times README's command that starts the clock, `bash scripts/run.sh`, from a
# bare Debian 12 (debootstrap's minbase, unpacked afresh) to the moment the
# clock's window is mapped: in a chroot, on an Xvfb of the host. Each line of
# the run's output is stamped as it comes, which parts the time into apt
# (scripts/deps.sh run), the build, and the start. The committed tree
# (git archive HEAD) is what runs.
#
#   bench/bare_to_window.sh [folder]      (default /tmp/korvane-bare)
#
# The folder keeps bare.tar (made once), the root as the run left it, the
# run's log, a screenshot of the window and the summary.
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-/tmp/korvane-bare}")"
root="$out/root"
display=:86
for tool in debootstrap Xvfb xdotool xprop xwininfo import; do command -v "$tool" >/dev/null || { echo "needs $tool"; exit 1; }; done
mkdir -p "$out"
if [[ ! -f "$out/bare.tar" ]]; then
    rm -rf "$out/bare"
    debootstrap --variant=minbase bookworm "$out/bare" http://deb.debian.org/debian >"$out/debootstrap.log"
    tar -C "$out/bare" -cf "$out/bare.tar" . && rm -rf "$out/bare"
fi
rm -rf "$root" && mkdir -p "$root/src"
tar -C "$root" -xf "$out/bare.tar"
cp /etc/resolv.conf "$root/etc/"
git -C "$src" archive HEAD | tar -x -C "$root/src"

mkdir -p "$root/tmp/.X11-unix" /tmp/.X11-unix
Xvfb $display -screen 0 1024x600x24 >/dev/null 2>&1 &
xvfb=$!
# Everything started inside ends, and the mounts go, so that removing the
# folder cannot reach /dev.
finish() {
    for p in /proc/[0-9]*; do
        [[ "$(readlink "$p/root" 2>/dev/null)" == "$root" ]] && kill "${p#/proc/}" 2>/dev/null
    done
    kill $xvfb 2>/dev/null
    sleep 1
    umount "$root/tmp/.X11-unix" "$root/dev" "$root/proc" 2>/dev/null || true
}
trap finish EXIT
mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
sleep 1
count() { chroot "$root" dpkg-query -W -f='${Status}\n' | grep -c "install ok installed"; }
before=$(count)
start=$EPOCHREALTIME
chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root DISPLAY=$display \
    /bin/bash -c 'mkdir -p /root/play && cd /root/play && exec bash -x /src/scripts/run.sh' 2>&1 |
    while IFS= read -r line; do printf '%s %s\n' "$EPOCHREALTIME" "$line"; done >"$out/run.log" &
export DISPLAY=$display
# The main window among the program's: its title, and mapped (xdotool's
# --name and --onlyvisible miss it here).
window=""
while [[ -z "$window" ]]; do
    for w in $(xdotool search --class korvane 2>/dev/null); do
        xprop -id "$w" _NET_WM_NAME 2>/dev/null | grep -q '"コルヴァン"' &&
            xwininfo -id "$w" 2>/dev/null | grep -q 'Map State: IsViewable' && window=$w
    done
    [[ -n "$window" ]] && break
    jobs %1 >/dev/null 2>&1 || { echo "run.sh ended without a window"; tail -20 "$out/run.log"; exit 1; }
    sleep 0.2
done
shown=$EPOCHREALTIME
sleep 2
import -window root "$out/window.png"
# bash -x names each command of run.sh as it starts it.
at() { awk -v what="$1" '$2 == "+" && index($0, what) { print $1; exit }' "$out/run.log"; }
awk -v s="$start" -v a="$(at "deps.sh run")" -v b="$(at "+ cmake -S")" -v e="$(at "+ exec ")" -v w="$shown" \
    -v n0="$before" -v n1="$(count)" -v load="$(cut -d' ' -f1-3 /proc/loadavg)" 'BEGIN {
    printf "bare to window: %.1f min (%.0f s)\n", (w - s) / 60, w - s
    printf "  apt (scripts/deps.sh run): %.1f min (%.0f s)\n", (b - a) / 60, b - a
    printf "  configure and build: %.1f min (%.0f s)\n", (e - b) / 60, e - b
    printf "  start to window mapped: %.1f s\n", w - e
    printf "packages installed: %d (from %d to %d)\n", n1 - n0, n0, n1
    printf "load average at the end: %s\n", load }' | tee "$out/summary.txt"
