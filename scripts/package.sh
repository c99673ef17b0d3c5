#!/usr/bin/env bash
# Builds the Debian package of Tovrin, tovrin_<version>_<architecture>.deb, in build-package/ of
# the repository and prints the package's path as its last line. Needs what the run command
# installs, and help2man and file (scripts/install-deps.sh run test installs everything).
#
# The program is built with Debian's own compiler and linker flags (dpkg-buildflags: optimised,
# hardened), without the tests, and stripped; the manual page is made from its --help. Extra
# arguments go to the CMake configure step. TOVRIN_PACKAGE_BUILD_DIR and TOVRIN_JOBS override the
# build folder and the number of parallel jobs.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${TOVRIN_PACKAGE_BUILD_DIR:-$root/build-package}
jobs=${TOVRIN_JOBS:-2}

# The manual page's date is the date of the package's newest history entry, so that the same
# sources make the same page.
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l "$root/data/package/changelog" -S Timestamp)
export SOURCE_DATE_EPOCH

# Every hardening Debian has, bindnow (a read-only symbol table) included. CMake reads no
# CPPFLAGS: the preprocessor's flags (_FORTIFY_SOURCE) go with the compiler's.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=None \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    -DTOVRIN_BUILD_TESTS=OFF -DTOVRIN_MANPAGE=ON "$@"
cmake --build "$build_dir" -j "$jobs"

rm -f "$build_dir"/tovrin_*.deb
(cd "$build_dir" && cpack -G DEB)
packages=("$build_dir"/tovrin_*.deb)
if [ ${#packages[@]} -ne 1 ] || [ ! -f "${packages[0]}" ]; then
    echo "package: cpack made no single tovrin_*.deb in $build_dir" >&2
    exit 1
fi
echo "${packages[0]}"
