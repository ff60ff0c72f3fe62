#!/usr/bin/env bash
# Checks that the areas depend on each other only downwards: every #include of a source file names
# its own area or one listed before it below (the same order as the top CMakeLists.txt). With
# --build it then configures a fresh build folder and builds each area's library alone, in that
# order, so an area that needs one further down fails to compile on its own.
# Usage: scripts/check-layers.sh [--build]
set -euo pipefail
cd "$(dirname "$0")/.."

# area folder, library, and the areas its sources may include
areas=(
    "src/support akt_support support"
    "src/update/firebird akt_firebird support update/firebird"
    "src/update/parser akt_parser update/parser"
    "src/update/catalogue akt_catalogue support update/catalogue"
    "src/update/database akt_database support update/firebird update/database"
    "src/update/executor akt_executor support update/firebird update/parser update/executor"
    "src/app akt_app_view support update/firebird update/parser update/catalogue update/database update/executor app"
)

status=0
for entry in "${areas[@]}"; do
    read -r folder _ allowed <<<"$entry"
    pattern=$(tr ' ' '|' <<<"$allowed")
    while IFS= read -r line; do
        echo "layer violation: $line"
        status=1
    done < <(grep -HnE '^#include "' "$folder"/*.h "$folder"/*.cpp | grep -vE "#include \"($pattern)/")
done
[ $status -eq 0 ] && echo "check-layers: every include points down or into its own area"

if [ "${1:-}" = "--build" ]; then
    build=$(mktemp -d)
    trap 'rm -rf "$build"' EXIT
    cmake -G Ninja -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DAKT_BUILD_TESTS=OFF -DAKT_BUILD_BENCH=OFF >/dev/null
    for entry in "${areas[@]}"; do
        read -r _ library _ <<<"$entry"
        if cmake --build "$build" --target "$library" >/dev/null; then
            echo "built alone: $library"
        else
            echo "does not build alone: $library"
            status=1
        fi
    done
fi
exit $status
