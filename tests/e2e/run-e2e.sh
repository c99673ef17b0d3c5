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

mkdir -p "$work/home" "$work/config" "$work/data" "$work/cache" "$work/runtime" "$work/tmp" \
    "$work/bin"
chmod 700 "$work/runtime"

# The program opens web addresses through xdg-open. Here xdg-open only notes each address,
# one a line, in the file the tests read (tovrin_e2e.opened_urls()); no browser starts.
cat >"$work/bin/xdg-open" <<'SCRIPT'
#!/bin/sh
printf '%s\n' "$*" >>"$TOVRIN_E2E_OPENED"
SCRIPT
chmod +x "$work/bin/xdg-open"
: >"$work/opened-urls"
rm -rf "$artifacts"
mkdir -p "$artifacts"

start_xvfb "$work"
display=$DISPLAY

export DISPLAY=$display
unset WAYLAND_DISPLAY XAUTHORITY DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS SESSION_MANAGER
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data \
    XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/runtime TMPDIR=$work/tmp
export LC_ALL=C.UTF-8 LANG=C.UTF-8
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
export NO_AT_BRIDGE=0 PYTHONDONTWRITEBYTECODE=1
# pyatspi calls Atspi getters that newer Atspi marks deprecated; the warnings are noise.
export PYTHONWARNINGS=ignore::DeprecationWarning:pyatspi.Accessibility
export PYTHONPATH=$here${PYTHONPATH:+:$PYTHONPATH}
export TOVRIN_BINARY=$binary TOVRIN_E2E_ARTIFACTS=$artifacts
export TOVRIN_E2E_OPENED=$work/opened-urls PATH=$work/bin:$PATH
unset BROWSER DEFAULT_BROWSER

openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
deadline=$((SECONDS + 30))
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
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
