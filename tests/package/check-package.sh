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

dpkg-deb -c "$deb" >"$work/contents" || fail "dpkg-deb -c"
for file in usr/bin/tovrin usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
            usr/share/icons/hicolor/32x32/apps/$id.png usr/share/mime/packages/$id.xml \
            usr/share/man/man1/tovrin.1.gz usr/share/doc/tovrin/copyright \
            usr/share/doc/tovrin/changelog.gz; do
    grep -q " \./$file\$" "$work/contents" || fail "the package holds no /$file"
done

dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb -x"

echo "Depends: $(dpkg-deb -f "$deb" Depends)"
# dpkg-shlibdeps writes them from the program's libraries: the package of every library the
# program links must be among them, with a least version.
needed=$(readelf -d "$work/root/usr/bin/tovrin" | sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p')
[ -n "$needed" ] || fail "readelf lists no library the program links"
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
for library in $needed; do
    owner=$(dpkg -S "*/$multiarch/$library" 2>/dev/null | sed -n '/^diversion/d; 1s/[:,].*//p')
    if [ -z "$owner" ]; then
        fail "no installed package holds $library"
    else
        dpkg-deb -f "$deb" Depends | grep -q "\(^\|, \)$owner (>= " \
            || fail "Depends: names no $owner, which holds $library"
    fi
done
# --version needs no window system: nothing of a display is left for the program to find.
shown=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/root/usr/bin/tovrin" --version 2>&1)
status=$?
[ "$status" -eq 0 ] && [ "$shown" = "tovrin $version" ] \
    || fail "the unpacked tovrin --version said \"$shown\" (exit status $status), not \"tovrin $version\""

[ "$failures" -eq 0 ] || exit 1
echo "package checked: $(basename "$deb"), $(stat -c %s "$deb") bytes, unpacked tovrin --version: $shown"
