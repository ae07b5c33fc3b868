#!/bin/bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for
# SECONDS (default 10) on a scratch copy of its seed corpus, so nothing new is
# written into the repository. Fails if a target finds anything; the input
# that did it is kept in build-fuzz/fuzz-artifacts/.
#
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-10}"
build="$root/build-fuzz"
"$root/scripts/deps.sh"

# The libraries are instrumented as well (coverage and sanitizers, but not
# libFuzzer's main, which only the fuzz executables link).
flags="-O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
if [[ ! -f "$build/CMakeCache.txt" ]]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE= \
        -DCMAKE_CXX_FLAGS="$flags" -DKORVANE_FUZZ=ON
fi
cmake --build "$build" -j2 --target fuzz_readsettings fuzz_parsedecimal

work="$(mktemp -d /tmp/korvane-fuzz.XXXXXX)"
trap 'rm -rf "$work"' EXIT
artifacts="$build/fuzz-artifacts"
mkdir -p "$artifacts"

# Most of a run is the sanitizer's allocator: a smaller quarantine and no
# allocation stacks make it about three times faster. For a full report rerun
# the kept input with ASAN_OPTIONS set otherwise.
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=16:malloc_context_size=0}"
failed=0
for name in readsettings parsedecimal; do
    cp -r "$root/fuzz/corpus/$name" "$work/$name"
    echo "== fuzz_$name for ${seconds} s"
    if ! "$build/fuzz/fuzz_$name" "$work/$name" -dict="$root/fuzz/$name.dict" \
        -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$artifacts/$name-" 2>"$work/$name.log"; then
        tail -n 60 "$work/$name.log"
        echo "FAIL: fuzz_$name found a fault; the input is in $artifacts/"
        failed=1
        continue
    fi
    grep -E '^(#[0-9]+ +DONE|Done|stat::)' "$work/$name.log" || true
    echo "corpus: $(ls "$work/$name" | wc -l) inputs"
done
exit "$failed"
