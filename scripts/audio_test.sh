#!/bin/bash
# Plays each cue through the real audio path into a private PulseAudio null
# sink, records the sink's monitor and checks what was heard: which tone, how
# many bursts, how long. Needs pulseaudio, pulseaudio-utils (parec, pactl) and sox.
#
#   scripts/audio_test.sh path/to/cue_player
set -uo pipefail

player="${1:?usage: audio_test.sh path/to/cue_player}"
player="$(realpath "$player")"
for tool in pulseaudio pactl parec sox awk; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done
[[ -x "$player" ]] || { echo "FAIL: no cue player at $player"; exit 1; }

rate=48000
work="$(mktemp -d /tmp/korvane-audio.XXXXXX)"
server_pid=""
rec_pid=""
cleanup() {
    [[ -n "$rec_pid" ]] && kill "$rec_pid" 2>/dev/null && wait "$rec_pid" 2>/dev/null
    if [[ -n "$server_pid" ]]; then
        kill "$server_pid" 2>/dev/null
        wait "$server_pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# A server of our own, found by nobody else: its own runtime and home folders,
# no default script, no autospawn, and clients let in without a cookie.
# norewinds: when a stream underruns the null sink rewinds, and after that its
# monitor sent parec nothing at all in every other run.
# As root pulseaudio only warns, unless told --system, which we do not want.
mkdir -p "$work/run" "$work/home"
chmod 700 "$work/run"
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" PULSE_RUNTIME_PATH="$work/run/pulse"
export PULSE_SERVER="unix:$work/run/native"
printf 'autospawn = no\n' >"$work/client.conf"
export PULSE_CLIENTCONFIG="$work/client.conf"
unset PULSE_SINK PULSE_SOURCE PULSE_COOKIE
pulseaudio --daemonize=no --system=false -n --use-pid-file=no --exit-idle-time=-1 \
    --realtime=no --high-priority=no --disable-shm=yes --log-target=stderr \
    --load="module-null-sink sink_name=testsink rate=$rate norewinds=1" \
    --load="module-native-protocol-unix socket=$work/run/native auth-anonymous=1" \
    </dev/null >"$work/server.log" 2>&1 &
server_pid=$!
for _ in $(seq 50); do
    pactl info >/dev/null 2>&1 && break
    kill -0 "$server_pid" 2>/dev/null || break
    sleep 0.1
done
if ! pactl list short sinks 2>/dev/null | grep -q testsink; then
    echo "FAIL: the PulseAudio test server did not start"
    cat "$work/server.log"
    exit 1
fi
pactl set-default-sink testsink

source "$(dirname "$0")/checks.sh"

# Bursts of sound in a recording, one line each: start, length (s), frequency (Hz).
# 10 ms windows; a burst is a run of windows with sound in them, and its
# frequency is the zero-crossing rate over the windows that are wholly tone.
bursts() {
    sox -t raw -r "$rate" -e signed -b 16 -c 1 "$1" -t dat - | awk -v win=$((rate / 100)) -v rate="$rate" '
        function flush() {
            rms = sqrt(ss / n)
            if (rms > 0.02) {
                if (!inb) { inb = 1; start = w * win / rate; windows = 0; strong = 0; zcs = 0 }
                windows++
                if (rms > 0.15) { strong++; zcs += zc }
            } else if (inb) { finish() }
            w++; n = 0; ss = 0; zc = 0
        }
        function finish() {
            inb = 0
            printf "%.3f %.3f %.0f\n", start, windows * win / rate, strong ? zcs / 2 / (strong * win / rate) : 0
        }
        /^;/ { next }
        {
            v = $2; n++; ss += v * v
            if (seen && (v >= 0) != (prev >= 0)) zc++
            prev = v; seen = 1
            if (n == win) flush()
        }
        END { if (n > 0) flush(); if (inb) finish() }'
}

# Plays one cue in a folder of our making and records it: leaves the player's
# output in $log and the bursts heard in $heard.
log=""
heard=""
play_cue() { # play_cue case-dir cue [report-ms]
    local dir="$1" cue="$2" report="${3:-500}"
    parec -d testsink.monitor --format=s16le --rate="$rate" --channels=1 --raw --latency-msec=20 \
        >"$dir.raw" 2>"$dir.parec.log" &
    rec_pid=$!
    sleep 0.3
    (cd "$dir" && timeout 20 "$player" "$cue" "$report" 1000 </dev/null >"$dir.log" 2>&1)
    sleep 0.3
    kill "$rec_pid" 2>/dev/null
    wait "$rec_pid" 2>/dev/null
    rec_pid=""
    log="$(cat "$dir.log")"
    heard="$(bursts "$dir.raw")"
    echo "  $cue in $(basename "$dir"): heard [${heard//$'\n'/; }] (start s, length s, Hz)"
}

tone() { # tone file hz seconds [sox format options]
    local file="$1" hz="$2" seconds="$3"
    shift 3
    sox -n "$@" "$file" synth "$seconds" sine "$hz" vol 0.5
}

count_is() { [[ "$(grep -c . <<<"$heard")" == "$1" ]]; }
# every burst heard lies within [lo, hi] Hz and [minlen, maxlen] s
all_bursts() {
    [[ -n "$heard" ]] && awk -v lo="$1" -v hi="$2" -v minlen="$3" -v maxlen="$4" \
        '$3 < lo || $3 > hi || $2 < minlen || $2 > maxlen { bad = 1 } END { exit bad }' <<<"$heard"
}
not_logged() { ! grep -qF "$1" <<<"$log"; }
# lines starting so appear in this order in the player's output (others may come between)
in_order() {
    awk 'BEGIN { for (i = 1; i < ARGC; i++) want[i] = ARGV[i]; n = ARGC - 1; ARGC = 1; k = 1 }
         k <= n && index($0, want[k]) == 1 { k++ }
         END { exit !(k > n) }' "$@" <<<"$log"
}
returned_within() { # ms
    local ms
    ms="$(sed -n 's/^returned after \([0-9]*\) ms$/\1/p' <<<"$log")"
    [[ -n "$ms" && "$ms" -le "$1" ]]
}
heard_one() { count_is 1 && all_bursts "$1" "$2" "$3" "$4"; }
heard_beeps() { count_is 3 && all_bursts 836 924 0.08 0.17; }

# The files: a distinct tone for each, in various wave formats.
mk() { mkdir -p "$work/$1" && echo "$work/$1"; }

echo "== warning1.wav and warning.wav: warning 1 plays its own file"
d="$(mk own1)"
tone "$d/warning1.wav" 440 0.6 -r 44100 -c 1 -b 16
tone "$d/warning.wav" 660 0.6 -r 16000 -c 1 -b 8 -e unsigned-integer
play_cue "$d" warning1
check "warning1: 440 Hz of warning1.wav heard once, 0.6 s" heard_one 418 462 0.5 0.75
check "warning1: device opened and played warning1.wav" in_order "close" "file warning1.wav" "open true" "play true"
check "warning1: no beeps" not_logged "beep"
check "warning1: cue returned while the sound plays (<200 ms)" returned_within 200

echo "== warning2.wav (24-bit stereo) and warning.wav: warning 2 plays its own file"
d="$(mk own2)"
tone "$d/warning2.wav" 550 0.6 -r 44100 -c 2 -b 24
tone "$d/warning.wav" 660 0.6 -r 16000 -c 1 -b 8 -e unsigned-integer
play_cue "$d" warning2
check "warning2: 550 Hz of warning2.wav heard once" heard_one 522 578 0.5 0.75
check "warning2: device played warning2.wav" in_order "file warning2.wav" "open true" "play true"

echo "== warning3.wav (32-bit float) and warning.wav: warning 3 plays its own file"
d="$(mk own3)"
tone "$d/warning3.wav" 770 0.6 -r 22050 -c 1 -b 32 -e floating-point
tone "$d/warning.wav" 660 0.6 -r 16000 -c 1 -b 8 -e unsigned-integer
play_cue "$d" warning3
check "warning3: 770 Hz of warning3.wav heard once" heard_one 731 809 0.5 0.75

echo "== only warning.wav: warning 1 falls back to it"
d="$(mk shared)"
tone "$d/warning.wav" 660 0.6 -r 16000 -c 1 -b 8 -e unsigned-integer
play_cue "$d" warning1
check "warning1 without its file: 660 Hz of warning.wav heard once" heard_one 627 693 0.5 0.75
check "warning1 without its file: device played warning.wav" in_order "file warning.wav" "open true" "play true"

echo "== warning1.wav is a folder: warning.wav plays"
d="$(mk folder)"
mkdir "$d/warning1.wav"
tone "$d/warning.wav" 660 0.6 -r 16000 -c 1 -b 8 -e unsigned-integer
play_cue "$d" warning1
check "folder named warning1.wav: 660 Hz of warning.wav heard" heard_one 627 693 0.5 0.75

echo "== no wave files: three beeps"
d="$(mk none)"
play_cue "$d" warning2
check "no files: three 880 Hz beeps of about 120 ms" heard_beeps
check "no files: open failed, then the beeps" in_order "file warning.wav" "open false" "beep x3"
check "no files: the beeps played on the output, not the fallback" not_logged "fallback"
check "no files: the beeps were queued without waiting (<200 ms)" returned_within 200

echo "== warning1.wav is not a wave file: three beeps"
d="$(mk garbage)"
printf 'RIFF....WAVEthis is not sound at all\n' >"$d/warning1.wav"
tone "$d/warning.wav" 660 0.6 -r 16000 -c 1 -b 8 -e unsigned-integer
play_cue "$d" warning1
check "broken warning1.wav: refused on open, not played" in_order "file warning1.wav" "open false" "beep x3"
check "broken warning1.wav: play skipped after the failed open" not_logged "play "
check "broken warning1.wav: three 880 Hz beeps" heard_beeps

echo "== time out: end.wav plays while the box is up"
d="$(mk end)"
tone "$d/end.wav" 1000 0.6 -r 48000 -c 2 -b 16
play_cue "$d" timesup 1500
check "timesup: 1000 Hz of end.wav heard once, in full" heard_one 950 1050 0.5 0.75
check "timesup: close, end.wav, open, play, report, close" \
    in_order "close" "file end.wav" "open true" "play true" "report 時間切れです" "report dismissed" "close"

echo "== time out: dismissing the box stops a long end.wav"
d="$(mk longend)"
tone "$d/end.wav" 1000 4 -r 48000 -c 2 -b 16
play_cue "$d" timesup 500
check "timesup: a 4 s end.wav stops when the box goes, after about 0.5 s" heard_one 950 1050 0.3 1.0

echo "== time out without end.wav: three beeps, and the box still shows"
d="$(mk noend)"
play_cue "$d" timesup 800
check "timesup without end.wav: three 880 Hz beeps" heard_beeps
check "timesup without end.wav: beeps, then the report, then close" \
    in_order "file end.wav" "open false" "beep x3" "report 時間切れです" "report dismissed" "close"

echo "== no audio output at all: the fallback beeps"
d="$(mk nooutput)"
tone "$d/end.wav" 1000 0.6 -r 48000 -c 2 -b 16
(cd "$d" && PULSE_SERVER="unix:$work/nothing-here" timeout 20 "$player" timesup 100 100 </dev/null >"$d.log" 2>&1)
log="$(cat "$d.log")"
check "no output: open fails and the injected fallback beeps instead, the box still shows" \
    in_order "open false no audio output" "beep x3" "fallback beep x3" "report 時間切れです" "close"

# Plays a 4 s warning1.wav, makes the output go away a moment into it, then
# asks for warning 2: the player must carry on, find the device failing and
# beep, and exit by itself.
lose_output() { # lose_output case-dir command...
    local dir="$1" started
    shift
    tone "$dir/warning1.wav" 440 4 -r 48000 -c 1 -b 16
    tone "$dir/warning2.wav" 550 0.5 -r 48000 -c 1 -b 16
    : >"$dir.log"
    (cd "$dir" && timeout 10 "$player" warning1 500 400 warning2 </dev/null >>"$dir.log" 2>&1
        echo "exit $?" >>"$dir.log") &
    local pid=$!
    for _ in $(seq 100); do
        grep -q '^returned after' "$dir.log" && break
        sleep 0.02
    done
    sleep 0.2
    "$@"
    wait "$pid"
    log="$(cat "$dir.log")"
    echo "  ${log//$'\n'/; }"
}
second_returned_within() { # ms
    local ms
    ms="$(sed -n 's/^returned after \([0-9]*\) ms$/\1/p' <<<"$log" | sed -n 2p)"
    [[ -n "$ms" && "$ms" -le "$1" ]]
}

echo "== the sink goes away while warning 1 plays"
lose_output "$(mk sinkgone)" pactl unload-module module-null-sink
check "sink gone: warning 1 had started" in_order "file warning1.wav" "open true" "play true"
check "sink gone: warning 2 fails on the device and beeps" in_order "play true" "file warning2.wav" "beep x3"
check "sink gone: the second cue did not hold the thread (<200 ms)" second_returned_within 200
check "sink gone: the player exited by itself" in_order "exiting" "exit 0"

echo "== the sound server dies while warning 1 plays"
pactl load-module module-null-sink sink_name=testsink rate="$rate" norewinds=1 >/dev/null
pactl set-default-sink testsink
kill_server() { kill -9 "$server_pid" && wait "$server_pid" 2>/dev/null; server_pid=""; }
lose_output "$(mk servergone)" kill_server
check "server gone: warning 1 had started" in_order "file warning1.wav" "open true" "play true"
check "server gone: warning 2 fails on the device and beeps" in_order "play true" "file warning2.wav" "beep x3"
check "server gone: the second cue did not hold the thread (<200 ms)" second_returned_within 200
check "server gone: the player exited by itself" in_order "exiting" "exit 0"

checks_done
