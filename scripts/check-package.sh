#!/usr/bin/env bash
# Installs the Debian package into a fresh Debian 12 root and does the program's main job there:
# create mode on an embedded database, without a display, once through /usr/bin/aktualizacja as
# root and once by a plain user from a writable copy of the program folder; then reads the database
# back with isql-fb. Prints the figures (package size, debootstrap and apt times, the run's time and
# exit code). Run as root; it downloads a whole Debian root, so it is not part of the tests.
# Usage: scripts/check-package.sh [package.deb] [root folder]
#        (defaults: build-package/aktualizacja_*.deb from scripts/package.sh, /var/tmp/aktualizacja-root;
#        the root folder is made anew)
set -euo pipefail
cd "$(dirname "$0")/.."

package=$(realpath "${1:-$(ls build-package/aktualizacja_*.deb)}")
root=$(realpath -m "${2:-/var/tmp/aktualizacja-root}")

mounted=()
unmount_all() {
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount "${mounted[i]}" || umount -l "${mounted[i]}"
    done
    mounted=()
}
trap unmount_all EXIT

# Removing a root that still has /dev or /proc mounted in it would remove the machine's own.
remove_old_root() {
    if [ "$root" = / ]; then
        echo "the root folder must not be /" >&2
        exit 1
    fi
    if findmnt -rn -o TARGET | grep -q "^$root/"; then
        echo "$root still has file systems mounted in it; unmount them first" >&2
        exit 1
    fi
    rm -rf "$root"
}

# The mirror this machine's apt already reaches, so the root comes from the same place.
debian_mirror() {
    local uri
    uri=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/* 2>/dev/null | grep -v '^[[:space:]]*#' |
        grep -oE 'https?://[^ ]+/debian/?( |$)' | head -n1 | tr -d ' ') || true
    echo "${uri:-http://deb.debian.org/debian}"
}

seconds_since() {
    awk -v start="$1" -v now="$(date +%s.%N)" 'BEGIN { printf "%.1f", now - start }'
}

in_root() {
    chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"
}

command -v debootstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null

remove_old_root
mirror=$(debian_mirror)
echo "== debootstrap bookworm (minbase) from $mirror into $root"
start=$(date +%s.%N)
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.debootstrap.log" 2>&1 ||
    { tail -n 20 "$root.debootstrap.log"; exit 1; }
debootstrap_seconds=$(seconds_since "$start")

mount -t proc proc "$root/proc" && mounted+=("$root/proc")
# debootstrap makes the device nodes itself where it may; elsewhere the machine's /dev is lent.
if [ ! -c "$root/dev/null" ]; then
    mount --bind /dev "$root/dev" && mounted+=("$root/dev")
fi

echo "== apt-get install ./$(basename "$package")"
cp "$package" "$root/tmp/"
packages_before=$(in_root dpkg-query -W | wc -l)
start=$(date +%s.%N)
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "/tmp/$(basename "$package")" \
    >"$root.apt.log" 2>&1 || { tail -n 20 "$root.apt.log"; exit 1; }
apt_seconds=$(seconds_since "$start")
packages_after=$(in_root dpkg-query -W | wc -l)
grep -E '^Depends|^Recommends' <(dpkg-deb --field "$package")

echo "== --version through the /usr/bin link"
in_root aktualizacja --version

# The plain user goes first: the embedded engine's lock folder, /tmp/firebird, is made with mode
# 0770 by whoever uses the engine first, and once root has made it no plain user may use it.
echo "== create mode by a plain user, from a copy of the program folder"
in_root useradd --create-home aktuser
# shellcheck disable=SC2016 # $HOME is the user's, expanded by the user's shell
in_root su aktuser -c 'cp -r /opt/aktualizacja "$HOME/aktualizacja"'
user_code=0
# shellcheck disable=SC2016
in_root su aktuser -c '"$HOME/aktualizacja/aktualizacja" "" /tmp/aktuser.fdb SYSDBA masterkey T' \
    >"$root.run-user.log" 2>&1 || user_code=$?
tail -n 3 "$root.run-user.log"
echo "exit code $user_code; log.txt: $(ls "$root/home/aktuser/aktualizacja/log.txt")"

echo "== create mode through /usr/bin/aktualizacja, as root"
start=$(date +%s.%N)
code=0
in_root aktualizacja "" /tmp/root.fdb SYSDBA masterkey T >"$root.run-root.log" 2>&1 || code=$?
run_seconds=$(seconds_since "$start")
tail -n 3 "$root.run-root.log"
echo "exit code $code in ${run_seconds}s; log.txt written in the real folder: $(ls "$root/opt/aktualizacja/log.txt")"

echo "== the installed program's version and its check of the DBSRC beside it"
in_root aktualizacja --version
check_code=0
in_root aktualizacja --check || check_code=$?
echo "check exit code $check_code"

# One line per database: schema version, rows of KLIENCI, the procedure from DBSRC/5/.
read_back() {
    # shellcheck disable=SC2016 # RDB$ names are SQL, not shell
    printf '%s\n' 'SET LIST ON;' \
        "SELECT (SELECT DBVER FROM T_PROGRAM) AS DBVER, (SELECT COUNT(*) FROM KLIENCI) AS KLIENCI," \
        "(SELECT COUNT(*) FROM RDB\$PROCEDURES WHERE RDB\$PROCEDURE_NAME = 'NASTEPNY_NUMER') AS PROCEDURES" \
        'FROM RDB$DATABASE;' >"$root/tmp/read-back.sql"
    { in_root isql-fb -q -user SYSDBA -password masterkey -input /tmp/read-back.sql "$1" 2>&1 || true; } |
        awk 'NF == 2 { line = line sep $1 "=" $2; sep = " " } END { print line }'
}
echo "== the databases, read back with isql-fb"
root_check=$(read_back /tmp/root.fdb)
user_check=$(read_back /tmp/aktuser.fdb)
echo "/tmp/root.fdb:     $root_check"
echo "/tmp/aktuser.fdb: $user_check"

expected="DBVER=5 KLIENCI=2 PROCEDURES=1"
echo
echo "== figures"
echo "package:        $(stat -c %s "$package") bytes ($(basename "$package"))"
echo "debootstrap:    ${debootstrap_seconds}s"
echo "apt install:    ${apt_seconds}s, $((packages_after - packages_before)) packages added" \
    "to the $packages_before of minbase"
echo "create run:     ${run_seconds}s, exit code $code (as root); exit code $user_code (plain user, copied folder)"
if [ "$code" -eq 0 ] && [ "$user_code" -eq 0 ] && [ "$check_code" -eq 0 ] &&
    [ "$root_check" = "$expected" ] && [ "$user_check" = "$expected" ]; then
    echo "database check: passed ($expected)"
else
    echo "database check: FAILED (expected $expected)"
    exit 1
fi
