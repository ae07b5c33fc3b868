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
# Exits STATUS having said what matches PATTERN, on standard output for 0
# and on standard error otherwise, and nothing on the other.
answers() { # answers "what" STATUS PATTERN "VAR=value..." "argument..."
    local what="$1" status="$2" pattern="$3" said other got
    said="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $4 timeout 20 "$korvane" $5 2>"$errors")"
    got=$? other="$(<"$errors")"
    ((status)) && { local swap="$said"; said="$other" other="$swap"; }
    check "$what" eval '[[ $got == "$status" && "$said" =~ $pattern && -z "$other" ]]'
}
answers "--version: 'korvane $version', exit 0" 0 "^korvane $version\$" "" --version
answers "--help: usage in Japanese and English, exit 0" 0 "使い方: korvane.*Usage: korvane" "" --help
answers "an unknown argument named, exit 2" 2 "不明な引数「-x」.*unknown argument '-x'" QT_QPA_PLATFORM=offscreen -x
answers "no display: a graphical session asked for, exit 1" 1 "グラフィカルなセッション.*graphical session" "" ""
answers "a display that is not there: the same, not Qt's abort" 1 "グラフィカルなセッション.*graphical session" DISPLAY=:9999 ""
checks_done
