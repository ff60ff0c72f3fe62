#!/usr/bin/env bash
# Starts the Firebird 3 server on 127.0.0.1:3050 for the tests and makes sure SYSDBA's password is the
# fixed administrator password the backup tool uses. Run as root. Safe to run again: a running server is
# left alone and a password that is already right is not changed.
set -euo pipefail

readonly admin_password=plumbjoin
readonly conf=/etc/firebird/3.0/firebird.conf
readonly packaged_password_file=/etc/firebird/3.0/SYSDBA.password
readonly host=127.0.0.1
readonly port=3050

listening() {
    # Bash's /dev/tcp needs no extra tool; the subshell closes the socket again.
    (exec 3<>"/dev/tcp/${host}/${port}") 2>/dev/null
}

# The user the firebird server process runs as, empty when none runs. Read from /proc: a minimal system
# has no ps.
running_server_user() {
    local process
    for process in /proc/[0-9]*; do
        if [ "$(cat "$process/comm" 2>/dev/null)" = firebird ]; then
            stat -c %U "$process" 2>/dev/null
            return 0
        fi
    done
    return 0
}

# The tests reach the server on 127.0.0.1. A bind address of "localhost" is fine only while it resolves to
# 127.0.0.1; any other address (or ::1) is replaced before the server starts.
fix_bind_address() {
    local current
    current=$(sed -n 's/^[[:space:]]*RemoteBindAddress[[:space:]]*=[[:space:]]*\([^[:space:]#]*\).*/\1/p' "$conf" | tail -n 1)
    case "$current" in
    "" | 127.0.0.1) return ;;
    localhost)
        getent ahostsv4 localhost | grep -q '^127\.0\.0\.1' && return
        ;;
    esac
    echo "start-firebird-server: RemoteBindAddress '${current}' changed to 127.0.0.1"
    sed -i 's/^[[:space:]]*RemoteBindAddress[[:space:]]*=.*/RemoteBindAddress = 127.0.0.1/' "$conf"
}

can_login() {
    # The service manager proves the password without needing any database; the security database itself
    # refuses remote connections.
    fbsvcmgr "${host}:service_mgr" -user SYSDBA -password "$1" info_server_version >/dev/null 2>&1
}

packaged_password() {
    [ -r "$packaged_password_file" ] || return 1
    # The file is a shell fragment (ISC_USER=..., ISC_PASSWORD="..."); read it without executing it.
    sed -n 's/^ISC_PASSWORD="\{0,1\}\([^"]*\)"\{0,1\}[[:space:]]*$/\1/p' "$packaged_password_file" | tail -n 1
}

# The backup tool restores database files as root (it opens them directly); a server started by the
# package's init script runs as the firebird user and could not open them. Such a server is stopped
# through that same init script and started again as root.
server_user=$(running_server_user)
if [ -n "$server_user" ] && [ "$server_user" != root ] && [ -x /etc/init.d/firebird3.0 ]; then
    echo "start-firebird-server: the server runs as ${server_user}; starting it again as root"
    /etc/init.d/firebird3.0 stop || true
    for _ in $(seq 1 30); do
        listening || break
        sleep 0.5
    done
fi

if ! listening; then
    fix_bind_address
    mkdir -p /run/firebird3.0
    /usr/sbin/fbguard -daemon -forever
fi

for _ in $(seq 1 60); do
    listening && break
    sleep 0.5
done
if ! listening; then
    echo "start-firebird-server: nothing listens on ${host}:${port} after 30 seconds" >&2
    exit 1
fi

if can_login "$admin_password"; then
    echo "start-firebird-server: server up on ${host}:${port}, SYSDBA password already set"
    exit 0
fi

old_password=$(packaged_password || true)
if [ -z "$old_password" ] || ! can_login "$old_password"; then
    echo "start-firebird-server: cannot log in as SYSDBA with '${admin_password}' nor with the password in ${packaged_password_file}" >&2
    exit 1
fi
# ALTER USER works from any attachment, but security.db takes no remote ones and the running server holds it
# exclusively, so the change goes through a scratch database on the server, dropped again afterwards.
scratch_dir=$(mktemp -d)
trap 'rm -rf "$scratch_dir"' EXIT
isql-fb -q -user SYSDBA -password "$old_password" <<EOF
CREATE DATABASE '${host}:${scratch_dir}/password-change.fdb';
ALTER USER SYSDBA PASSWORD '${admin_password}';
COMMIT;
DROP DATABASE;
EOF
if ! can_login "$admin_password"; then
    echo "start-firebird-server: the SYSDBA password change did not take effect" >&2
    exit 1
fi
echo "start-firebird-server: server up on ${host}:${port}, SYSDBA password set"
