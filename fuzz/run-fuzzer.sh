#!/bin/sh
# Runs one libFuzzer target for a bounded time as a test, starting from a copy of its seed corpus
# so that the repository is never written to. Fails on any finding (crash, failed property, leak,
# sanitizer report, an input slower than the time-out, memory beyond the limit) and then shows the
# fuzzer's log and the input that caused it. On success prints one line with the executions run.
#
# usage: run-fuzzer.sh <fuzzer> <seed corpus folder> <seconds> [dictionary]
set -u
fuzzer=$1 seeds=$2 seconds=$3 dict=${4:-}
name=$(basename "$fuzzer")

work=$(mktemp -d "${TMPDIR:-/tmp}/$name.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT INT TERM
mkdir "$work/corpus" "$work/artifacts"
cp "$seeds"/* "$work/corpus/"

set -- -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$work/artifacts/"
[ -n "$dict" ] && set -- "$@" -dict="$dict"

"$fuzzer" "$@" "$work/corpus" >"$work/log" 2>&1
status=$?

runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -n 1)
findings=$(find "$work/artifacts" -type f | wc -l)
if [ "$status" -ne 0 ] || [ "$findings" -ne 0 ]; then
    cat "$work/log"
    for artifact in "$work"/artifacts/*; do
        [ -f "$artifact" ] || continue
        echo "---- input that failed: $(basename "$artifact") (hex)"
        od -A d -t x1 "$artifact" | head -n 40
    done
    echo "$name: FAILED after ${runs:-?} executions (exit status $status, $findings inputs kept)"
    exit 1
fi
grep '^Done ' "$work/log"
echo "$name: ${runs} executions in ${seconds} s, corpus $(ls "$work/corpus" | wc -l) inputs, no findings"
