#!/usr/bin/env bash
# Builds the parser's libFuzzer target in its own build folder and runs it for the given number of
# seconds (default 60) on a copy of the committed seed corpus. Usage: scripts/fuzz-parser.sh [seconds]
set -euo pipefail

seconds="${1:-60}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-fuzz-parser"

cmake -G Ninja -S "$root" -B "$build" -DAKT_BUILD_FUZZ=ON -DAKT_BUILD_TESTS=OFF \
    -DAKT_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" --target fuzz_parser

# New inputs the fuzzer finds go to a scratch corpus, so the committed seeds stay small.
work="$build/corpus"
mkdir -p "$work"
# Its progress lines go to a log; the summary is printed, and the whole log when it found something.
log="$build/fuzz.log"
echo "fuzzing the script parser for ${seconds} s (log: $log)"
if ! "$build/fuzz/fuzz_parser" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
    -print_final_stats=1 -artifact_prefix="$build/" "$work" "$root/fuzz/corpus" >"$log" 2>&1; then
    cat "$log"
    echo "the parser fuzzer found a failing input (see above and $build/)"
    exit 1
fi
grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|Done)' "$log" || tail -n 3 "$log"
