#!/usr/bin/env bash
# Starts the program on a virtual X server and checks, with xwininfo, that its window carries the
# caption and has the 555 x 428 client area. Exit code 77 tells CTest the check was skipped.
set -u
program=$1
# shellcheck source=tests/common/xvfb.sh
source "${BASH_SOURCE[0]%/*}/../common/xvfb.sh" || exit 1

require_tools Xvfb xwininfo
start_xvfb

QT_QPA_PLATFORM=xcb "$program" &
app=$!
info=""
for _ in $(seq 1 100); do
    info=$(xwininfo -name "Vostrelink Wendaphor" 2>/dev/null) && break
    info=""
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$info" ]; then
    echo "no window named \"Vostrelink Wendaphor\" appeared"
    exit 1
fi
echo "$info"
width=$(sed -n 's/^ *Width: //p' <<<"$info")
height=$(sed -n 's/^ *Height: //p' <<<"$info")
if [ "$width" != 555 ] || [ "$height" != 428 ]; then
    echo "client area ${width}x${height}, expected 555x428"
    exit 1
fi
