#!/bin/bash
# Builds everything and runs every test, the audio test and a short fuzz run included.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
cd "$root/build"
ctest --output-on-failure -j"$(nproc)"
"$root/scripts/fuzz.sh" 15
