#!/bin/bash
# What the program answers on its terminal: --help and --version without a
# display, an unknown argument, and no graphical session, plainly or a
# display that is not there. None may open the window: each must end.
#
#   tests/ui/commandline.sh path/to/korvane VERSION
set -uo pipefail
korvane="$1" version="$2"
source "$(dirname "$0")/../../scripts/checks.sh"
errors="$(mktemp)"
trap 'rm -f "$errors"' EXIT
out="" err="" status=""
run() { # run [VAR=value...] -- argument...: out, err and status
    local envs=()
    while [[ "$1" != -- ]]; do envs+=("$1"); shift; done
    shift
    out="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${envs[@]}" timeout 20 "$korvane" "$@" 2>"$errors")"
    status=$?
    err="$(cat "$errors")"
}
# Japanese and English both, on the stream
says() { [[ "$1" == *"$2"* && "$1" == *"$3"* ]]; }

run -- --version
check "--version: 'korvane $version' on standard output, exit 0" eval '[[ "$out" == "korvane $version" && -z "$err" && $status == 0 ]]'
run -- --help
check "--help: usage in Japanese and English on standard output, exit 0" \
    eval 'says "$out" "使い方: korvane" "Usage: korvane" && [[ -z "$err" && $status == 0 ]]'
run QT_QPA_PLATFORM=offscreen -- --frobnicate
check "an unknown argument: named on standard error, exit 2" \
    eval 'says "$err" "不明な引数「--frobnicate」" "unknown argument '"'"'--frobnicate'"'"'" && [[ -z "$out" && $status == 2 ]]'
run --
check "no display: a graphical session asked for, exit 1" \
    eval 'says "$err" "グラフィカルなセッション" "graphical session" && [[ $status == 1 ]]'
run DISPLAY=:9999 --
check "a display that is not there: the same, exit 1, not Qt's abort" \
    eval 'says "$err" "グラフィカルなセッション" "graphical session" && [[ $status == 1 ]]'
checks_done
