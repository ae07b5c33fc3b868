#!/bin/bash
# Plays games on the clock under Xvfb with the mouse, each on a private
# session bus with a stand-in for the desktop's idle inhibitors, and reads the
# stand-in's log beside the clicks: the screen is kept on from a clock's start
# to its stop, in order with the clicks (held at the start and the resume, let
# go at the pause, the time-out report and the exit); through the portal, the
# older screensaver service, and a portal that answers late; and with nothing
# on the bus or no bus, the game runs as before.
#
#   inhibit_test.sh path/to/korvane path/to/inhibit_standin
set -uo pipefail
korvane="$(realpath "$1")" standin="$(realpath "$2")"
# Each step: the buttons clicked, at once, then the calls the stand-in must
# see before the next step, in any order (P, C: the portal's Inhibit and
# Close; R: its late answer; S, U: the screensaver's Inhibit and UnInhibit),
# then "report": the time-out report, then its OK.
# LEFT's clock has ten minutes, RIGHT's two seconds.
declare -A games=(
    [portal]="portal: set, move P, pause C, pause P, move C report, set, move P, exit C"
    [screensaver]="screensaver: set, move S, pause U, pause S, exit U"
    [late]="portal delay=3000: set, move pause P R C, pause pause pause P R, pause C, pause exit P C R"
    [nothing]=": set, move, move report, exit")
P="portal.Inhibit flags=8 reason=対局時計が動いています held=1" C="portal.Close held=0" R=portal.replied
S="screensaver.Inhibit app=コルヴァン reason=対局時計が動いています held=1" U="screensaver.UnInhibit held=0"

if (($# == 2)); then
    work="$(mktemp -d /tmp/korvane-inhibit.XXXXXX)"
    trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
    Xvfb -displayfd 3 -screen 0 1024x600x24 3>"$work/display" >/dev/null 2>&1 &
    until [[ -s "$work/display" ]]; do sleep 0.1; done
    mkdir -m 700 "$work/run"
    export DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb WORK="$work" XDG_RUNTIME_DIR="$work/run"
    # A bus that starts no service of its own: a portal installed on the
    # machine would answer in the stand-in's place.
    echo "<busconfig><type>session</type><listen>unix:dir=$work</listen><policy context='default'>
          <allow send_destination='*' eavesdrop='true'/><allow eavesdrop='true'/><allow own='*'/>
          </policy></busconfig>" >"$work/bus.conf"
    status=0
    for game in "${!games[@]}"; do
        dbus-run-session --config-file="$work/bus.conf" -- "$0" "$1" "$2" "$game" 2>&1 | grep -v 'fd limit'
        ((PIPESTATUS[0] == 0)) || status=1
    done
    env -u DBUS_SESSION_BUS_ADDRESS "$0" "$1" "$2" nothing nobus || status=1
    exit $status
fi

name="${4:-$3}" seen=0
log="$WORK/$name.log"
fail() {
    echo "FAIL ($name): $*"
    sed 's/^/    /' "$log"
    kill $(jobs -p) 2>/dev/null
    exit 1
}
# The log's next lines, as many as given, time stamps aside, in any order.
expect() {
    for _ in $(seq 300); do
        (($(wc -l <"$log") >= seen + $#)) && break
        sleep 0.1
    done
    got="$(sed -n "$((seen + 1)),$((seen + $#))p" "$log" | cut -d' ' -f2- | sort)"
    [[ "$got" == "$(printf '%s\n' "$@" | sort)" ]] || fail "expected: $* | found: $got"
    seen=$((seen + $#))
}
# The report over the window and nothing else; gone after OK.
report() {
    for _ in $(seq 300); do
        box="$(xdotool search --onlyvisible --name '^コルヴァン$' | grep -vx "$win")" && break
        sleep 0.1
    done
    (($(wc -w <<<"$box") == 1)) || fail "no time-out report, or more boxes: $box"
    xdotool windowfocus "$box" key Return
    for _ in $(seq 300); do
        xdotool search --onlyvisible --name '^コルヴァン$' | grep -qvx "$win" || return 0
        sleep 0.1
    done
    fail "the time-out report stays up"
}

: >"$log"
services="${games[$3]%%:*}" steps="${games[$3]#*:}"
if [[ -n "$services" ]]; then
    "$standin" $services >>"$log" &
    expect ready
fi
mkdir "$WORK/$name"
printf '%s\r\n' "[コルヴァン設定ファイル]" "text1(0).text=10" "text1(1).text=0" "text1(2).text=0" \
    "text1(3).text=2" "text1(4).text=0" "text1(5).text=0" >"$WORK/$name/korvane.ini"
(cd "$WORK/$name" && exec "$korvane") &
korvane_pid=$!
win="$(xdotool search --sync --onlyvisible --name '^コルヴァン$' | head -1)"
eval "$(xdotool getwindowgeometry --shell "$win")"
# The buttons' middles, in twips of the layout, centred under the menu bar at zoom 1.
declare -A at=([set]="9367 787" [move]="3967 4987" [pause]="8587 4987" [exit]="10207 5347")
IFS=, read -ra steps <<<"$steps"
for step in "${steps[@]}"; do
    read -ra words <<<"$step"
    clicks=() calls=() xdo=()
    for w in "${words[@]}"; do
        if [[ -n "${at[$w]:-}" ]]; then
            clicks+=("$w")
            read -r x y <<<"${at[$w]}"
            xdo+=(mousemove $((X + (WIDTH - 747) / 2 + x / 15)) $((Y + HEIGHT - 383 + y / 15)) click 1)
        elif [[ "$w" =~ ^[A-Z]$ ]]; then
            calls+=("${!w}")
        fi
    done
    echo "$(date +%s.%3N) click ${clicks[*]}" >>"$log"
    expect "click ${clicks[*]}"
    xdotool "${xdo[@]}"
    ((${#calls[@]})) && expect "${calls[@]}"
    [[ "$step" == *report ]] && report
done
wait "$korvane_pid" || fail "the clock ended with status $?"
sleep 0.5 # for a call it should not have made
(($(wc -l <"$log") == seen)) || expect "nothing more"
kill $(jobs -p) 2>/dev/null
echo "ok ($name)"
