#!/bin/bash
# Plays cues through the real audio path into a private PulseAudio null sink,
# records the sink's monitor and checks what was heard (which tone, how many
# bursts, how long), how long each cue held the calling thread, that no event
# ran inside a cue, what the server saw of the stream, and how fast the player
# stops. Needs pulseaudio, pulseaudio-utils (parec, pactl) and sox.
#
#   scripts/audio_test.sh path/to/cue_player          the cases
#   scripts/audio_test.sh path/to/cue_player stress   cues cutting each other off
#       under CPU load; KORVANE_STRESS_COUNT sets how many (10000)
set -uo pipefail

player="${1:?usage: audio_test.sh path/to/cue_player [stress]}"
player="$(realpath "$player")"
# Beside PipeWire, Debian's pulseaudio is not installed but unpacked into
# build/pulseaudio/ (scripts/deps.sh test), which CTest puts first on PATH.
if ! command -v pulseaudio >/dev/null && command -v pipewire-pulse >/dev/null; then
    echo "SKIP: PipeWire serves the sound here and no PulseAudio server is at hand for the test's private one"
    echo "      (pipewire-audio conflicts with pulseaudio; scripts/deps.sh test unpacks one into build/pulseaudio/)"
    exit 77
fi
for tool in pulseaudio pactl parec sox awk; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done
[[ -x "$player" ]] || { echo "FAIL: no cue player at $player"; exit 1; }

rate=48000
# The calls are timed to the millisecond: the player runs ahead of other
# jobs where it may (as root, real-time), so that the machine's load does not
# stand in for a slow call. Not in the stress run, which is to feel the load.
run=("$player")
[[ "${2:-}" != stress ]] && chrt -f 10 true 2>/dev/null && run=(chrt -f 10 "$player")
work="$(mktemp -d /tmp/korvane-audio.XXXXXX)"
server_pid=""
rec_pid=""
busy_pids=()
cleanup() {
    [[ -n "$rec_pid" ]] && kill "$rec_pid" 2>/dev/null && wait "$rec_pid" 2>/dev/null
    ((${#busy_pids[@]})) && kill "${busy_pids[@]}" 2>/dev/null
    [[ -n "$server_pid" ]] && kill -CONT "$server_pid" 2>/dev/null
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

# For each burst of sound in a recording, one line: how loud its first and its
# last millisecond are against its middle. Tones that ramp in and out over
# 5 ms, not to click, give about 0.1; a tone cut on and off gives about 1.
edges() {
    sox -t raw -r "$rate" -e signed -b 16 -c 1 "$1" -t dat - | awk -v ms=$((rate / 1000)) '
        function rms(a, b,   k, t) { for (k = a; k < b; k++) t += v[k] * v[k]; return sqrt(t / (b - a)) }
        function report(a, b,   mid) {
            mid = rms(a + 10 * ms, a + 20 * ms)
            if (mid > 0) printf "%.2f %.2f\n", rms(a, a + ms) / mid, rms(b + 1 - ms, b + 1) / mid
        }
        /^;/ { next }
        { v[n++] = $2 }
        END {
            for (i = 0; i < n; i++) {
                loud = v[i] > 0.01 || v[i] < -0.01
                if (loud && !on) { on = 1; start = i }
                if (loud) last = i
                else if (on && i - last > 2 * ms) { report(start, last); on = 0 }
            }
            if (on) report(start, last)
        }'
}

# Runs the player in a folder of our making with the given steps while the
# sink is recorded: leaves the player's output in $log and the bursts heard in
# $heard.
log=""
heard=""
limit=60 # s
play() { # play case-dir step...
    local dir="$1"
    shift
    parec -d testsink.monitor --format=s16le --rate="$rate" --channels=1 --raw --latency-msec=20 \
        >"$dir.raw" 2>"$dir.parec.log" &
    rec_pid=$!
    sleep 0.3
    (cd "$dir" && timeout "$limit" "${run[@]}" "$@" </dev/null >"$dir.log" 2>&1; echo "exit $?" >>"$dir.log")
    sleep 0.3
    kill "$rec_pid" 2>/dev/null
    wait "$rec_pid" 2>/dev/null
    rec_pid=""
    log="$(cat "$dir.log")"
    heard="$(bursts "$dir.raw")"
    local shown="$(tail -n 8 <<<"$log")" # the stress run's log is thousands of lines
    echo "  $(basename "$dir"): ${shown//$'\n'/; }"
    echo "  heard [${heard//$'\n'/; }] (start s, length s, Hz)"
}

tone() { # tone file hz seconds [sox format options]
    local file="$1" hz="$2" seconds="$3"
    shift 3
    sox -n "$@" "$file" synth "$seconds" sine "$hz" vol 0.5
}
mk() { mkdir -p "$work/$1" && echo "$work/$1"; }

count_is() { [[ "$(grep -c . <<<"$heard")" == "$1" ]]; }
# every burst heard lies within [lo, hi] Hz and [minlen, maxlen] s
all_bursts() {
    [[ -n "$heard" ]] && awk -v lo="$1" -v hi="$2" -v minlen="$3" -v maxlen="$4" \
        '$3 < lo || $3 > hi || $2 < minlen || $2 > maxlen { bad = 1 } END { exit bad }' <<<"$heard"
}
heard_one() { count_is 1 && all_bursts "$@"; }
heard_beeps() { count_is 3 && all_bursts 836 924 0.08 0.17; }
logged() { grep -qF -- "$1" <<<"$log"; }
# lines starting so appear in this order in the player's output (others may come between)
in_order() {
    awk 'BEGIN { for (i = 1; i < ARGC; i++) want[i] = ARGV[i]; n = ARGC - 1; ARGC = 1; k = 1 }
         k <= n && index($0, want[k]) == 1 { k++ }
         END { exit !(k > n) }' "$@" <<<"$log"
}
# Every cue call (and time-out report) came back within us microseconds, and
# ran no event inside. The bounds are not speeds: each is half of what a cue
# that waited would wait for (the sound it starts, the file it would read, the
# timeout it would sit out), so that a loaded machine does not fail them.
calls_within() { # us [the lines to look at, else the player's output]
    awk -v us="$1" '/ returned after | opened after / && !/^timesup/ { n++; for (i = 1; i < NF; i++) if ($i == "after" && $(i + 1) > us) bad = 1 }
        / nested events / && $NF != 0 { bad = 1 } END { exit bad || !n }' <<<"${2:-$log}"
}
stopped_within() { awk -v ms="$1" '/^stopped in / { ok = $3 <= ms } END { exit !ok }' <<<"$log"; }
# exit 0, nothing found by AddressSanitizer, no file descriptor left open
clean_exit() { logged "exit 0" && ! logged "AddressSanitizer" && logged "descriptors left open 0"; }
used_cpu_within() { awk -v ms="$1" '/^processor time / { ok = $3 <= ms } END { exit !ok }' <<<"$log"; }

if [[ "${2:-}" == stress ]]; then
    count="${KORVANE_STRESS_COUNT:-10000}"
    limit=$((60 + count / 100))
    echo "== $count cues cutting each other off under CPU load, the player under AddressSanitizer"
    d="$(mk stress)"
    tone "$d/warning1.wav" 440 0.6 -r 44100 -c 1 -b 16
    tone "$d/warning2.wav" 550 0.3 -r 22050 -c 2 -b 24
    tone "$d/end.wav" 1000 0.3 -r 48000 -c 2 -b 16
    printf 'RIFF....WAVE not sound\n' >"$d/warning.wav" # warning 3 fails on the sound thread
    for _ in $(seq "$(nproc)"); do
        nice -n 5 bash -c 'while :; do :; done' &
        busy_pids+=($!)
    done
    # The cues in a random order, each cutting off the last, with 0-2 ms between.
    awk -v n="$count" 'BEGIN { srand(); split("warning1 warning2 warning3 close timesup:0", cue)
        for (i = 0; i < n; i++) printf "%s\nwait:%d\n", cue[int(rand() * 5) + 1], int(rand() * 3)
        print "close\nwait:300\nwarning1\nwait:900" }' >"$d.steps"
    play "$d" "@$d.steps"
    kill "${busy_pids[@]}" 2>/dev/null
    busy_pids=()
    awk '/ returned after | opened after / { n++; for (i = 1; i < NF; i++) if ($i == "after" && $(i + 1) > most) most = $(i + 1) }
         END { printf "  %d calls, the longest %d us\n", n, most }' <<<"$log"
    check "stress: no call waited for a sound (half the shortest, 0.15 s) or ran an event inside" calls_within 150000
    heard="$(tail -1 <<<"$heard")"
    check "stress: the last cue heard whole afterwards (440 Hz, 0.6 s)" heard_one 418 462 0.5 0.75
    check "stress: clean under AddressSanitizer, exit 0" clean_exit
    check "stress: stopped without waiting out the server's start timeout" stopped_within 500
    echo "$passed passed, $failed failed"
    [[ $failed -eq 0 ]]
    exit
fi

echo "== each warning plays its own file, in any of the wave formats"
for c in "1 440 -r 44100 -c 1 -b 16" "2 550 -r 44100 -c 2 -b 24" "3 770 -r 22050 -c 1 -b 32 -e floating-point" \
    "1 330 -r 8000 -c 2 -b 64 -e floating-point"; do
    read -r n hz opts <<<"$c"
    d="$(mk "own$n-$hz")"
    tone "$d/warning$n.wav" "$hz" 0.6 $opts
    tone "$d/warning.wav" 660 0.6 -r 16000 -c 1 -b 8 -e unsigned-integer
    play "$d" "warning$n" wait:900
    check "warning$n: $hz Hz of warning$n.wav heard once, 0.6 s" heard_one $((hz * 95 / 100)) $((hz * 105 / 100)) 0.5 0.75
    check "warning$n: cue returned without waiting for its sound, no beeps, clean exit" eval 'calls_within 300000 && ! logged beep && clean_exit'
done

echo "== warning.wav (8-bit) serves a warning without its own file, or with a folder in its place"
d="$(mk shared)"
mkdir "$d/warning1.wav"
tone "$d/warning.wav" 660 0.6 -r 16000 -c 1 -b 8 -e unsigned-integer
play "$d" warning1 wait:900
check "warning1 without its file: 660 Hz of warning.wav heard once" heard_one 627 693 0.5 0.75

echo "== a new warning cuts off the one playing; no event runs inside the cue"
d="$(mk replace)"
tone "$d/warning1.wav" 440 4 -r 48000 -c 1 -b 16
tone "$d/warning2.wav" 550 0.5 -r 48000 -c 1 -b 16
tone "$d/warning3.wav" 770 4 -r 48000 -c 1 -b 16
play "$d" warning1 wait:400 warning2 wait:900 warning3 wait:300
# The first two run together: 0.4 s of 440 Hz, then 0.5 s of 550 Hz at once. The
# analyser may hear them as one burst, or as two when the switch leaves a short gap.
check "replace: 440 Hz cut off by 550 Hz after about 0.4 s, then 770 Hz, cut off at exit" \
    awk '{ s[NR] = $1; l[NR] = $2; f[NR] = $3 }
         END {
             if (NR == 2) ok = f[1] > 440 && f[1] < 550 && l[1] > 0.8 && l[1] < 1.05
             else if (NR == 3) ok = f[1] > 418 && f[1] < 462 && l[1] > 0.3 && l[1] < 0.5 &&
                                   f[2] > 522 && f[2] < 578 && l[2] > 0.4 && l[2] < 0.6 &&
                                   s[2] - s[1] - l[1] < 0.1
             ok = ok && f[NR] > 731 && f[NR] < 809 && l[NR] < 0.5
             exit !ok }' <<<"$heard"
check "replace: each cue returned without waiting for its sound, no event dispatched inside" calls_within 250000
check "replace: stopped without waiting for the 4 s sound playing, clean exit" eval 'stopped_within 1800 && clean_exit'

echo "== a sound that fails after a newer cue came is no failure: no beeps"
d="$(mk stale)"
printf 'RIFF....WAVE not sound\n' >"$d/warning1.wav"
tone "$d/warning2.wav" 550 0.5 -r 48000 -c 1 -b 16
play "$d" warning1 warning2 wait:900
check "stale failure: warning 2 heard whole, no beeps" eval 'heard_one 522 578 0.4 0.65 && ! logged beep'

echo "== no usable file: three beeps"
d="$(mk none)"
printf 'RIFF....WAVEthis is not sound at all\n' >"$d/warning1.wav"
play "$d" warning2 wait:900 warning1 wait:900
check "no file, then a broken one: three 880 Hz beeps of about 120 ms each time" \
    eval 'count_is 6 && all_bursts 836 924 0.08 0.17'
ramps="$(edges "$d.raw")"
echo "  each beep's first and last millisecond against its middle: ${ramps//$'\n'/ }"
check "no file: each beep fades in and out (first and last millisecond under 0.4 of the middle)" \
    awk '$1 >= 0.4 || $2 >= 0.4 { bad = 1 } END { exit bad || NR != 6 }' <<<"$ramps"
check "no file: beeps on the output, not the fallback" \
    eval 'in_order "beep x3" "warning2 returned" "warning1 returned" "beep x3" && ! logged fallback'

echo "== time out: end.wav plays while the box is up and stops when it goes"
d="$(mk end)"
tone "$d/end.wav" 1000 4 -r 48000 -c 2 -b 16
play "$d" timesup:600 wait:900
check "timesup: 1000 Hz heard while the box is up, about 0.6 s" heard_one 950 1050 0.4 0.9
check "timesup: report, dismissed" in_order "report 時間切れです" "report dismissed"
check "timesup: the player idle while it waits (under 0.3 s of processor time in 1.5 s), clean exit" \
    eval 'used_cpu_within 300 && clean_exit'

echo "== end.wav or warning.wav that is no small ordinary file: the cue returns at once and beeps"
bad_file() { # bad_file kind path
    case "$1" in
    fifo) mkfifo "$2" ;;
    zero) ln -s /dev/zero "$2" ;;
    dir) mkdir "$2" ;;
    big) tone "$2" 1000 0.1 -r 48000 -c 1 -b 16 && truncate -s 65M "$2" ;;
    esac
}
for kind in fifo zero dir big; do
    d="$(mk "bad-$kind")"
    bad_file "$kind" "$d/end.wav"
    play "$d" timesup:800
    check "end.wav $kind: report opened without waiting for the beeps, three beeps" eval 'calls_within 250000 && heard_beeps'
done
for kind in fifo zero; do
    d="$(mk "badwarn-$kind")"
    bad_file "$kind" "$d/warning.wav"
    play "$d" warning3 wait:900
    check "warning.wav $kind: warning 3 returned without waiting for the beeps, three beeps" eval 'calls_within 250000 && heard_beeps'
done

echo "== a long valid end.wav (50 MB) plays without holding the box back"
d="$(mk longwave)"
tone "$d/end.wav" 1000 270 -r 48000 -c 2 -b 16
# What reading it on the caller's thread would cost, on this machine as loaded now.
read_us="$(awk -v a="$EPOCHREALTIME" -v b="$(cat "$d/end.wav" >/dev/null; echo "$EPOCHREALTIME")" 'BEGIN { printf "%d", (b - a) * 1e6 }')"
play "$d" timesup:800
echo "  reading the file whole takes ${read_us} us here"
check "long end.wav: report opened in under half the file's reading time, 1000 Hz heard while the box is up" \
    eval 'calls_within $((read_us / 2)) && heard_one 950 1050 0.2 1.2'

echo "== the stream, named コルヴァン, is let go after the sound's end while the player waits on"
d="$(mk release)"
tone "$d/warning1.wav" 440 0.5 -r 48000 -c 1 -b 16
start="$EPOCHREALTIME"
(cd "$d" && "$player" warning1 wait:4000 >"$d.log" 2>&1) &
pid=$!
props="" gone=""
while kill -0 "$pid" 2>/dev/null && [[ -z "$gone" ]]; do
    inputs="$(pactl list sink-inputs 2>/dev/null)"
    if grep -q "Sink Input" <<<"$inputs"; then props="$inputs"; elif [[ -n "$props" ]]; then gone="$EPOCHREALTIME"; fi
    sleep 0.05
done
wait "$pid"
# An upper bound: the sound ended no sooner than 0.5 s after the player was started.
release="$(awk -v a="$start" -v b="${gone:-0}" 'BEGIN { printf "%.2f", b - a - 0.5 }')"
echo "  the stream was gone ${release} s after the sound's end at the latest (polled every 50 ms)"
# The mixer shows the stream with the program's installed icon, named in its desktop entry.
icon="$(sed -n 's/^Icon=//p' "$(dirname "$0")"/../desktop/*.desktop)"
check "release: the stream is named コルヴァン, an event sound of コルヴァン, with its icon $icon" \
    eval 'grep -q "media.name = \"コルヴァン\"" <<<"$props" && grep -q "application.name = \"コルヴァン\"" <<<"$props" &&
        grep -q "media.role = \"event\"" <<<"$props" && grep -qF "application.icon_name = \"$icon\"" <<<"$props"'
check "release: gone after the sound's end, before the player's exit" awk -v r="$release" 'BEGIN { exit !(r > 0) }'

echo "== no sound server: the injected fallback beeps"
d="$(mk nooutput)"
tone "$d/end.wav" 1000 0.6 -r 48000 -c 2 -b 16
(cd "$d" && PULSE_SERVER="unix:$work/nothing-here" timeout 20 "${run[@]}" timesup:300 wait:300 </dev/null >"$d.log" 2>&1)
log="$(cat "$d.log")"
check "no server: the box opens at once, the sound fails, its beeps fail, the fallback beeps" \
    eval 'calls_within 250000 && in_order "report 時間切れです" "beep x3" "fallback beep x3"'

# Starts a 4 s warning 1, does something to the server a moment into it, then
# asks for warning 2 and exits: the player must carry on, beep and stop promptly.
lose_output() { # lose_output case-dir command...
    local dir="$1"
    shift
    tone "$dir/warning1.wav" 440 4 -r 48000 -c 1 -b 16
    tone "$dir/warning2.wav" 550 0.5 -r 48000 -c 1 -b 16
    : >"$dir.log"
    (cd "$dir" && timeout 20 "${run[@]}" warning1 wait:800 warning2 wait:2600 </dev/null >>"$dir.log" 2>&1
        echo "exit $?" >>"$dir.log") &
    local pid=$!
    sleep 0.5
    "$@"
    wait "$pid"
    log="$(cat "$dir.log")"
    echo "  ${log//$'\n'/; }"
}
lost() { # lost what
    check "$1: warning 2 returned at once, its failure beeped, then the fallback" \
        eval 'calls_within 250000 "$(grep warning2 <<<"$log")" && in_order "warning2 returned" "beep x3" "fallback beep x3"'
    check "$1: stopped without waiting out the server's start timeout, clean exit" eval 'stopped_within 500 && clean_exit'
}

echo "== the sink goes away while warning 1 plays"
lose_output "$(mk sinkgone)" pactl unload-module module-null-sink
lost "sink gone"
pactl load-module module-null-sink sink_name=testsink rate="$rate" norewinds=1 >/dev/null
pactl set-default-sink testsink

echo "== the sound server hangs while warning 1 plays"
lose_output "$(mk serverhangs)" kill -STOP "$server_pid"
kill -CONT "$server_pid"
lost "server hangs"

echo "== the sound server dies while warning 1 plays"
kill_server() { kill -9 "$server_pid" && wait "$server_pid" 2>/dev/null; server_pid=""; }
lose_output "$(mk servergone)" kill_server
lost "server gone"

checks_done
