#!/usr/bin/env bash
# Installs what building and running need (debian-packages-run.txt) and is missing, builds the
# program alone (not the tests) and starts it. Arguments go to the program.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${TOVRIN_BUILD_DIR:-$root/build}

"$root/scripts/install-deps.sh" run
TOVRIN_BUILD_TARGET=tovrin "$root/scripts/build.sh"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$build_dir/tovrin" "$@"
fi
# A machine without a desktop still runs the program, on a virtual screen.
echo "run: no display (DISPLAY is not set): starting Tovrin on a virtual X display; Ctrl+C ends it"
exec xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" "$build_dir/tovrin" "$@"
