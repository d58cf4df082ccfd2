#!/usr/bin/env bash
# Builds one timer of bench/ in build-bench (Release) and runs it with the arguments given:
#   bench/timer.sh TARGET [ARGUMENT...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$PWD/build-bench
target=$1
shift
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { cmake -S bench -B "$build" -DCMAKE_BUILD_TYPE=Release &&
       cmake --build "$build" -j"$(nproc)" --target "$target"; } >"$log" 2>&1; then
    cat "$log" >&2
    exit 1
fi
"$build/$target" "$@"
