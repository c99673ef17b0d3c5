#!/usr/bin/env bash
# Runs one end-to-end test script with the program on a Wayland compositor of its own:
#
#   run-e2e-wayland.sh TOVRIN_BINARY ARTIFACT_DIR TEST_SCRIPT [TEST_NAMES...]
#
# Starts Weston without a screen (headless backend) on a socket in a private runtime folder, so
# tests can run side by side, and a private D-Bus session (whose accessibility bus is started on
# demand), with a private home and config folder and no X display at all: the program can only
# reach the compositor, through Qt's Wayland platform plugin. The test script runs with Debian's
# python3 inside that session and drives the program through the accessibility bus alone. Ends
# everything it started and exits with the test script's status. ARTIFACT_DIR is emptied first;
# Weston's log is kept there.
set -euo pipefail

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
    echo "run-e2e-wayland: no program at $binary (build the tovrin target first)" >&2
    exit 1
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/tovrin-e2e-wayland.XXXXXX")
weston_pid=

cleanup() {
    if [ -n "$weston_pid" ]; then
        kill "$weston_pid" 2>/dev/null || true
        wait "$weston_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

prepare_private_session "$work" "$artifacts" "$here" "$binary"
unset DISPLAY

socket=wayland-tovrin
weston --backend=headless-backend.so --socket="$socket" --no-config --idle-time=0 \
    --log="$artifacts/weston.log" >/dev/null 2>&1 &
weston_pid=$!
# The socket exists once Weston listens; a client that connects before its first turn of the
# event loop waits for it.
deadline=$((SECONDS + 30))
until [ -S "$XDG_RUNTIME_DIR/$socket" ]; do
    if ! kill -0 "$weston_pid" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
        echo "run-e2e-wayland: weston did not start:" >&2
        cat "$artifacts/weston.log" >&2 || true
        exit 1
    fi
    sleep 0.05
done

export WAYLAND_DISPLAY=$socket XDG_SESSION_TYPE=wayland QT_QPA_PLATFORM=wayland

echo "run-e2e-wayland: compositor $socket (weston $weston_pid), artefacts in $artifacts"
status=0
dbus-run-session -- "$python" "$script" "$@" </dev/null || status=$?
exit $status
