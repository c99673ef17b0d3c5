#!/bin/sh
# Runs one test with a home, settings, data, cache and runtime folder of its own.
dir=$(mktemp -d "${TMPDIR:-/tmp}/tovrin-test.XXXXXX") || exit 1
trap 'rm -rf "$dir"' EXIT INT TERM
mkdir -p "$dir/home" "$dir/config" "$dir/data" "$dir/cache" "$dir/runtime"
chmod 700 "$dir/runtime"
HOME="$dir/home" XDG_CONFIG_HOME="$dir/config" XDG_DATA_HOME="$dir/data" \
XDG_CACHE_HOME="$dir/cache" XDG_RUNTIME_DIR="$dir/runtime" TMPDIR="$dir" \
    "$@"
