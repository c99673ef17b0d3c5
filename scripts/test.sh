#!/usr/bin/env bash
# Installs what is missing, starts the services the tests need, builds Tovrin with all
# its tests in build/ and runs every test, builds and checks the Debian package, and runs the
# tests again under the sanitizers. Exits with CTest's status.
#
# The run is a list of stages, each a function below, run in the order of STAGES; a
# failing stage stops the run, and its output ends there. To add a stage, write its
# function and put its name in STAGES before the last stage (or make it a CTest test
# itself): the last stage, sanitize_and_fuzz, ends with a CTest run of its own, so that
# CTest's summary ends the output and its status is the script's.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${TOVRIN_BUILD_DIR:-$root/build}
jobs=${TOVRIN_JOBS:-2}
export TOVRIN_BUILD_DIR=$build_dir TOVRIN_JOBS=$jobs

install_deps() {
    # Both lists: what building and running need, and what only the tests need.
    "$root/scripts/install-deps.sh" run test
}

start_services() {
    "$root/scripts/start-print-server.sh"
}

build() {
    # The end-to-end tests are required here: a missing tool fails the configure step
    # instead of quietly leaving those tests out.
    "$root/scripts/build.sh" -DTOVRIN_E2E_TESTS=ON
}

run_ctest() {
    ctest --test-dir "$build_dir" --output-on-failure --no-label-summary -j "$jobs"
}

package() {
    # The Debian package, built as scripts/package.sh builds it (in build-package/), then
    # checked from the outside without installing it: lintian, its contents, and the program
    # unpacked from it. It is built under the strictest umask, which must not show in the modes
    # of what it holds (lintian names any folder or file of another mode).
    local log deb
    log=$(mktemp)
    (umask 077 && "$root/scripts/package.sh") | tee "$log"
    deb=$(tail -n 1 "$log")
    rm -f "$log"
    sh "$root/tests/package/check-package.sh" "$deb"
}

sanitize_and_fuzz() {
    # The same tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer in
    # build-asan/, after a bounded run of every fuzzer.
    exec "$root/scripts/sanitize-and-fuzz.sh" -DTOVRIN_E2E_TESTS=ON
}

STAGES=(install_deps start_services build run_ctest package sanitize_and_fuzz)

for stage in "${STAGES[@]}"; do
    echo "==== $stage"
    started=$SECONDS
    "$stage"
    echo "==== $stage done in $((SECONDS - started)) s"
done
