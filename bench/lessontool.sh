#!/usr/bin/env bash
# Builds the lesson tool timer in build-bench (Release) and prints its figures: check of a
# 10 MB lesson, import of a 100,000-row list, and choosing a lesson among 1,000 of the
# user's. Needs no display; bench/run.sh prints the same at its end.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$PWD/build-bench
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { cmake -S bench -B "$build" -DCMAKE_BUILD_TYPE=Release &&
       cmake --build "$build" -j"$(nproc)" --target lessontoolbench; } >"$log" 2>&1; then
    cat "$log" >&2
    exit 1
fi
"$build/lessontoolbench" "$PWD/data/lessons"
