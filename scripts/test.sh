#!/usr/bin/env bash
# Installs what is needed, checks the C++ files' formatting and includes, starts the Firebird
# server on loopback, builds the program and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer, fuzzes the script parser for a minute and runs every test. Run as
# root on Debian 12. CI runs exactly this (.ci/run).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/check-format.sh
bash scripts/check-layers.sh
bash scripts/start-firebird-server.sh

build=${AKT_TEST_BUILD:-build-test}
cmake -G Ninja -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DAKT_SANITIZE=ON -DAKT_BUILD_BENCH=OFF
cmake --build "$build" -j"$(nproc)"

bash scripts/fuzz-parser.sh "${AKT_FUZZ_SECONDS:-60}"

export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1
cd "$build"
ctest --output-on-failure -j"$(nproc)"
