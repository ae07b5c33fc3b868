#!/bin/bash
# Measures the clock beside a bare Qt window (bench/baseline.cpp) under an
# Xvfb of its own, on the real xcb platform, and prints a Markdown table:
#   start-up      script's moment before exec until the first frame is drawn
#                 (KORVANE_REPORT_SHOWN), median of RUNS alternated runs
#   RSS           VmRSS one second after that first frame
#   play          bench/playbench: ten minutes of game time (3000 ticks of
#                 0.2 s, a move every 5 s, warnings) as fast as it goes, on the
#                 real window with fake time and sound, or the baseline label
#                 rewritten 3000 times; VmRSS before and after, cost of a tick
#   CPU           utime+stime (and the scheduler's run time) over 60 s of a
#                 running game, started by clicking セット and the move button
#                 with xdotool, both programs at once
# RUNS (default 7) and BUILD_DIR (default build-bench) can be set; so can
# KORVANE_BIN and PLAYBENCH_BIN, to measure another build of the clock.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
runs=${RUNS:-7}
export LC_ALL=C

bash "$root/scripts/deps.sh"
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C "$build" -j2 korvane_timed baseline playbench >/dev/null
declare -A bin=([korvane]=${KORVANE_BIN:-$build/bench/korvane_timed} [baseline]=$build/bench/baseline)
playbench=${PLAYBENCH_BIN:-$build/bench/playbench}

source "$root/bench/xvfb.sh"
# No settings file or sounds from the caller's directory.
cd "$work"

median() { sort -g | awk '{v[NR]=$1} END{if (NR==0) print "nan"; else if (NR%2) print v[(NR+1)/2]; else print (v[NR/2]+v[NR/2+1])/2}'; }
cpu_ticks() { sed 's/.*) //' "/proc/$1/stat" | awk '{print $12 + $13}'; }
# The scheduler's own count of time on a CPU, in ns, over all threads: finer
# than utime+stime, which are charged in whole clock ticks.
run_ns() { cat /proc/"$1"/task/*/schedstat | awk '{s += $1} END{print s}'; }
rss_kb() { awk '/^VmRSS:/{print $2}' "/proc/$1/status"; }

# Starts a program and waits for its first frame; sets pid and startup_ms.
launch() {
    local name=$1
    rm -f "$work/$name.shown"
    (
        echo "$EPOCHREALTIME" >"$work/$name.start"
        export KORVANE_REPORT_SHOWN="$work/$name.shown"
        exec "${bin[$name]}"
    ) 2>>"$work/$name.log" &
    pid=$!
    for _ in $(seq 400); do [ -s "$work/$name.shown" ] && break; sleep 0.025; done
    [ -s "$work/$name.shown" ] || { echo "$name showed no window" >&2; cat "$work/$name.log" >&2; exit 1; }
    local start
    start=$(<"$work/$name.start")
    startup_ms=$(awk -v s="${start/./}" -v e="$(<"$work/$name.shown")" 'BEGIN{printf "%.1f", (e / 1000 - s) / 1000}')
}
stop() {
    kill "$1" 2>/dev/null
    wait "$1" 2>/dev/null || true
}

echo "start-up and memory: $runs runs each, alternated" >&2
for name in korvane baseline; do launch "$name"; stop "$pid"; done # warm the file cache
for i in $(seq "$runs"); do
    order="korvane baseline"
    ((i % 2)) || order="baseline korvane"
    for name in $order; do
        launch "$name"
        echo "$startup_ms" >>"$work/$name.startup"
        sleep 1
        rss_kb "$pid" >>"$work/$name.rss"
        stop "$pid"
    done
done

echo "ten minutes of simulated play: $runs runs each" >&2
for i in $(seq "$runs"); do
    for name in korvane baseline; do
        "$playbench" "$name" 2>/dev/null >"$work/play.out"
        while read -r key value; do echo "$value" >>"$work/$name.$key"; done <"$work/play.out"
    done
done

echo "CPU: one minute of a running game, both programs at once" >&2
launch korvane
kpid=$pid
launch baseline
bpid=$pid
window=$(xdotool search --sync --onlyvisible --pid "$kpid" | head -1)
eval "$(xdotool getwindowgeometry --shell "$window")"
menubar=$((HEIGHT - 5745 / 15)) # the client area lies below the menu bar
# Centres of セット (Command2) and the move button (Command1(0)), from
# ui/form1layout.cpp: twips / 15 = pixels.
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.3; }
click $(((8760 + 1215 / 2) / 15)) $((menubar + (480 + 615 / 2) / 15))
click $(((120 + 7695 / 2) / 15)) $((menubar + (4320 + 1335 / 2) / 15))
# A running clock changes its face within a second.
import -window "$window" "$work/a.png"
sleep 1.2
import -window "$window" "$work/b.png"
changed=$(compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 || true)
[ "${changed%% *}" != 0 ] || { echo "the clock did not start" >&2; exit 1; }
k0=$(cpu_ticks "$kpid") b0=$(cpu_ticks "$bpid") kr0=$(run_ns "$kpid") br0=$(run_ns "$bpid")
sleep 60
k1=$(cpu_ticks "$kpid") b1=$(cpu_ticks "$bpid") kr1=$(run_ns "$kpid") br1=$(run_ns "$bpid")
hz=$(getconf CLK_TCK)
awk -v d=$((k1 - k0)) -v hz="$hz" 'BEGIN{print d / hz}' >"$work/korvane.cpu"
awk -v d=$((b1 - b0)) -v hz="$hz" 'BEGIN{print d / hz}' >"$work/baseline.cpu"
echo $((kr1 - kr0)) >"$work/korvane.run"
echo $((br1 - br0)) >"$work/baseline.run"
stop "$kpid"
stop "$bpid"

row() { # label, file suffix, scale, format, and "-" for a row whose ratio means nothing
    local k b
    k=$(median <"$work/korvane.$2")
    b=$(median <"$work/baseline.$2")
    awk -v l="$1" -v k="$k" -v b="$b" -v s="$3" -v f="$4" -v r="${5:-}" 'BEGIN{
        printf "| %s | " f " | " f " | %s |\n", l, k * s, b * s, (b == 0 || r == "-" ? "-" : sprintf("%.2f", k / b))}'
}
echo
echo "| figure (median of $runs runs; CPU: one run) | korvane | baseline | ratio |"
echo "|---|---:|---:|---:|"
row "start-up to the first frame, ms" startup 1 "%.0f"
row "RSS after start-up, MiB" rss 0.0009765625 "%.1f"
row "RSS before the play, MiB (playbench)" rss_before_kb 0.0009765625 "%.1f"
row "RSS after ten minutes of play, MiB" rss_after_kb 0.0009765625 "%.1f"
row "RSS growth over the play, KiB" rss_growth_kb 1 "%.0f"
row "CPU over one minute of a running game (utime+stime), s" cpu 1 "%.2f"
row "the same minute, scheduler run time (schedstat), s" run 1e-9 "%.3f"
row "tick with its redraw, mean over the play, µs" tick_mean_us 1 "%.0f"
row "tick that redraws the clock face, median, µs" redraw_median_us 1 "%.0f"
row "tick, median over the play (korvane: a lamp blink; baseline: no change), µs" tick_median_us 1 "%.1f" -
