#!/bin/bash
# Opens the clock under Xvfb and saves screenshots: just after start, and
# after pressing "セット" (the window's button is clicked with xdotool).
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
if command -v xdotool >/dev/null; then
    # "セット" sits at (8760, 480) twips, 81 x 41 pixels, below the menu bar.
    win=$(xdotool search --name "コルヴァン" | head -1)
    xdotool windowactivate --sync "$win" 2>/dev/null || true
    eval "$(xdotool getwindowgeometry --shell "$win")"
    xdotool mousemove $((X + 624)) $((Y + 22 + 52)) click 1
    sleep 1
    import -window root "$out/screenshot-set.png"
fi
