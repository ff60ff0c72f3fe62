#!/usr/bin/env bash
# The whole program against Firebird's isql on the same generated scripts, embedded and through the
# server on 127.0.0.1, the two tools alternating run by run. Each script runs alone in create mode
# (as DBSRC/0/<name>.SQL) and, on the same bytes, in isql into a new database made with the
# program's parameters. Prints every run, the medians and their ratio; the program's figure leaves
# out the half second create mode waits before it starts, by design. Peak memory comes from GNU time
# when it is installed. Scripts: 20,000 and 200,000 single-row INSERTs, a mixed script (DDL,
# procedures under SET TERM, UPDATEs and DELETEs) and every script of the peer corpus.
# Usage: bench/against_isql.sh BUILD_FOLDER [repetitions] [corpus folder]
#        (a Release build: cmake -DCMAKE_BUILD_TYPE=Release; the server from scripts/start-firebird-server.sh)
set -euo pipefail

build=${1:?usage: $0 BUILD_FOLDER [repetitions] [corpus folder]}
repetitions=${2:-5}
corpus=${3:-$(dirname "$0")/../../shared/peer-corpus}
program=$(realpath "$build/src/app/aktualizacja")
[ -x "$program" ] || { echo "no program at $program" >&2; exit 1; }
server_password=plumbjoin
startup_wait=0.5

work=$(mktemp -d /tmp/akt_against_isql.XXXXXX)
chmod 777 "$work" # the server opens its database files as its own user
trap 'rm -rf "$work"' EXIT

inserts() { # count
    awk -v n="$1" 'BEGIN { print "CREATE TABLE T (ID INTEGER, NAZWA VARCHAR(40));";
        for (i = 1; i <= n; i++) printf "INSERT INTO T VALUES (%d, '"'"'wiersz numer %d'"'"');\n", i, i;
        print "COMMIT;" }'
}

mixed() {
    awk 'BEGIN {
        print "CREATE TABLE KLIENCI (ID INTEGER NOT NULL PRIMARY KEY, NAZWA VARCHAR(60), SALDO NUMERIC(12,2));";
        print "CREATE GENERATOR GEN_KLIENCI;";
        print "SET TERM ^ ;";
        print "CREATE TRIGGER KLIENCI_BI FOR KLIENCI BEFORE INSERT AS BEGIN";
        print "  IF (NEW.ID IS NULL) THEN NEW.ID = GEN_ID(GEN_KLIENCI, 1); END^";
        print "CREATE PROCEDURE DOPISZ (ILE INTEGER) AS BEGIN";
        print "  UPDATE KLIENCI SET SALDO = SALDO + :ILE WHERE ID <= :ILE; END^";
        print "SET TERM ; ^";
        for (i = 1; i <= 20000; i++) {
            printf "INSERT INTO KLIENCI (NAZWA, SALDO) VALUES ('"'"'Klient %d'"'"', %d.50);\n", i, i % 1000;
            if (i % 10 == 0) printf "UPDATE KLIENCI SET SALDO = SALDO * 2 WHERE ID = %d;\n", i - 5;
            if (i % 50 == 0) printf "DELETE FROM KLIENCI WHERE ID = %d;\n", i - 7;
            if (i % 2000 == 0) { printf "EXECUTE PROCEDURE DOPISZ(%d);\n", i / 100;
                printf "COMMIT;\nCREATE INDEX KLIENCI_%d ON KLIENCI (SALDO);\n", i }
        }
        print "COMMIT;" }'
}

median() {
    printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Runs a command, prints "seconds peak_kilobytes exit_code" (peak 0 without GNU time).
measure() {
    if [ -x /usr/bin/time ]; then
        /usr/bin/time -f '%e %M %x' -o "$work/time" "$@" >"$work/out" 2>&1 || true
        tail -n 1 "$work/time" # GNU time puts "Command exited with non-zero status" in front
    else
        local begin end code=0
        begin=$(date +%s.%N)
        "$@" >"$work/out" 2>&1 || code=$?
        end=$(date +%s.%N)
        awk -v b="$begin" -v e="$end" -v c="$code" 'BEGIN { printf "%.3f 0 %d\n", e - b, c }'
    fi
}

scripts=("$work/scripts")
mkdir -p "$work/scripts"
inserts 20000 >"$work/scripts/inserts_20000.SQL"
inserts 200000 >"$work/scripts/inserts_200000.SQL"
mixed >"$work/scripts/mixed.SQL"
if [ -d "$corpus" ]; then
    cp "$corpus"/*.SQL "$work/scripts/"
else
    echo "(no peer corpus at $corpus)"
fi

printf '%-26s %-8s %12s %12s %7s %10s %10s\n' script target program_s isql_s ratio prog_MB isql_MB
for script in "$work"/scripts/*.SQL; do
    name=$(basename "$script" .SQL)
    folder="$work/program_$name"
    mkdir -p "$folder/DBSRC/0"
    cp "$program" "$folder/aktualizacja"
    cp "$script" "$folder/DBSRC/0/$name.SQL"
    for target in embedded server; do
        if [ "$target" = server ]; then host=127.0.0.1 password=$server_password prefix=127.0.0.1:; else
            host="" password=masterkey prefix=""; fi
        ours=() theirs=() our_memory=() their_memory=() codes=""
        for ((run = 1; run <= repetitions; run++)); do
            rm -f "$work/p.fdb" "$work/i.fdb"
            read -r seconds kilobytes code < <(cd "$folder" && measure env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= \
                ./aktualizacja "$host" "$work/p.fdb" SYSDBA "$password" T)
            ours+=("$(awk -v s="$seconds" -v w="$startup_wait" 'BEGIN { printf "%.3f", s - w }')")
            our_memory+=("$kilobytes")
            codes+="$code/"
            { printf "CREATE DATABASE '%s%s' USER 'SYSDBA' PASSWORD '%s' PAGE_SIZE 4096 DEFAULT CHARACTER SET WIN1250;\n" \
                "$prefix" "$work/i.fdb" "$password"; cat "$script"; printf '\nCOMMIT;\n'; } >"$work/isql.sql"
            read -r seconds kilobytes code < <(measure isql-fb -q -i "$work/isql.sql")
            codes+="$code "
            theirs+=("$seconds")
            their_memory+=("$kilobytes")
        done
        a=$(median "${ours[@]}") b=$(median "${theirs[@]}")
        printf '%-26s %-8s %12s %12s %7s %10s %10s\n' "$name" "$target" "$a" "$b" \
            "$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }')" \
            "$(( $(median "${our_memory[@]}") / 1024 ))" "$(( $(median "${their_memory[@]}") / 1024 ))"
        echo "    program runs: ${ours[*]}; isql runs: ${theirs[*]}; exit codes (program/isql): $codes"
    done
done
