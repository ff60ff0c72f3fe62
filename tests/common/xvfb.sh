# shellcheck shell=bash
# Sourced by the tests that run the program on a virtual X server.
#
#   require_tools Xvfb xdotool   exits 77 (CTest: skipped) when one of the tools is not installed
#   start_xvfb                   makes $work (a temporary folder), starts Xvfb and exports DISPLAY
#
# On exit the program under test ($app, when the caller started one and left its PID there) and
# the server are ended and $work is removed.

require_tools() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "$tool not installed: skipped"
            exit 77
        fi
    done
}

xvfb_cleanup() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null && wait "$app" 2>/dev/null
    [ -n "${server:-}" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
    [ -n "${work:-}" ] && rm -rf "$work"
}

start_xvfb() {
    work=$(mktemp -d)
    trap xvfb_cleanup EXIT
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
    DISPLAY=":$(head -n1 "$work/display")"
    export DISPLAY
}
