#!/bin/bash
# Remakes the voice phrases beside this script from scratch: Open JTalk says
# each phrase of phrases.tsv with the HTS voice "NIT ATR503 M001", and each
# file is cut to its speech and brought to one level, then all are checked.
# Run by hand (as root when a package is missing); building and CI use the
# committed files and never need the voice.
#
# Open JTalk, its NAIST dictionary and sox come from Debian's main area. The
# voice is only in contrib: it is fetched with apt-get download through an
# apt configuration of this script's own (its own sources list, lists and
# cache in a temporary folder), so the machine's sources never change.
#   DEBIAN_MIRROR (default http://deb.debian.org/debian) and DEBIAN_SUITE
#   (default: this system's codename) say where from;
#   VOICE_DEB=path/to/hts-voice-nitech-jp-atr503-m001_*.deb uses that file.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/check_pack.sh"

main_packages=(open-jtalk open-jtalk-mecab-naist-jdic sox)
voice_package=hts-voice-nitech-jp-atr503-m001
dictionary=/var/lib/mecab/dic/open-jtalk/naist-jdic
# Kept before the first and after the last sample of speech: the soft start
# of a consonant and the decay of the last sound, faded so as not to click.
lead_ms=2
trail_ms=5
# Speech is looked for only this near the stretch Open JTalk's labels mark,
# so that a breath in the silence around it is never taken for it.
search_ms=30

die() { echo "make_pack: $*" >&2; exit 1; }

install_main_packages() {
    local missing=() p
    for p in "${main_packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    ((${#missing[@]})) || return 0
    ((EUID == 0)) || die "needs: apt-get install ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-remove --no-install-recommends "${missing[@]}"
}

fetch_voice() { # prints the path of the voice's .deb
    if [[ -n ${VOICE_DEB:-} ]]; then
        echo "$VOICE_DEB"
        return
    fi
    local apt="$work/apt" suite mirror="${DEBIAN_MIRROR:-http://deb.debian.org/debian}"
    suite="${DEBIAN_SUITE:-$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")}"
    mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$work/deb"
    echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $suite contrib" >"$apt/sources.list"
    local own=(-o Dir::Etc::sourcelist="$apt/sources.list" -o Dir::Etc::sourceparts=-
        -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache")
    # apt downloads as its user _apt, which must reach the folders.
    chmod 755 "$work"
    ! id _apt >/dev/null 2>&1 || chown _apt "$work/deb"
    apt-get "${own[@]}" -qq update >&2
    (cd "$work/deb" && apt-get "${own[@]}" -qq download "$voice_package" >&2)
    ls "$work"/deb/"$voice_package"_*.deb
}

# The phonemes of Open JTalk's label output in TRACE, one line: "sil ... sil".
said_phonemes() {
    awk '/^\[Output label\]/ { on = 1; next } on && NF == 0 { exit }
        on { split($3, p, /[-+]/); printf "%s%s", sep, p[2]; sep = " " }
        END { print "" }' "$1"
}

# The sample at voice_rate where the speech of TRACE's labels starts (after
# the first "sil") and ends (before the last); labels count in 100 ns.
label_bounds() {
    awk -v rate="$voice_rate" '/^\[Output label\]/ { on = 1; next } on && NF == 0 { exit }
        on { k++; start[k] = $1; end[k] = $2 }
        END { printf "%d %d\n", end[1] * rate / 1e7, start[k] * rate / 1e7 }' "$1"
}

float_samples() { sox "$1" -t f32 - | od -An -v -w4 -tf4; }

make_phrase() { # make_phrase NAME TEXT PHONEMES
    local name="$1" text="$2" phonemes="$3" dir="$work/$1"
    mkdir -p "$dir"
    printf '%s\n' "$text" >"$dir/text.txt"
    open_jtalk -x "$dictionary" -m "$voice" -ow "$dir/raw.wav" -ot "$dir/trace.txt" "$dir/text.txt"
    local said
    said=$(said_phonemes "$dir/trace.txt")
    [[ $said == "sil $phonemes sil" ]] || die "$name: Open JTalk says \"$said\" for $text, not \"$phonemes\""

    # Resampled first, whole, so that the filter's ringing stays outside the cut.
    sox -D "$dir/raw.wav" -e floating-point -b 32 "$dir/resampled.wav" rate -v "$voice_rate"
    float_samples "$dir/resampled.wav" >"$dir/samples.txt"
    local from to rms gain
    read -r from to < <(label_bounds "$dir/trace.txt")
    # Speech is told from noise at the level the file will have: first at the
    # gain the stretch the labels mark needs, then at the gain of the cut.
    rms=$(sed -n "$((from + 1)),$((to + 1))p" "$dir/samples.txt" | scan 2 | cut -d' ' -f4)
    gain=$(awk -v t="$target_rms_db" -v r="$rms" 'BEGIN { printf "%.3f", t - r }')
    local level n first last start end cut=""
    local lead=$((voice_rate * lead_ms / 1000)) trail=$((voice_rate * trail_ms / 1000))
    local near=$((voice_rate * search_ms / 1000))
    for _ in 1 2 3 4 5; do
        level=$(awk -v l="$speech_level" -v g="$gain" 'BEGIN { printf "%.9f", l / 10 ^ (g / 20) }')
        read -r n first last _ < <(scan "$level" 1 $((from - near)) $((to + near)) <"$dir/samples.txt")
        ((first >= 0)) || die "$name: no speech found"
        start=$((first > lead ? first - lead : 0))
        end=$((last + trail < n - 1 ? last + trail : n - 1))
        [[ $cut != "$start $end" ]] || break
        cut="$start $end"
        sox -D "$dir/resampled.wav" "$dir/cut.wav" trim "${start}s" "$((end - start + 1))s" \
            fade h "${lead}s" -0 "${trail}s"
        # The level over the whole cut file, as the check measures it.
        rms=$(float_samples "$dir/cut.wav" | scan 2 | cut -d' ' -f4)
        gain=$(awk -v t="$target_rms_db" -v r="$rms" 'BEGIN { printf "%.3f", t - r }')
    done
    sox -D "$dir/cut.wav" -e signed-integer -b 16 "$dir/$name.wav" gain "$gain"
    awk -v name="$name" -v text="$text" -v said="$phonemes" -v rate="$voice_rate" -v from="$from" -v to="$to" \
        -v start="$start" -v end="$end" -v gain="$gain" 'BEGIN {
        ms = 1000 / rate
        printf "%-9s speech %6.1f-%6.1f ms by the labels, cut %6.1f-%6.1f ms, gain %+6.2f dB: %s (%s)\n",
            name, from * ms, to * ms, start * ms, (end + 1) * ms, gain, text, said }'
}

install_main_packages
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
deb=$(fetch_voice)
dpkg-deb -x "$deb" "$work/voice"
grep -q '^License: CC-BY-3.0' "$work/voice/usr/share/doc/$voice_package/copyright" ||
    die "$deb: the voice's licence is no longer CC BY 3.0; see LICENSE before using it"
voice=$(find "$work/voice" -name '*.htsvoice' | head -n1)
[[ -n $voice ]] || die "$deb holds no .htsvoice"
echo "$voice_package $(dpkg-deb -f "$deb" Version) (sha256 $(sha256sum <"$deb" | cut -d' ' -f1)),"
echo "open-jtalk $(dpkg-query -W -f='${Version}' open-jtalk)," \
    "open-jtalk-mecab-naist-jdic $(dpkg-query -W -f='${Version}' open-jtalk-mecab-naist-jdic)," \
    "sox $(dpkg-query -W -f='${Version}' sox)"

names=()
while IFS=$'\t' read -r name text _ phonemes; do
    [[ $name == '#'* || -z $name ]] && continue
    make_phrase "$name" "$text" "$phonemes"
    names+=("$name")
done <"$here/phrases.tsv"
for name in "${names[@]}"; do
    mv "$work/$name/$name.wav" "$here/$name.wav"
done
check_pack
