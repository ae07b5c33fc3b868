#!/bin/bash
# How late the clock shows each new second, and reports a time-out, measured
# from outside the program: the shipped clock (ticks phased to the running
# player's whole seconds) beside bench/korvane_unaligned (ticks every 200 ms
# from whenever the clock was started). Prints Markdown tables.
#
# Each program runs under an Xvfb of its own, in an empty directory (no
# settings, no sounds), the two at the same time unless PARALLEL=0; xdotool
# plays the game and bench/damagewatch (XDamage) notes when each part of the
# window is drawn and when a box is mapped.
# In each of RUNS runs (default 5):
#   from the start  LEFT to move, 10 minutes; the move button is clicked after
#                   a random pause. The game starts when the handler stamps
#                   the start, and the same handler then writes LEFT's move
#                   count: the first drawing of that count is the start.
#   after a move    RIGHT to move first; after a random 0.3-1.3 s RIGHT's move
#                   ends and LEFT's clock starts, stamped the same way (the
#                   handler writes LEFT's move count right after the stamp).
#                   Without phasing, LEFT's ticks keep the phase of the start.
#   time-out        LEFT has 3 s and no byo-yomi, from the start and after a
#                   move as above: when the report box is mapped, against the
#                   start of LEFT's clock + 3 s.
# In all, LEFT's main time is a whole number of seconds, so the shown second
# changes at the start + k s, k = 0, 1, ... (k = 0: 10:00 turns 9:59 at once).
# The lag of a change is when the clock's region is first drawn minus that
# moment. The start's and the clock's drawing delays (paint and flush) cancel
# to first order: both are drawn by the same program, in the same way. The
# box is timed as mapped, before it is drawn: nothing cancels there.
#
# SPAN (default 16) seconds are watched per run and scenario, TIMEOUT_RUNS
# (default 5) time-outs of each kind; BUILD_DIR (default build) is the build
# to use, KORVANE_BIN and UNALIGNED_BIN other builds of either program;
# PARALLEL=0 runs the two programs one after the other; BUSY=N keeps N busy
# loops running meanwhile (BUSY=2 on a two-core machine: a loaded desktop).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
runs=${RUNS:-5}
span=${SPAN:-16}
timeouts=${TIMEOUT_RUNS:-5}
export LC_ALL=C

bash "$root/scripts/deps.sh"
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C "$build" -j2 korvane korvane_unaligned damagewatch >/dev/null
declare -A bin=([korvane]=${KORVANE_BIN:-$build/ui/korvane}
               [korvane_unaligned]=${UNALIGNED_BIN:-$build/bench/korvane_unaligned})
watch=$build/bench/damagewatch

work=$(mktemp -d)
# KEEP=1 keeps the damage logs, for a closer look.
trap 'kill $(jobs -p) 2>/dev/null || true; wait; [ -n "${KEEP:-}" ] && echo "logs kept in $work" >&2 || rm -rf "$work"' EXIT

# Window rectangles, in pixels of the client area (twips / 15), as x y w h.
move_count="312 104 49 33" # Label11, LEFT's move count
# Label1(0), LEFT's clock, cut off at Image1(0), the lamp that blinks beside it.
clock_face="0 120 272 133"

# One program under its own X server: RUNS runs of the three scenarios; the
# damage logs go to $work/<name>.<run>.<scenario>.
session() {
    name=$1 dir=$work/$1
    mkdir -p "$dir"
    # -noreset: the server stays up while the program is restarted after a time-out.
    Xvfb ":$2" -screen 0 1280x1024x24 -nolisten tcp -noreset 2>"$dir/xvfb.log" &
    xvfb=$!
    export DISPLAY=":$2" QT_QPA_PLATFORM=xcb
    for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    cd "$dir"
    "${bin[$name]}" 2>"$dir/app.log" &
    app=$!
    trap 'kill $app $xvfb 2>/dev/null || true' EXIT
    trap 'exit 1' TERM INT
    local window
    window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$app" | head -1)
    eval "$(xdotool getwindowgeometry --shell "$window")"
    local menubar=$((HEIGHT - 5745 / 15)) # the client area lies below the menu bar
    # Clicks the centre of a control given in twips (ui/form1layout.cpp).
    click() {
        xdotool mousemove --window "$window" $((($1 + $3 / 2) / 15)) $((menubar + ($2 + $4 / 2) / 15)) click 1
        sleep 0.3
    }
    set_button() { click 8760 480 1215 615; }
    move_button() { click 120 4320 7695 1335; }
    retype() { click "$@"; xdotool key ctrl+a BackSpace type "$5"; }
    # Logs $1 for $2 s after a random pause that ends with a click on the
    # move button; then $3 more clicks, 0.3-1.3 s apart at random.
    watched() {
        local log=$1 seconds=$2 more=$3 pause
        pause=0.$(printf %03d $((RANDOM % 1000)))
        # Ahead of the program in the queue for a CPU: the watch must stamp promptly.
        nice -n -5 "$watch" "$window" "$(awk -v p="$pause" -v s="$seconds" 'BEGIN{print p + s}')" >"$log" &
        local w=$!
        for _ in $(seq 100); do grep -qs ready "$log" && break; sleep 0.05; done
        sleep "$pause"
        move_button
        for _ in $(seq "$more"); do sleep "0.$(printf %03d $((RANDOM % 1000)))"; move_button; done
        wait "$w"
        echo "menubar $menubar" >>"$log"
    }
    # The report box is modal: after a time-out, start afresh.
    restart() {
        kill "$app"
        wait "$app" 2>/dev/null || true
        "${bin[$name]}" 2>>"$dir/app.log" &
        app=$!
        window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$app" | head -1)
    }
    left_first() { click 7560 480 930 285; }
    right_first() { click 7560 840 1170 285; }
    three_seconds() {
        retype 120 600 735 495 0  # LEFT: 0 minutes
        retype 1200 600 615 495 3 # and 3 seconds
        retype 5880 600 615 495 0 # no byo-yomi
    }
    for run in $(seq "$runs"); do
        left_first
        set_button
        watched "$work/$name.$run.start" $((span + 1)) 0
        right_first
        set_button
        watched "$work/$name.$run.move" $((span + 2)) 1
        if ((run <= timeouts)); then
            three_seconds
            left_first
            set_button
            watched "$work/$name.$run.timeout-start" 5 0
            restart
            three_seconds
            right_first
            set_button
            watched "$work/$name.$run.timeout-move" 6 1
            restart
        fi
    done
    touch "$dir/done"
}

busy=()
for _ in $(seq "${BUSY:-0}"); do
    bash -c 'while :; do :; done' &
    busy+=($!)
done
echo "load before: $(uptime), ${BUSY:-0} busy loops" >&2
echo "$runs runs of ${span} s from the start and ${span} s after a move, $timeouts time-outs of each kind," \
    "$([ "${PARALLEL:-1}" = 1 ] && echo "both programs at once" || echo "one program after the other")" >&2
# Two displays no other server holds, away from the usual low numbers.
displays=()
for n in $(seq 300 399); do
    [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] || displays+=("$n")
    ((${#displays[@]} < 2)) || break
done
((${#displays[@]} == 2)) || { echo "no free X displays" >&2; exit 1; }
if [ "${PARALLEL:-1}" = 1 ]; then
    session korvane "${displays[0]}" &
    first=$!
    session korvane_unaligned "${displays[1]}" &
    wait "$first" $!
else
    (session korvane "${displays[0]}") || true
    (session korvane_unaligned "${displays[1]}") || true
fi
for name in korvane korvane_unaligned; do
    [ -e "$work/$name/done" ] || { echo "$name: the session broke off" >&2; cat "$work/$name/app.log" >&2; exit 1; }
done
echo "load after: $(uptime)" >&2
((${#busy[@]})) && kill "${busy[@]}"

# The lags of one damage log, in ms: one per second change, or the time-out's.
# How long after the server's stamp the watch heard of each drawing used goes
# to $work/heard.
lags() {
    awk -v kind="$2" -v span="$span" -v count="$move_count" -v face="$clock_face" -v heard="$work/heard" '
        function hits(rect, x, y, w, h,   r) {
            split(rect, r, " ")
            r[2] += menubar
            return x < r[1] + r[3] && x + w > r[1] && y < r[2] + r[4] && y + h > r[2]
        }
        # When it was drawn, in µs: when the watch heard of it, or if the watch
        # was kept waiting, the end of the whole ms the server stamped it with
        # (the server counts ms of the same clock, 32 bits wide).
        function drawn(us, ms,   d) {
            d = (us / 1000) % 4294967296 - ms
            if (d < -2147483648) d += 4294967296
            print d >> heard
            return d > 1 ? us - (d - 1) * 1000 : us
        }
        $1 == "menubar" { menubar = $2 }
        { line[NR] = $0 }
        END {
            for (i = 1; i <= NR; ++i) {
                n = split(line[i], f, " ")
                if (f[1] == "D" && start == "" && hits(count, f[3], f[4], f[5], f[6])) {
                    start = drawn(f[2], f[7])
                } else if (f[1] == "D" && start != "" && hits(face, f[3], f[4], f[5], f[6])) {
                    # The first drawing of each change; the next second is 1 s away.
                    if (last != "" && f[2] - last < 300000) continue
                    last = f[2]
                    k = int((f[2] - start - 100000) / 1e6 + 0.5 + 1) - 1
                    if (kind !~ /^timeout/ && k >= 0 && k < span && !(k in seen)) {
                        seen[k] = 1
                        printf "%.3f\n", (drawn(f[2], f[7]) - start - k * 1e6) / 1000
                    }
                } else if (f[1] == "M" && start != "" && kind ~ /^timeout/) {
                    printf "%.3f\n", (f[2] - start - 3e6) / 1000
                    exit
                }
            }
            if (start == "") print "no start seen in " FILENAME > "/dev/stderr"
        }' "$1"
}
stats() { # count, median, 90th percentile (nearest rank), maximum
    sort -g | awk '{v[NR] = $1} END{
        if (NR == 0) { print "0 - - -"; exit }
        m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        p = int(0.9 * NR); if (p < 0.9 * NR) ++p
        printf "%d %.1f %.1f %.1f\n", NR, m, v[p], v[NR]}'
}

echo
echo "| program | second changes | counted | lag median, ms | 90th percentile, ms | maximum, ms |"
echo "|---|---|---:|---:|---:|---:|"
for name in korvane korvane_unaligned; do
    for kind in start move; do
        for f in "$work/$name".*."$kind"; do lags "$f" "$kind"; done >"$work/$name.$kind.lags"
        read -r n m p x < <(stats <"$work/$name.$kind.lags")
        label=$([ "$kind" = start ] && echo "from the start" || echo "after a move")
        echo "| $name | $label | $n | $m | $p | $x |"
    done
    cat "$work/$name.start.lags" "$work/$name.move.lags" >"$work/$name.all.lags"
    read -r n m p x < <(stats <"$work/$name.all.lags")
    echo "| $name | both | $n | $m | $p | $x |"
done
# The watch stamps what it hears; the server stamps each drawing too, in whole
# ms. How much later the watch heard of those it used tells whether its own
# stamps hold; where it heard more than 1 ms late, the server's stamp was taken.
sort -g "$work/heard" | awk '{v[NR] = $1; if ($1 > 1) ++late} END{
    printf "\nThe watch heard of the %d drawings used a median %.1f ms after the server stamped them (which counts whole ms); %d of them more than 1 ms after (latest %.1f ms): the server'"'"'s stamp stood for those.\n", NR, v[int((NR + 1) / 2)], late, v[NR]}'
echo
echo "| program | time-out | counted | report box lag median, ms | maximum, ms |"
echo "|---|---|---:|---:|---:|"
for name in korvane korvane_unaligned; do
    for kind in timeout-start timeout-move; do
        for f in "$work/$name".*."$kind"; do [ -e "$f" ] && lags "$f" "$kind"; done >"$work/$name.$kind.lags"
        read -r n m _ x < <(stats <"$work/$name.$kind.lags")
        label=$([ "$kind" = timeout-start ] && echo "from the start" || echo "after a move")
        echo "| $name | $label | $n | $m | $x |"
    done
done
