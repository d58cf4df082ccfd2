#!/usr/bin/env bash
# Builds the lessons folder timer in build-bench (Release) and prints its figures: the first
# load and each space bar among 100,000 lesson files, and the space bar right after a lesson
# was added. Needs no display; bench/run.sh prints the same at its end.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$PWD/build-bench
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { cmake -S bench -B "$build" -DCMAKE_BUILD_TYPE=Release &&
       cmake --build "$build" -j"$(nproc)" --target lessonfolderbench; } >"$log" 2>&1; then
    cat "$log" >&2
    exit 1
fi
"$build/lessonfolderbench" "$@"
