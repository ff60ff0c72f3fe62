#!/usr/bin/env bash
# Starts the program on a virtual X server and checks, with xwininfo, that its window carries the
# caption and has the 555 x 428 client area. Exit code 77 tells CTest the check was skipped.
set -u
program=$1

if ! command -v Xvfb >/dev/null || ! command -v xwininfo >/dev/null; then
    echo "Xvfb or xwininfo not installed: skipped"
    exit 77
fi

work=$(mktemp -d)
cleanup() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null && wait "$app" 2>/dev/null
    [ -n "${server:-}" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# -displayfd lets the server pick a free display itself and say which once it accepts clients,
# so parallel runs cannot race for the same number.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
server=$!
for _ in $(seq 1 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
if [ ! -s "$work/display" ]; then
    echo "Xvfb did not start:"
    cat "$work/xvfb.log"
    exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"

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
