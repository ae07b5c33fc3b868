#!/bin/bash
# Builds and starts the clock in the current directory (where its settings
# and sound files are looked up).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh"
exec "$root/build/ui/korvane"
