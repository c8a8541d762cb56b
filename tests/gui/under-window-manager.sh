#!/usr/bin/env bash
# under-window-manager.sh PROGRAM [ARGS...]
# Runs a test program on a private Xvfb screen with openbox managing it, where
# windows get frames and title bars as on a desktop (offscreen they have
# none). Exits 77, counted as skipped, where Xvfb or openbox is missing.
set -u

for tool in Xvfb openbox xprop; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is not installed (Debian: apt-get install xvfb openbox x11-utils)"
        exit 77
    fi
done

work=$(mktemp -d)
cleanup() {
    [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null
    [ -n "${server:-}" ] && kill "$server" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number to the pipe.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
server=$!
if ! read -r -t 20 number <"$work/display"; then
    echo "Xvfb did not start:"
    cat "$work/xvfb.log"
    exit 1
fi
export DISPLAY=":$number"

HOME="$work" openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm=$!
# openbox is ready once it names itself on the root window; a test run
# without it would prove nothing about frames.
managed=
for _ in $(seq 100); do
    if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
        managed=1
        break
    fi
    sleep 0.1
done
if [ -z "$managed" ]; then
    echo "openbox did not start managing the screen within 10 s:"
    cat "$work/openbox.log"
    exit 1
fi

QT_QPA_PLATFORM=xcb "$@"
