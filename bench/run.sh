#!/usr/bin/env bash
# Builds the program, a bare Qt window, the lesson-load and lesson tool timers in build-bench
# (Release), then prints the figures, one a line, with their ratio to the bare window where
# one applies.
# Run by hand, on an otherwise idle machine:
#   BENCH_IDLE_SECONDS  how long the idle figures are taken over (default 60)
#   BENCH_RUNS          how many starts are timed for each program (default 10)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-bench
idle_seconds=${BENCH_IDLE_SECONDS:-60}
runs=${BENCH_RUNS:-10}

scratch=$(mktemp -d)
xvfb_pid=
cleanup() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if ! { cmake -S bench -B "$build" -DCMAKE_BUILD_TYPE=Release &&
       cmake --build "$build" -j"$(nproc)"; } >"$scratch/build.log" 2>&1; then
    cat "$scratch/build.log" >&2
    exit 1
fi

# A server of our own with a black root window, so that the first non-black pixel is the
# first thing a program paints.
exec {display_fd}>"$scratch/display"
Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp -noreset -br \
    >"$scratch/xvfb.log" 2>&1 &
xvfb_pid=$!
exec {display_fd}>&-
for _ in $(seq 100); do
    grep -q . "$scratch/display" 2>/dev/null && break
    sleep 0.1
done
grep -q . "$scratch/display" || { cat "$scratch/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$scratch/display")"
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'); Xvfb 1024x768, no window manager"
python3 bench/measure.py --saver "$build/vokabo/vokabo" --bare "$build/bare/bare" \
    --runs "$runs" --idle-seconds "$idle_seconds"
# The lesson loads run with an X connection, as in the program, so that every processEvents
# looks at it too.
QT_QPA_PLATFORM=xcb "$build/lessonload" "$root/data/lessons"
"$build/lessontoolbench" "$root/data/lessons"
