#!/usr/bin/env bash
# Starts the program on a virtual X server with a client library file that does not exist: the
# error box "Error" must appear before any window of the program, and once it is answered with
# Enter the program must end with exit code 1. Exit code 77 tells CTest the check was skipped.
set -u
program=$1
# shellcheck source=tests/common/xvfb.sh
source "${BASH_SOURCE[0]%/*}/../common/xvfb.sh" || exit 1

require_tools Xvfb xdotool
start_xvfb

AKT_FBCLIENT="$work/libfbclient-missing.so.2" QT_QPA_PLATFORM=xcb "$program" "" "$work/x.fdb" SYSDBA x T &
app=$!
box=""
for _ in $(seq 1 150); do
    box=$(xdotool search --name '^Error$' 2>/dev/null | head -n1) && [ -n "$box" ] && break
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$box" ]; then
    echo "no error box appeared"
    exit 1
fi
if xdotool search --name '^Vostrelink Wendaphor$' >/dev/null 2>&1; then
    echo "the main window was shown although the client library is missing"
    exit 1
fi
# No window manager runs here: give the box the input focus, then press Enter.
xdotool windowfocus --sync "$box" 2>/dev/null
xdotool key Return
for _ in $(seq 1 100); do
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
done
wait "$app"
code=$?
app=""
if [ "$code" != 1 ]; then
    echo "exit code $code, expected 1"
    exit 1
fi
echo "error box shown and answered; exit code 1"
