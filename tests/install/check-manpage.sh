#!/bin/sh
# Makes the manual page as the build does, with the program in a folder whose path holds blanks,
# quotes, a dollar and letters beyond ASCII, as a checkout or build folder may, and checks that
# the page holds what the program printed (its version, its options) and the include file's sections.
#
# usage: check-manpage.sh <help2man> <program> <make-manpage.sh> <include file>
set -u
help2man=$1 program=$2 script=$3 include=$4
work=$(mktemp -d "${TMPDIR:-/tmp}/tovrin-manpage.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT INT TERM
folder="$work/my \"builds\" & 'co' \$HOME/Grüße"
mkdir -p "$folder" && cp "$program" "$folder/tovrin" || exit 1

sh "$script" "$help2man" "$folder/tovrin" "$include" "$work/tovrin.1.gz" || { echo "FAIL: make-manpage.sh"; exit 1; }
page=$(gzip -dc "$work/tovrin.1.gz") || { echo "FAIL: no page"; exit 1; }
failures=0
printf '%s\n' "$page" | grep -q '^\.TH TOVRIN .*"tovrin [0-9]' || { echo "FAIL: the page has no version from --version"; failures=1; }
printf '%s\n' "$page" | grep -q -- '-\\-help' || { echo "FAIL: the page lists no --help from --help"; failures=1; }
printf '%s\n' "$page" | grep -q '^\.SH FILES' || { echo "FAIL: the page lacks the FILES section of $include"; failures=1; }
[ "$failures" -eq 0 ] && echo "manual page made from $folder/tovrin"
exit "$failures"
