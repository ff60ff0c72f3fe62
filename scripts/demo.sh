#!/usr/bin/env bash
# Installs what is needed, builds the program and does its main job on the bundled example: create
# mode on an embedded database (no server), running every script of examples/DBSRC (copied beside
# the executable by the build). Without a display the program runs on its own, with no window.
# Usage: scripts/demo.sh [database path]   (default: demo.fdb in the build folder, made anew)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

build=${AKT_DEMO_BUILD:-build-demo}
cmake -G Ninja -S . -B "$build" -DAKT_BUILD_TESTS=OFF -DAKT_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target aktualizacja aktualizacja_examples

program="$PWD/$build/src/app/aktualizacja"
database=${1:-$PWD/$build/demo.fdb}
# CREATE DATABASE refuses an existing file; the demo always starts from nothing.
[ $# -gt 0 ] || rm -f "$database"

# Empty server: the database file is opened directly by the embedded engine.
code=0
"$program" "" "$database" SYSDBA masterkey T || code=$?

log="$(dirname "$program")/log.txt"
if [ -f "$log" ]; then
    echo "--- log.txt (Windows-1250, shown as UTF-8) ---"
    iconv -f WINDOWS-1250 -t UTF-8 "$log" | tr -d '\r'
fi
echo
echo "exit code: $code"
echo "database:  $database"
echo "run log:   $log"
exit "$code"
