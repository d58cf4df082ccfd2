#!/usr/bin/env bash
# Start to first word of the Windows build (scripts/build-windows.sh) under Wine beside the
# Linux Release build, in turns on one Xvfb 1024x768 without a window manager.
# Run by hand, on an otherwise idle machine; BENCH_RUNS starts are timed (default 10).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${BENCH_RUNS:-10}

scratch=$(mktemp -d)
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if ! { scripts/build-windows.sh &&
       cmake -S bench -B build-bench -DCMAKE_BUILD_TYPE=Release &&
       cmake --build build-bench -j"$(nproc)" --target vokabo; } >"$scratch/build.log" 2>&1; then
    cat "$scratch/build.log" >&2
    exit 1
fi

# A black root window, so that the first pixel that is not black is the program's.
exec {display_fd}>"$scratch/display"
Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp -noreset -br \
    >"$scratch/xvfb.log" 2>&1 &
xvfb_pid=$!
exec {display_fd}>&-
for _ in $(seq 100); do
    grep -q . "$scratch/display" && break
    sleep 0.1
done
export DISPLAY=":$(head -n1 "$scratch/display")"

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'); $(wine --version 2>/dev/null); Xvfb 1024x768, no window manager"
python3 bench/wine_start.py --linux build-bench/vokabo/vokabo --windows build-windows/vokabo.scr \
    --prefix "$scratch/wine" --runs "$runs"
