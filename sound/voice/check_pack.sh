#!/bin/bash
# Checks the voice phrases, one line a file: each is a plain RIFF WAVE, 16-bit
# PCM mono at the pack's rate (44-byte header, nothing but "fmt " and "data");
# its speech starts within 5 ms of the file's start and ends within 10 ms of
# its end; its RMS is within 1 dB of -20 dBFS; no sample is clipped.
# Exits non-zero when any file fails or is missing.
#   check_pack.sh               the files phrases.tsv names, beside this script
#   check_pack.sh FILE.wav...   those files
# make_pack.sh sources it, so that the pack is cut by the same rule it is
# checked by.
#
# Measures, all over the samples as numbers of full scale (16-bit: s / 32768):
#  - speech: a sample whose absolute value reaches 1 % of full scale (-40 dBFS,
#    328 in 16 bits). The noise the synthesiser puts before the speech peaks
#    at -48 dBFS at most, once brought to the pack's level, so it never counts.
#  - onset: the time of the first such sample from the file's start; tail:
#    the time from the last one to the file's end.
#  - RMS: over every sample of the file, 10 log10(mean of squares) dBFS (a
#    full-scale square wave is 0 dBFS, a full-scale sine -3.01), as sox's
#    "stats" reports it.

voice_rate=24000
speech_level=0.01
max_onset_ms=5
max_tail_ms=10
target_rms_db=-20
rms_tolerance_db=1

# Reads one sample a line (divided by SCALE) and prints "count first last
# rms_db peak_db": the first and last index (from 0) of a sample reaching
# LEVEL, searched in [FROM, TO] (-1 when none); RMS and peak over all samples.
scan() { # scan LEVEL [SCALE [FROM [TO]]]
    awk -v level="$1" -v scale="${2:-1}" -v from="${3:-0}" -v to="${4:-1e18}" '
        {
            x = $1 / scale
            v = x < 0 ? -x : x
            sum += x * x
            if (v > peak) peak = v
            if (v >= level && n >= from && n <= to) { if (first < 0) first = n; last = n }
            n++
        }
        BEGIN { first = -1; last = -1 }
        END {
            rms = n && sum > 0 ? 10 * log(sum / n) / log(10) : -999
            pk = peak > 0 ? 20 * log(peak) / log(10) : -999
            printf "%d %d %d %.2f %.2f\n", n, first, last, rms, pk
        }'
}

# The 16-bit samples of a plain wave file (its header is 44 bytes).
wave_samples() { od -An -v -w2 -td2 --endian=little -j44 "$1"; }

# Prints nothing for a plain 16-bit mono PCM wave at voice_rate, else what is wrong.
format_fault() {
    local file="$1" size
    size=$(stat -c %s "$file")
    od -An -v -tu1 -N44 "$file" | awk -v size="$size" -v rate="$voice_rate" '
        { for (i = 1; i <= NF; i++) b[n++] = $i }
        function tag(at) { return sprintf("%c%c%c%c", b[at], b[at + 1], b[at + 2], b[at + 3]) }
        function u16(at) { return b[at] + 256 * b[at + 1] }
        function u32(at) { return u16(at) + 65536 * u16(at + 2) }
        END {
            if (n < 44) { print "shorter than a wave header"; exit }
            if (tag(0) != "RIFF" || tag(8) != "WAVE" || tag(12) != "fmt ") { print "no RIFF WAVE"; exit }
            if (u32(16) != 16 || u16(20) != 1) { print "no plain PCM (format " u16(20) ", fmt size " u32(16) ")"; exit }
            if (tag(36) != "data") { print "a chunk before the samples"; exit }
            if (u16(22) != 1 || u16(34) != 16 || u16(32) != 2) { print u16(22) " channels, " u16(34) " bits"; exit }
            if (u32(24) != rate || u32(28) != 2 * rate) { print u32(24) " Hz"; exit }
            if (u32(4) != size - 8 || u32(40) != size - 44 || u32(40) < 2 || u32(40) % 2)
                { print "chunk sizes do not match the file"; exit }
        }'
}

# One table line for FILE; returns non-zero when it fails.
check_file() {
    local file="$1" name fault n first last rms peak
    name=$(basename "$file")
    if [[ ! -f $file ]]; then
        printf '%-16s %s\n' "$name" "FAIL: missing"
        return 1
    fi
    fault=$(format_fault "$file")
    if [[ -n $fault ]]; then
        printf '%-16s %s\n' "$name" "FAIL: $fault"
        return 1
    fi
    read -r n first last rms peak < <(wave_samples "$file" | scan "$speech_level" 32768)
    awk -v name="$name" -v n="$n" -v first="$first" -v last="$last" -v rms="$rms" -v peak="$peak" \
        -v rate="$voice_rate" -v max_onset="$max_onset_ms" -v max_tail="$max_tail_ms" \
        -v target="$target_rms_db" -v tolerance="$rms_tolerance_db" '
        BEGIN {
            ms = 1000 / rate
            onset = first < 0 ? -1 : first * ms
            tail = last < 0 ? -1 : (n - 1 - last) * ms
            fault = ""
            if (first < 0) fault = fault " no speech"
            else {
                if (onset > max_onset) fault = fault " late onset"
                if (tail > max_tail) fault = fault " trailing silence"
            }
            if (rms < target - tolerance || rms > target + tolerance) fault = fault " level"
            # 32767 is the most a 16-bit sample can be: a clipped wave has it.
            if (peak >= 20 * log(32767 / 32768) / log(10)) fault = fault " clipped"
            printf "%-16s %7.0f %8.2f %7.2f %8.2f %8.2f  %s\n", name, n * ms, onset, tail, rms, peak,
                fault == "" ? "ok" : "FAIL:" fault
            exit fault != ""
        }'
}

check_pack() {
    local here files=() file failed=0 bytes=0
    here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
    if (($#)); then
        files=("$@")
    else
        while IFS=$'\t' read -r name _; do
            [[ $name == '#'* || -z $name ]] || files+=("$here/$name.wav")
        done <"$here/phrases.tsv"
    fi
    printf '%-16s %7s %8s %7s %8s %8s  %s\n' file "len ms" "onset ms" "tail ms" "RMS dBFS" "peak dBFS" result
    for file in "${files[@]}"; do
        check_file "$file" || failed=$((failed + 1))
        [[ -f $file ]] && bytes=$((bytes + $(stat -c %s "$file")))
    done
    echo "${#files[@]} files, $bytes bytes; speech from -40 dBFS, onset <= $max_onset_ms ms," \
        "tail <= $max_tail_ms ms, RMS $target_rms_db +/- $rms_tolerance_db dBFS, $voice_rate Hz 16-bit mono PCM"
    if ((failed)); then
        echo "$failed of ${#files[@]} files FAIL"
        return 1
    fi
    echo "all ${#files[@]} files ok"
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    set -euo pipefail
    check_pack "$@"
fi
