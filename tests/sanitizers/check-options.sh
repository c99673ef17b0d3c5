#!/usr/bin/env bash
# Runs a sanitized program with the sanitizer options every test gets, their suppression lists
# moved to a folder whose path holds blanks, a comma, a colon and letters beyond ASCII, as the
# path of a checkout may. The sanitizers must read those options and lists, and the program end
# as it does anywhere else.
#
# usage: check-options.sh <suppressions folder> <sanitized program> [arguments...]
set -u
folder=$1
shift
work=$(mktemp -d "${TMPDIR:-/tmp}/tovrin-sanitizers.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT INT TERM
moved="$work/My Projects, old:new/Grüße"
mkdir -p "$moved" && cp "$folder"/*.supp "$moved/" || exit 1

for name in ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS; do
    value=${!name-}
    export "$name=${value//"$folder"/"$moved"}"
done
case $LSAN_OPTIONS$UBSAN_OPTIONS in
    *"$moved"*) ;;
    *) echo "FAIL: the tests' sanitizer options name no suppression list in $folder"; exit 1 ;;
esac

"$@" >"$work/output" 2>&1
status=$?
if [ "$status" -ne 0 ]; then
    cat "$work/output"
    echo "FAIL: with the suppression lists in \"$moved\", $(basename "$1") ended with status $status"
    echo "LSAN_OPTIONS=$LSAN_OPTIONS"
    echo "UBSAN_OPTIONS=$UBSAN_OPTIONS"
    exit 1
fi
echo "sanitizer options read with the suppression lists in \"$moved\""
