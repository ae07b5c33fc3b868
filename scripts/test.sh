#!/bin/bash
# Builds everything and runs every test, the audio test, the package check
# and a short fuzz run included.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh" test
"$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
cd "$root/build"
ctest --output-on-failure -j"$(nproc)"
# The Debian package, checked as Debian's tools and the software centres see it.
rm -f korvane_*.deb
cpack | grep -F 'generated.'
"$root/scripts/check_package.sh" korvane_*.deb
"$root/scripts/fuzz.sh" 15
