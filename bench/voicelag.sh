#!/bin/bash
# How far each phrase of the voice starts from its second, heard from outside
# on the recorded sink: the voice's game of scripts/audio_test.sh (korvane in
# byo-yomi from the start, 30 s a move, to the time-out) played RUNS times
# (default 5) idle, then RUNS times with two busy loops (one per core, at the
# program's own priority). Each phrase's first audible sample is measured
# against end.wav's onset less 20, 10, 9 … 1 s, which cancels the moment the
# program started. end.wav's own lateness (the time-out's tick, and its cue
# connecting afresh) goes into all eleven alike, so the table also gives each
# error less its run's median ("spread"), which cancels it. Prints a Markdown
# table.
#
# BUILD_DIR (default build) is the build to use; OTHER=path/to/korvane plays
# another build of the program in turns with it (a run each), for a
# comparison on the same load; KEEP=1 prints each run's errors.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
runs=${RUNS:-5}
export LC_ALL=C

ninja -C "$build" -j2 korvane cue_player >/dev/null
declare -A program=([this]="$build/ui/korvane")
[[ -n "${OTHER:-}" ]] && program[other]="$(realpath "$OTHER")"
work=$(mktemp -d)
busy=()
trap '((${#busy[@]})) && kill "${busy[@]}" 2>/dev/null; rm -rf "$work"' EXIT

# One line a run: its label, then the eleven errors in ms as the test prints them.
play() { # play load
    local run name
    for run in $(seq "$runs"); do
        for name in "${!program[@]}"; do
            KORVANE_BIN="${program[$name]}" bash "$root/scripts/audio_test.sh" "$build/tests/sound/cue_player" voice \
                >"$work/out" 2>&1 || true
            grep -q "^PASS: voice: eleven" "$work/out" || echo "$name $1 run $run: $(grep -m1 '^FAIL' "$work/out")" >&2
            sed -n 's/^  onset errors (ms) against end.wav: //p' "$work/out" |
                awk -v label="$name/$1" '{ printf "%s", label; for (i = 2; i <= NF; i += 2) printf " %s", $i; print "" }'
        done
    done
}

echo "load before: $(uptime)" >&2
play idle >"$work/errors"
for _ in 1 2; do
    bash -c 'while :; do :; done' &
    busy+=($!)
done
play loaded >>"$work/errors"
kill "${busy[@]}"
busy=()
echo "load after: $(uptime)" >&2

echo "| program/load | runs | phrases | median error | median \|error\| | worst \|error\| | worst \|error\| of 10秒 | median \|spread\| | worst \|spread\| |"
echo "|---|---|---|---|---|---|---|---|---|"
for label in $(cut -d' ' -f1 "$work/errors" | sort -u); do
    awk -v label="$label" '
        function abs(x) { return x < 0 ? -x : x }
        function median(a, n,   i, j, t) {
            for (i = 2; i <= n; i++) for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
            return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
        }
        $1 == label && NF > 1 {
            runs++
            for (i = 2; i <= NF; i++) run[i - 1] = $i
            mid = median(run, NF - 1)
            for (i = 2; i <= NF; i++) {
                e[++n] = $i; a[n] = abs($i); s[n] = abs($i - mid)
                if (a[n] > worst) worst = a[n]
                if (s[n] > wspread) wspread = s[n]
            }
            if (abs($2) > first) first = abs($2)
        }
        END {
            printf "| %s | %d | %d | %+.1f ms | %.1f ms | %.1f ms | %.1f ms | %.1f ms | %.1f ms |\n", label, runs, n,
                median(e, n), median(a, n), worst, first, median(s, n), wspread
        }' "$work/errors"
done
[[ -n "${KEEP:-}" ]] && cat "$work/errors" >&2 || true
