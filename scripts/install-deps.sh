#!/usr/bin/env bash
# Installs the Debian packages of the named lists that are not installed yet:
#
#   install-deps.sh run         # debian-packages-run.txt: building and running
#   install-deps.sh run test    # and debian-packages-test.txt: everything the tests need
#
# Quick and silent when everything is there: apt-get runs only when something is missing.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [ $# -eq 0 ]; then
    echo "usage: $0 run|test..." >&2
    exit 2
fi
lists=()
for name in "$@"; do
    lists+=("$here/debian-packages-$name.txt")
    [ -f "${lists[-1]}" ] || { echo "install-deps: no list ${lists[-1]}" >&2; exit 2; }
done
mapfile -t wanted < <(sed -e 's/#.*//' -e 's/[[:space:]]//g' -e '/^$/d' "${lists[@]}" | sort -u)

# dpkg-query names only the packages it knows; anything it does not report as
# installed is missing.
installed=$(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${wanted[@]}" 2>/dev/null \
    | awk '$2 == "installed" { print $1 }' || true)
missing=()
for package in "${wanted[@]}"; do
    grep -qxF "$package" <<<"$installed" || missing+=("$package")
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: all ${#wanted[@]} Debian packages ($*) are installed"
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null; then
    as_root=(sudo)
else
    echo "install-deps: missing packages: ${missing[*]}" >&2
    echo "install-deps: run this script as root (or install sudo) to install them" >&2
    exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt_options=(-y -q --no-install-recommends -o DPkg::Lock::Timeout=300)
"${as_root[@]}" apt-get update -q </dev/null
"${as_root[@]}" apt-get install "${apt_options[@]}" "${missing[@]}" </dev/null
