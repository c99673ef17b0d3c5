#!/usr/bin/env bash
# Runs a command on an X server of its own, without a window manager:
#
#   run-on-xvfb.sh COMMAND [ARGS...]
#
# For unit tests that need a real display (xcb) rather than the offscreen platform, such as
# clipboard ownership. Xvfb picks a free display number itself (-displayfd), so such tests
# can run side by side with each other and with the end-to-end tests. Exits with the
# command's status.
set -euo pipefail

if [ $# -lt 1 ]; then
    echo "usage: $0 COMMAND [ARGS...]" >&2
    exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/tovrin-xvfb.XXXXXX")
xvfb_pid=
cleanup() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# Xvfb writes the display number it chose to descriptor 3 once it accepts connections.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
deadline=$((SECONDS + 30))
until [ -s "$work/display" ]; do
    if ! kill -0 "$xvfb_pid" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
        echo "run-on-xvfb: Xvfb did not start:" >&2
        cat "$work/xvfb.log" >&2
        exit 1
    fi
    sleep 0.05
done

export DISPLAY=:$(head -n 1 "$work/display")
unset WAYLAND_DISPLAY XAUTHORITY
export QT_QPA_PLATFORM=xcb
status=0
"$@" || status=$?
exit $status
