#!/usr/bin/env bash
# Builds the program and shows its window in create mode over the example DBSRC tree copied beside
# the executable. Without a display the window runs on Qt's offscreen platform.
# Usage: scripts/demo.sh [database path]   (default: a new database file in the build folder)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${AKT_DEMO_BUILD:-build-demo}
cmake -G Ninja -S . -B "$build" -DAKT_BUILD_TESTS=OFF -DAKT_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target aktualizacja aktualizacja_examples

program="$build/src/app/aktualizacja"
database=${1:-$PWD/$build/demo.fdb}

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
fi

# Empty server: the database file is opened directly by the embedded engine.
exec "$program" "" "$database" SYSDBA masterkey T
