#!/usr/bin/env bash
# The whole program on many small scripts: create mode without a display on an embedded database,
# DBSRC holding a table script and N one-row insert scripts. Runs N = 1,000 and 10,000 in turn, a few
# times each, and prints the median wall times, their ratio (a linear run keeps it near 10), every
# exit code and the rows read back with isql-fb, which must equal N.
# Usage: bench/run_many_scripts.sh BUILD_FOLDER [repetitions]   (a Release build, say build-rel)
set -euo pipefail

build=${1:?usage: $0 BUILD_FOLDER [repetitions]}
repetitions=${2:-3}
counts=(1000 10000)
program=$(realpath "$build/src/app/aktualizacja")
[ -x "$program" ] || { echo "no program at $program" >&2; exit 1; }

work=$(mktemp -d /tmp/akt_many_scripts.XXXXXX)
trap 'rm -rf "$work"' EXIT

# One program folder per count: the executable and its DBSRC tree.
make_program_folder() {
    local count=$1 folder="$work/program_$1"
    mkdir -p "$folder/DBSRC"
    cp "$program" "$folder/aktualizacja"
    printf 'CREATE TABLE T (ID INTEGER);\r\n' >"$folder/DBSRC/01_T.SQL"
    local n name
    for ((n = 1; n <= count; n++)); do
        printf -v name '02_%05d.SQL' "$n"
        printf 'INSERT INTO T VALUES (%d);\r\n' "$n" >"$folder/DBSRC/$name"
    done
}

rows_in() {
    printf 'SELECT COUNT(*) FROM T;\n' | isql-fb -q -u SYSDBA -p masterkey "$1" 2>&1 | awk '$1 ~ /^[0-9]+$/ { print $1 }'
}

median() {
    printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

declare -A times codes rows
for count in "${counts[@]}"; do
    make_program_folder "$count"
done

for ((repetition = 1; repetition <= repetitions; repetition++)); do
    for count in "${counts[@]}"; do
        folder="$work/program_$count"
        database="$work/x_$count.fdb"
        rm -f "$database"
        begin=$(date +%s.%N)
        code=0
        (cd "$folder" && env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= \
            ./aktualizacja "" "$database" SYSDBA masterkey T >"$work/stderr_$count" 2>&1) || code=$?
        end=$(date +%s.%N)
        seconds=$(awk -v b="$begin" -v e="$end" 'BEGIN { printf "%.3f", e - b }')
        read_back=$(rows_in "$database")
        times[$count]+="$seconds "
        codes[$count]+="$code "
        rows[$count]+="${read_back:-none} "
        printf 'N=%-6d run %d: %7.3f s, exit code %d, rows %s\n' "$count" "$repetition" "$seconds" "$code" \
            "${read_back:-none}"
        if [ "$code" != 0 ]; then
            sed 's/^/    /' "$work/stderr_$count" | head -n 5
        fi
    done
done

echo
status=0
for count in "${counts[@]}"; do
    # shellcheck disable=SC2086
    printf 'N=%-6d median %7.3f s, exit codes: %s, rows: %s\n' "$count" "$(median ${times[$count]})" \
        "${codes[$count]% }" "${rows[$count]% }"
    for got in ${rows[$count]}; do
        [ "$got" = "$count" ] || status=1
    done
    for code in ${codes[$count]}; do
        [ "$code" = 0 ] || status=1
    done
done
# shellcheck disable=SC2086
small=$(median ${times[${counts[0]}]})
# shellcheck disable=SC2086
large=$(median ${times[${counts[1]}]})
awk -v s="$small" -v l="$large" -v a="${counts[0]}" -v b="${counts[1]}" \
    'BEGIN { printf "count ratio %.1f, median time ratio %.1f\n", b / a, l / s }'
[ "$status" = 0 ] || echo "some run did not end with exit code 0 or did not leave N rows" >&2
exit "$status"
