#!/bin/bash
# Opens the clock under Xvfb, plays the start of a game with xdotool and saves
# screenshots: just after start, after "セット", a running clock, and a clock
# in byo-yomi.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/docs}"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
Xvfb :77 -screen 0 800x480x24 >/dev/null 2>&1 &
export DISPLAY=:77
sleep 1
(cd "$work" && QT_QPA_PLATFORM=xcb "${KORVANE_BIN:-$root/build/ui/korvane}") &
sleep 2
import -window root "$out/screenshot-start.png"

win=$(xdotool search --name "コルヴァン" | head -1)
xdotool windowactivate --sync "$win" 2>/dev/null || true
eval "$(xdotool getwindowgeometry --shell "$win")"
# Clicks a point given in twips of the client area, which starts below the
# 22-pixel menu bar.
click() { xdotool mousemove $((X + $1 / 15)) $((Y + 22 + $2 / 15)) click "${3:-1}"; }
# Replaces a set-up field's text.
retype() {
    click "$1" "$2"
    xdotool key ctrl+a BackSpace type "$3"
}

click 9360 780        # "セット"
sleep 1
import -window root "$out/screenshot-set.png"

# A short game: LEFT 12 s of main time, 30 s byo-yomi, no increment.
retype 480 840 0      # LEFT minutes
retype 1500 840 12    # LEFT seconds
retype 4980 840 0     # increment
retype 6180 840 30    # byo-yomi
click 9360 780        # "セット"
sleep 0.5
click 3960 4980       # the move button starts the game, LEFT to move
sleep 3
import -window root "$out/screenshot-running.png"
sleep 11
import -window root "$out/screenshot-byoyomi.png"
sleep 28
import -window root "$out/screenshot-timeout.png"
