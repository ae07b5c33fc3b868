#!/bin/bash
# Plays cues through the real audio path into a private PulseAudio null sink,
# records the sink's monitor and checks what was heard (which tone, how many
# bursts, how long), how long each cue held the calling thread, that no event
# ran inside a cue, what the server saw of the stream, and how fast the player
# stops; then the voice, heard from the program itself (korvane, played with
# the keyboard under an X server of its own). Needs pulseaudio,
# pulseaudio-utils (parec, pactl), sox, xvfb, xdotool and x11-utils (xprop).
#
#   scripts/audio_test.sh path/to/cue_player          the cases
#   scripts/audio_test.sh path/to/cue_player stress   cues cutting each other off
#       under CPU load; KORVANE_STRESS_COUNT sets how many (10000)
#   scripts/audio_test.sh path/to/cue_player voice    the voice's timing game
#       alone (bench/voicelag.sh runs it again and again)
# KORVANE_BIN is the program (else ui/korvane in the player's build tree).
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
for tool in pulseaudio pactl parec sox awk Xvfb xdotool xprop; do
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
app_pid=""
xvfb_pid=""
busy_pids=()
cleanup() {
    [[ -n "$rec_pid" ]] && kill "$rec_pid" 2>/dev/null && wait "$rec_pid" 2>/dev/null
    [[ -n "$app_pid" ]] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
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

# ---- The voice, heard from the program itself -------------------------------
# korvane plays under an X server of its own, set up by its korvane.ini and
# played with the keyboard as the players would. Its phrases are mono and
# reach both channels of the sink; the cue sounds we give it are stereo with
# the right channel silent. So the right channel is the voice alone, and left
# minus right the cues alone: a phrase and a cue at once part cleanly.
korvane="${KORVANE_BIN:-$(dirname "$player")/../../ui/korvane}"
pack="$(dirname "$0")/../sound/voice"

# The sounds of a stereo recording, one line each, in order: "voice" or
# "cue", its first and last audible sample (s) and its pitch (Hz, from zero
# crossings; for a cue). Audible: reaching 1 % of full scale, the rule the
# voice pack is cut by. A sound ends after 100 ms with nothing audible, longer
# than any pause inside a phrase (73 ms at most in the pack).
sounds() {
    od -An -v -td2 -w4 "$1" | awk -v rate="$rate" '
        function feed(c, x,   a) {
            a = x < 0 ? -x : x
            if (a >= 328) {
                if (on[c] && n - last[c] > rate * 0.1) report(c)
                if (!on[c]) { on[c] = 1; first[c] = n; zc[c] = 0 }
                last[c] = n
            }
            if (on[c] && (x >= 0) != (prev[c] >= 0)) zc[c]++
            prev[c] = x
        }
        function report(c) {
            on[c] = 0
            printf "%s %.4f %.4f %.0f\n", c, first[c] / rate, last[c] / rate, zc[c] / 2 / ((last[c] - first[c] + 1) / rate)
        }
        { feed("voice", $2); feed("cue", $1 - $2); n++ }
        END { if (on["voice"]) report("voice"); if (on["cue"]) report("cue") }' | sort -k2,2n
}

left_tone() { sox -n -r "$rate" -c 2 -b 16 "$1" synth "$3" sine "$2" vol 0.3 remix 1 0; } # left_tone file hz seconds
settings() { # settings case-dir byo-yomi wtime1 voice(0|1): no main time, no increment, LEFT first
    {
        printf '[コルヴァン設定ファイル]\r\n'
        printf 'text1(%d).text=0\r\n' 0 1 2 3 4
        printf 'text1(5).text=%s\r\nfirst=0\r\nwtime1=%s\r\nwtime2=99\r\nwtime3=99\r\n' "$2" "$3"
        (($4)) && printf 'voice=1\r\n'
        printf 'end\r\n'
    } >"$1/korvane.ini"
}
phrase_length() { soxi -D "$pack/$1.wav"; }
clients_were() { [[ "$(paste -sd' ' "$d.clients")" == "$1" ]]; } # clients_were "N …": the counts in case-dir $d

# Plays korvane in case-dir while the sink is recorded in stereo: "セット" by
# the keyboard, then each step: a key (z: LEFT's key, p: pause), sleep:S,
# clients (how many of korvane's connections the server has, a line of
# case-dir.clients) or box (the time-out report awaited and dismissed).
# Leaves the sounds heard in $heard.
dialog_shown() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$app_pid"); do
        xprop -id "$w" _NET_WM_WINDOW_TYPE | grep -q DIALOG && return
    done
    return 1
}
game() { # game case-dir step...
    local dir="$1" win step
    shift
    if [[ -z "$xvfb_pid" ]]; then
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
        xvfb_pid=$!
        for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
        DISPLAY=":$(cat "$work/display")"
        export DISPLAY
    fi
    parec -d testsink.monitor --format=s16le --rate="$rate" --channels=2 --raw --latency-msec=5 \
        >"$dir.raw" 2>"$dir.parec.log" &
    rec_pid=$!
    (cd "$dir" && QT_QPA_PLATFORM=xcb exec "$korvane") </dev/null >"$dir.log" 2>&1 &
    app_pid=$!
    win="$(timeout 30 xdotool search --sync --onlyvisible --pid "$app_pid" | head -1)"
    # The focus starts in Text1(0); seven tabs on is "セット".
    xdotool windowfocus --sync "$win" key Tab Tab Tab Tab Tab Tab Tab space
    for step; do
        case "$step" in
        sleep:*) sleep "${step#sleep:}" ;;
        clients) pactl list clients | grep -c 'application.name = "コルヴァン"' >>"$dir.clients" ;;
        box)
            for _ in $(seq 100); do dialog_shown && break; sleep 0.1; done
            sleep 0.3
            xdotool key Return
            ;;
        *) xdotool key "$step" ;;
        esac
    done 2>>"$dir.xdotool.log"
    sleep 0.3
    kill "$app_pid" && wait "$app_pid" 2>/dev/null
    app_pid=""
    kill "$rec_pid" && wait "$rec_pid" 2>/dev/null
    rec_pid=""
    heard="$(sounds "$dir.raw")"
    echo "  $(basename "$dir"): heard [${heard//$'\n'/; }] (what, first and last audible s, Hz)"
}

# Byo-yomi from the start, 30 s a move, to the time-out. A warning at 5 s
# left (1.8 s of 440 Hz from the tick that rounds to 5: 5.4 s left) starts
# while "4" sounds (the club's own, in voice/: 0.8 s of noise) and sounds on
# while "5" and "6" start: all four must be heard whole. Leaves in $errors a
# line a phrase heard before end.wav: the phrase, its onset error (ms)
# against end.wav's onset less 20, 10, 9 … 1 s, whether it was heard whole
# (its length at least its file's less 30 ms) and whether the warning
# sounded with it.
voice_timing() {
    d="$(mk voice-timing)"
    settings "$d" 30 5 1
    left_tone "$d/end.wav" 1000 2
    left_tone "$d/warning1.wav" 440 1.8
    mkdir "$d/voice"
    sox -n -r 24000 -c 1 -b 16 "$d/voice/count4.wav" synth 0.8 whitenoise vol 0.3
    game "$d" z sleep:15 clients sleep:14.5 box sleep:0.3 clients
    local names="sec10 sec20 count1 count2 count3 count4 count5 count6 count7 count8 count9" lengths="" name
    for name in $names; do lengths+="$(soxi -D "$d/voice/$name.wav" 2>/dev/null || phrase_length "$name") "; done
    errors="$(awk -v names="$names" -v lengths="$lengths" '
        $1 == "cue" && $4 > 950 && $4 < 1050 && end == "" { end = $2 }
        $1 == "cue" && $4 > 418 && $4 < 462 { ws = $2; we = $3 }
        $1 == "voice" && end == "" { on[++n] = $2; off[n] = $3 }
        END {
            split(names, name); split(lengths, want); split("20 10 9 8 7 6 5 4 3 2 1", before)
            for (i = 1; i <= n; i++)
                printf "%s %+.1f %s %s\n", (i <= 11 ? name[i] : "extra"), (on[i] - (end - before[i])) * 1000,
                    (off[i] - on[i] >= want[i] - 0.03 ? "whole" : "cut"), (on[i] < we && off[i] > ws ? "warning" : "-")
        }' <<<"$heard")"
    echo "  onset errors (ms) against end.wav: $(awk '{ printf "%s %s  ", $1, $2 }' <<<"$errors")"
}
phrases_whole() { # and the warning sounding with "4", "5" and "6" only
    awk '$3 != "whole" || ($1 ~ /^count[456]$/) != ($4 == "warning") { bad = 1 } END { exit bad }' <<<"$errors"
}
warning_whole() { awk '$1 == "cue" && $4 > 418 && $4 < 462 && $3 - $2 > 1.75 { ok = 1 } END { exit !ok }' <<<"$heard"; }
# end.wav is never early (its tick falls on the second or after it), but its
# cue, connecting afresh, may start 100 ms late or more on a loaded machine
# (bench/voicelag.sh): so a phrase more than 50 ms after its moment against
# end.wav is more than 50 ms late, and the phrases must lie within 50 ms of
# their own common second (the median of their errors); half a second early
# is no lateness of end.wav's.
on_time() {
    awk '{ e[NR] = $2; s[NR] = $2 } END {
            for (i = 2; i <= NR; i++) for (j = i; j > 1 && s[j - 1] > s[j]; j--) { t = s[j]; s[j] = s[j - 1]; s[j - 1] = t }
            mid = s[6]
            for (i = 1; i <= NR; i++) if (e[i] > 50 || e[i] < -500 || e[i] - mid > 50 || mid - e[i] > 50) bad = 1
            exit bad || NR != 11 }' <<<"$errors"
}
voice_timing_checks() {
    check "voice: eleven phrases before end.wav, starting 20, 10, 9 … 1 s before it, each within 50 ms" on_time
    check "voice: connected between phrases, let go at the time-out" clients_were "1 0"
    check "voice: the warning due at 5 s left (440 Hz, 1.8 s) heard whole with \"4\", \"5\" and \"6\", each phrase whole" \
        eval 'phrases_whole && warning_whole'
}

if [[ "${2:-}" == voice ]]; then
    voice_timing
    voice_timing_checks
    checks_done
    exit
fi

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
play "$d" timesup:2000 # up long enough to be heard even where a loaded server starts the stream late
echo "  reading the file whole takes ${read_us} us here"
check "long end.wav: report opened in under half the file's reading time, 1000 Hz heard while the box is up" \
    eval 'calls_within $((read_us / 2)) && heard_one 950 1050 0.2 2.4'

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

echo "== the voice, heard from korvane: byo-yomi 30 s from the start to the time-out, a warning at 5 s"
voice_timing
voice_timing_checks

echo "== the voice off: nothing before end.wav, and no connection to the sound server until then"
d="$(mk voice-off)"
settings "$d" 10 99 0
left_tone "$d/end.wav" 1000 2
game "$d" z sleep:5 clients sleep:4.5 box
check "voice off: end.wav alone heard" awk '!($1 == "cue" && $4 > 950 && $4 < 1050) { bad = 1 } END { exit bad || NR != 1 }' <<<"$heard"
check "voice off: no connection of korvane's during the game" clients_were 0

# The club's own "10秒" (2 s of noise, in voice/) makes a cut plain: the press
# at 10.5 s cuts LEFT's; RIGHT's comes 10 s after the press, and the pause at
# 10.5 s cuts it; after 1 s paused, "1" comes at 11 s of RIGHT's period.
echo "== the voice cut by a press and by a pause; the count goes on from where the period stands"
d="$(mk voice-cut)"
settings "$d" 20 99 1
mkdir "$d/voice"
sox -n -r 44100 -c 1 -b 16 "$d/voice/sec10.wav" synth 2 whitenoise vol 0.3
game "$d" z sleep:10.5 z sleep:10.5 p sleep:1 p sleep:1
count1="$(phrase_length count1)"
check "voice cut: the club's 10秒 twice, each cut well before its end (2 s), then the pack's 1 whole, no cue" \
    awk -v c1="$count1" '$1 != "voice" || NR <= 2 && ($3 - $2 < 0.2 || $3 - $2 > 1) { bad = 1 }
        NR == 3 && $3 - $2 < c1 - 0.03 { bad = 1 } END { exit bad || NR < 3 }' <<<"$heard"
# The press stops LEFT's phrase within 100 ms and starts RIGHT's 10 s: RIGHT's
# "10秒" starts 9.9 to 10.05 s (its own lateness under 50 ms) after LEFT's stops.
check "voice cut: RIGHT's count from the press, LEFT's phrase stopped within 100 ms of it" \
    awk 'NR == 1 { e = $3 } NR == 2 { g = $2 - e } END { exit !(g >= 9.9 && g <= 10.05) }' <<<"$heard"
# Stopped within 100 ms of the pause, then 1 s paused (give or take xdotool's
# start-up) and the period's last 0.5 s before "1".
check "voice cut: \"1\" 0.5 s after the resume (1.4 to 1.9 s after the pause's cut)" \
    awk 'NR == 2 { e = $3 } NR == 3 { g = $2 - e } END { exit !(g >= 1.4 && g <= 1.9) }' <<<"$heard"

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
