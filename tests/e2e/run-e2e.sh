#!/usr/bin/env bash
# Runs one end-to-end test script on a private desktop of its own:
#
#   run-e2e.sh TOVRIN_BINARY ARTIFACT_DIR TEST_SCRIPT [TEST_NAMES...]
#
# Starts an X server (Xvfb, 1280x1024x24, on a free display number that Xvfb picks
# itself, so tests can run in parallel), the openbox window manager and a private D-Bus
# session (whose accessibility bus is started on demand), with a private home, config
# and runtime folder. Then runs the Python test script with Debian's python3 inside that
# session and ends everything it started. Exits with the test script's status.
# Screenshots go to ARTIFACT_DIR, which is emptied first.
set -euo pipefail

# shellcheck source=../../scripts/xvfb.sh
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xvfb.sh"
# shellcheck source=private-session.sh
. "$(dirname "${BASH_SOURCE[0]}")/private-session.sh"

if [ $# -lt 3 ]; then
    echo "usage: $0 TOVRIN_BINARY ARTIFACT_DIR TEST_SCRIPT [TEST_NAMES...]" >&2
    exit 2
fi
binary=$1
artifacts=$2
script=$3
shift 3
python=${TOVRIN_E2E_PYTHON:-/usr/bin/python3}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [ ! -x "$binary" ]; then
    echo "run-e2e: no program at $binary (build the tovrin target first)" >&2
    exit 1
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/tovrin-e2e.XXXXXX")
xvfb_pid=
wm_pid=

cleanup() {
    local pid
    for pid in $wm_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in $wm_pid $xvfb_pid; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

start_xvfb "$work"
display=$DISPLAY

prepare_private_session "$work" "$artifacts" "$here" "$binary"
unset WAYLAND_DISPLAY
export DISPLAY=$display QT_QPA_PLATFORM=xcb

# Openbox names itself the window manager early in its start-up, but a window mapped before the
# start-up has ended may never be shown: the tests wait until openbox runs its start-up command,
# which it does once it handles every new window, and which marks the root window.
openbox --sm-disable --startup "xprop -root -f TOVRIN_E2E_WM_READY 32c -set TOVRIN_E2E_WM_READY 1" \
    >"$work/openbox.log" 2>&1 &
wm_pid=$!
deadline=$((SECONDS + 30))
until xprop -root TOVRIN_E2E_WM_READY 2>/dev/null | grep -q '= 1$'; do
    if ! kill -0 "$wm_pid" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
        echo "run-e2e: openbox did not start:" >&2
        cat "$work/openbox.log" >&2
        exit 1
    fi
    sleep 0.05
done

echo "run-e2e: display $display, artefacts in $artifacts"
status=0
dbus-run-session -- "$python" "$script" "$@" </dev/null || status=$?
exit $status
