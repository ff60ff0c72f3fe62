#!/usr/bin/env bash
# Fails when a tracked C++ file is not formatted as the repository's .clang-format says, and names
# the files. Usage: scripts/check-format.sh (from anywhere inside the checkout).
set -euo pipefail
cd "$(dirname "$0")/.."

# The checkout may belong to another user than the one running the tests (CI runs as root).
mapfile -t files < <(git -c safe.directory="$PWD" ls-files '*.cpp' '*.h')
if [ ${#files[@]} -eq 0 ]; then
    echo "check-format: no tracked C++ files found (is this a git checkout?)"
    exit 1
fi
report=$(mktemp)
trap 'rm -f "$report"' EXIT
if ! clang-format --dry-run --Werror "${files[@]}" 2>"$report"; then
    grep -o '^[^:]*\.\(cpp\|h\)' "$report" | sort -u | sed 's/^/not formatted: /'
    echo "check-format: run clang-format -i on the files above"
    exit 1
fi
echo "check-format: ${#files[@]} tracked C++ files formatted"
