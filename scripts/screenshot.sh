#!/bin/bash
# Opens the clock under Xvfb and saves screenshots for the README: a
# two-hour game set up, then running with the warning-times dialog open
# beside the window, and a clock in byo-yomi.
#
#   scripts/screenshot.sh [folder]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-$root/docs}")"
bin="${KORVANE_BIN:-$root/build/ui/korvane}"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
Xvfb :77 -screen 0 1100x560x24 >/dev/null 2>&1 &
export DISPLAY=:77 QT_QPA_PLATFORM=xcb
sleep 1

# Starts the clock with the given settings lines; sets win, X and Y.
start() {
    printf '%s\r\n' "$@" >"$work/korvane.ini"
    (cd "$work" && exec "$bin") &
    sleep 2
    win=$(xdotool search --name "コルヴァン" | head -1)
    eval "$(xdotool getwindowgeometry --shell "$win")"
}
# Clicks a point given in twips of the client area, under the menu bar.
click() { xdotool mousemove $((X + $1 / 15)) $((Y + 22 + $2 / 15)) click 1; }
shot() { import -window root -crop 747x405+0+0 "$out/$1"; }

# A two-hour game with 30 s byo-yomi and 30 s increments.
start "text1(0).text=120" "text1(1).text=0" "text1(2).text=120" "text1(3).text=0" "text1(4).text=30" \
    "text1(5).text=30" "first=0" "wtime1=60" "wtime2=30" "wtime3=10"
click 9360 780 # "セット"
sleep 0.5
shot screenshot-set.png
click 3960 4980 # the move button starts LEFT's clock
sleep 3.3
click 3960 4980 # LEFT moves; RIGHT's clock runs
sleep 2.3
# The warning-times dialog, from the menu, beside the window.
xdotool mousemove $((X + 15)) $((Y + 10)) click 1
sleep 0.4
xdotool mousemove $((X + 50)) $((Y + 10 + 75)) click 1
sleep 1
dialog=$(xdotool search --name "警告音時間設定" | head -1)
xdotool windowmove "$dialog" 770 40
sleep 0.5
import -window root -crop 1070x405+0+0 "$out/screenshot-dialog.png"
kill %2
sleep 0.5

# A clock in byo-yomi: 5 s of main time, then 30 s a move.
start "text1(0).text=0" "text1(1).text=5" "text1(4).text=0" "text1(5).text=30" "first=0"
click 9360 780
sleep 0.5
click 3960 4980
sleep 8.5
shot screenshot-byoyomi.png
