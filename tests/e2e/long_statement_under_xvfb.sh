#!/usr/bin/env bash
# Create mode on a real X server with a script whose failing statement is one 12 MB line (beyond
# the engine's statement limit). The log box shows a bounded piece of it, so the run ends within
# seconds of the engine's answer instead of laying the line out for minutes; log.txt keeps it whole.
# Usage: long_statement_under_xvfb.sh PROGRAM EXAMPLES [SCREENSHOT.png]
# Exit code 77 tells CTest the check was skipped.
set -u
program=$1
examples=$2
screenshot=${3:-}
# shellcheck source=tests/common/xvfb.sh
source "${BASH_SOURCE[0]%/*}/../common/xvfb.sh" || exit 1

require_tools Xvfb
start_xvfb

folder=$work/program
mkdir -p "$folder"
cp "$program" "$folder/aktualizacja"
cp -r "$examples" "$folder/DBSRC"
literal_bytes=$((12 * 1024 * 1024))
{
    printf "INSERT INTO NIE_MA_TAKIEJ_TABELI VALUES ('"
    head -c "$literal_bytes" /dev/zero | tr '\0' 'x'
    printf "');\r\n"
} >"$folder/DBSRC/06_DLUGI.SQL"

start=$(date +%s%N)
QT_QPA_PLATFORM=xcb "$folder/aktualizacja" "" "$folder/demo.fdb" SYSDBA masterkey T &
app=$!
if [ -n "$screenshot" ] && command -v import >/dev/null; then
    # The window stays up for the length of the run; catch it once the log box has its text.
    for _ in $(seq 1 50); do
        sleep 0.2
        kill -0 "$app" 2>/dev/null || break
        import -window root "$screenshot" 2>/dev/null
    done
fi
# A hang guard, not a speed target: before the log box was bounded this took far longer.
for _ in $(seq 1 1800); do
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$app" 2>/dev/null; then
    echo "the run had not ended after 180 s"
    exit 1
fi
wait "$app"
code=$?
app=""
elapsed_ms=$((($(date +%s%N) - start) / 1000000))
echo "run with a ${literal_bytes}-byte failing statement: exit code $code, ${elapsed_ms} ms"

if [ "$code" != 2 ]; then
    echo "exit code $code, expected 2"
    cat "$folder/log.txt" 2>/dev/null | head -c 2000
    exit 1
fi
if ! grep -q "Niepodzenie linia:1" "$folder/log.txt"; then
    echo "log.txt does not report the failed statement"
    exit 1
fi
longest=$(awk '{ if (length($0) > max) max = length($0) } END { print max }' "$folder/log.txt")
if [ "$longest" -lt "$literal_bytes" ]; then
    echo "log.txt lost part of the statement: longest line $longest bytes"
    exit 1
fi
echo "log.txt keeps the whole statement ($longest bytes on one line)"
