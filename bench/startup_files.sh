#!/bin/bash
# Start-up beside a large settings file: the clock started in a folder with no
# korvane.ini, with 50 MB of valid lines and with 50 MB of random bytes, under
# an Xvfb of its own on the real xcb platform. Prints a Markdown table:
#   start-up   script's moment before exec until the first frame is drawn
#              (KORVANE_REPORT_SHOWN), median of RUNS runs, the three kinds
#              interleaved (the order turned each round)
#   peak RSS   VmHWM one second after that first frame, median
# RUNS (default 5), BUILD_DIR (default build-bench) and KORVANE_BIN (another
# build's korvane_timed, to compare) can be set.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
runs=${RUNS:-5}
export LC_ALL=C

bash "$root/scripts/deps.sh"
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
[ -n "${KORVANE_BIN:-}" ] || ninja -C "$build" -j2 korvane_timed >/dev/null
bin=${KORVANE_BIN:-$build/bench/korvane_timed}

source "$root/bench/xvfb.sh"

# The three folders: 1.9 million pairs of valid lines after one more (51.3 MB),
# and 50,000,000 random bytes.
kinds="none lines random"
mkdir "$work/none" "$work/lines" "$work/random"
{
    printf 'wtime2=4\r\n'
    yes $'text1(0).text=5\r\nwtime1=3\r' | head -n 3800000 || true # yes ends on the closed pipe
} >"$work/lines/korvane.ini"
head -c 50000000 /dev/urandom >"$work/random/korvane.ini"

median() { sort -g | awk '{v[NR]=$1} END{if (NR%2) print v[(NR+1)/2]; else print (v[NR/2]+v[NR/2+1])/2}'; }

# Starts the clock in the kind's folder, waits for its first frame, notes the
# start-up time and, a second later, the peak memory; then ends it.
run() {
    local kind=$1 shown="$work/$1.shown" start pid
    rm -f "$shown"
    (
        cd "$work/$kind"
        echo "$EPOCHREALTIME" >"$work/$kind.start"
        export KORVANE_REPORT_SHOWN="$shown"
        exec "$bin"
    ) 2>>"$work/$kind.log" &
    pid=$!
    for _ in $(seq 1200); do [ -s "$shown" ] && break; sleep 0.025; done
    [ -s "$shown" ] || { echo "$kind: no window" >&2; cat "$work/$kind.log" >&2; exit 1; }
    start=$(<"$work/$kind.start")
    awk -v s="${start/./}" -v e="$(<"$shown")" 'BEGIN{printf "%.1f\n", (e / 1000 - s) / 1000}' >>"$work/$kind.ms"
    sleep 1
    awk '/^VmHWM:/{print $2}' "/proc/$pid/status" >>"$work/$kind.kb"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}

echo "start-up beside each file: $runs runs each, interleaved" >&2
for kind in $kinds; do run "$kind"; done # warm the file cache
rm -f "$work"/*.ms "$work"/*.kb
set -- $kinds
for i in $(seq "$runs"); do
    for kind in "$@"; do run "$kind"; done
    set -- "${@:2}" "$1"
done

echo
echo "| korvane.ini (median of $runs) | start-up to the first frame, ms | more than no file, ms | peak RSS, MiB |"
echo "|---|---:|---:|---:|"
none=$(median <"$work/none.ms")
for kind in $kinds; do
    ms=$(median <"$work/$kind.ms")
    kb=$(median <"$work/$kind.kb")
    label=$(case $kind in none) echo "none" ;; lines) echo "50 MB of valid lines" ;; random) echo "50 MB of random bytes" ;; esac)
    awk -v l="$label" -v m="$ms" -v n="$none" -v k="$kb" 'BEGIN{printf "| %s | %.0f | %.0f | %.1f |\n", l, m, m - n, k / 1024}'
done
