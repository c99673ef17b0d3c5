#!/bin/sh
# Checks a Debian package of Tovrin from the outside, without installing it on the machine:
# its file name, lintian (no error and no warning; every other remark is shown), the files it
# must hold, its dependencies, and the program itself, unpacked with dpkg-deb -x into a
# temporary folder, which must print the package's version.
#
# usage: check-package.sh <tovrin_<version>_<architecture>.deb>
set -u
deb=$1
id=com.example.tovrin
work=$(mktemp -d "${TMPDIR:-/tmp}/tovrin-package.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT INT TERM
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

[ -f "$deb" ] || { echo "FAIL: no package at $deb"; exit 1; }
version=$(dpkg-deb -f "$deb" Version)
architecture=$(dpkg-deb -f "$deb" Architecture)
[ "$(basename "$deb")" = "tovrin_${version}_${architecture}.deb" ] \
    || fail "the file is named $(basename "$deb"), not tovrin_${version}_${architecture}.deb"
[ "$architecture" = "$(dpkg --print-architecture)" ] || fail "architecture $architecture"

echo "lintian --pedantic --display-info $(basename "$deb"):"
lintian --fail-on error,warning --pedantic --display-info "$deb" >"$work/lintian" 2>&1 \
    || fail "lintian found errors or warnings"
# Lintian refuses nothing for being run as root, but says so on every run.
grep -v '^running with root privileges is not recommended!$' "$work/lintian" || echo "(no remarks)"

echo "Depends: $(dpkg-deb -f "$deb" Depends)"
# dpkg-shlibdeps wrote them from the program's libraries: Qt's and the C and C++ runtimes.
for library in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libstdc++6; do
    dpkg-deb -f "$deb" Depends | grep -q "\(^\|, \)$library (>= " || fail "Depends: names no $library"
done

dpkg-deb -c "$deb" >"$work/contents" || fail "dpkg-deb -c"
for file in usr/bin/tovrin usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
            usr/share/icons/hicolor/32x32/apps/$id.png usr/share/mime/packages/$id.xml \
            usr/share/man/man1/tovrin.1.gz usr/share/doc/tovrin/copyright \
            usr/share/doc/tovrin/changelog.gz; do
    grep -q " \./$file\$" "$work/contents" || fail "the package holds no /$file"
done

dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb -x"
# --version needs no window system: nothing of a display is left for the program to find.
shown=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/root/usr/bin/tovrin" --version 2>&1)
status=$?
[ "$status" -eq 0 ] && [ "$shown" = "tovrin $version" ] \
    || fail "the unpacked tovrin --version said \"$shown\" (exit status $status), not \"tovrin $version\""

[ "$failures" -eq 0 ] || exit 1
echo "package checked: $(basename "$deb"), $(stat -c %s "$deb") bytes, unpacked tovrin --version: $shown"
