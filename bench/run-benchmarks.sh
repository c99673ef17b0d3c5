#!/usr/bin/env bash
# Builds the benchmarks with optimisation in build-bench/ and runs them all, then prints a
# summary: start-up time and peak memory of tovrin against a bare Qt window (median of RUNS runs
# each, on a private Xvfb display without a window manager), the latency of the Comprehensive
# Reading (click until the document window is painted, on the same display), and the Google
# Benchmark figures of the engine, of composing the readings and of finding the web addresses of a
# hostile document (offscreen).
#
# usage: bench/run-benchmarks.sh [RUNS]     (default 15)
# TOVRIN_BENCH_BUILD_DIR and TOVRIN_JOBS override the build folder and the number of jobs.
set -euo pipefail

# shellcheck source=../scripts/xvfb.sh
. "$(dirname "${BASH_SOURCE[0]}")/../scripts/xvfb.sh"

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TOVRIN_BENCH_BUILD_DIR:-$root/build-bench}
jobs=${TOVRIN_JOBS:-2}
runs=${1:-15}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOVRIN_BUILD_BENCHMARKS=ON \
    -DTOVRIN_E2E_TESTS=OFF >/dev/null
cmake --build "$build" -j "$jobs" --target tovrin barewindow startupbench readinglatency bench_engine bench_readings

work=$(mktemp -d "${TMPDIR:-/tmp}/tovrin-bench.XXXXXX")
xvfb_pid=
cleanup() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# A private display, home and settings, so that no earlier run or other program takes part.
mkdir -p "$work/home" "$work/config" "$work/data" "$work/cache" "$work/runtime"
chmod 700 "$work/runtime"
start_xvfb "$work"
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 \
    HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data \
    XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/runtime

machine="$(nproc) CPUs, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1),"
machine+=" $(awk '/^MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo) memory"
echo "==== machine: $machine"

echo "==== start-up: process start to first paint of the main window, and peak memory"
"$build/bench/startupbench" "$runs" "$build/bench/barewindow" "$build/tovrin" | tee "$work/startup"

echo "==== reading latency"
"$build/bench/readinglatency" 50 | tee "$work/latency"

echo "==== engine (Google Benchmark)"
"$build/bench/bench_engine" --benchmark_min_time=0.2

echo "==== composing the readings, and a hostile document's web addresses (Google Benchmark, offscreen)"
QT_QPA_PLATFORM=offscreen "$build/bench/bench_readings" --benchmark_min_time=0.2

echo "==== summary"
echo "machine: $machine"
awk 'NF == 0 { exit } $1 == "tovrin" { printf "start-up: %.1f ms, %.2f x the bare Qt window; peak memory %d KiB, %.2f x (median of %d runs)\n", $3, $4, $5, $6, $2 }' "$work/startup"
sed -n 's/^  median \([0-9.]*\) ms.*/Comprehensive Reading latency: median \1 ms/p' "$work/latency"
