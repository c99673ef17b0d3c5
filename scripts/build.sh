#!/usr/bin/env bash
# Configures (CMake, Ninja) and builds Tovrin and its tests in build/ of the repository.
# Extra arguments go to the CMake configure step, e.g. scripts/build.sh -DTOVRIN_BASE_URL=...
# TOVRIN_BUILD_DIR and TOVRIN_JOBS override the build folder and the number of parallel jobs;
# TOVRIN_BUILD_TARGET builds one target (e.g. tovrin, the program alone) instead of everything.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${TOVRIN_BUILD_DIR:-$root/build}
jobs=${TOVRIN_JOBS:-2}

cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="${CMAKE_BUILD_TYPE:-Debug}" "$@"
cmake --build "$build_dir" -j "$jobs" ${TOVRIN_BUILD_TARGET:+--target "$TOVRIN_BUILD_TARGET"}
