#!/bin/bash
# Installs what building and running the clock needs (scripts/deps.sh run),
# builds the program alone into build-run/, apart from the tests' build/, and
# starts it in the current directory (where its settings and sound files are
# looked up).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh" run
cmake -S "$root" -B "$root/build-run" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
cmake --build "$root/build-run" -j"$(nproc)" --target korvane
exec "$root/build-run/ui/korvane"
