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

# shellcheck source=../../scripts/xvfb.sh
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xvfb.sh"

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

start_xvfb "$work"
unset WAYLAND_DISPLAY XAUTHORITY
export QT_QPA_PLATFORM=xcb
status=0
"$@" || status=$?
exit $status
