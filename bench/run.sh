#!/usr/bin/env bash
# Builds the program, a bare Qt window, the idle watcher, and the lesson-load, lesson tool and
# lessons folder timers in build-bench (Release), then prints the figures, one a line, with
# their ratio to the bare window where one applies.
# Run by hand, on an otherwise idle machine:
#   BENCH_IDLE_SECONDS  how long the idle figures are taken over (default 60)
#   BENCH_RUNS          how many starts are timed for each program (default 10)
#   BENCH_BESIDE_COMPILE=0  leaves out the start-up figures taken beside a compile
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-bench
idle_seconds=${BENCH_IDLE_SECONDS:-60}
runs=${BENCH_RUNS:-10}
beside_compile=$root/bench/bare/main.cpp
[ "${BENCH_BESIDE_COMPILE:-1}" = 0 ] && beside_compile=

scratch=$(mktemp -d)
xvfb_pids=()
cleanup() {
    for pid in "${xvfb_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if ! { cmake -S bench -B "$build" -DCMAKE_BUILD_TYPE=Release &&
       cmake --build "$build" -j"$(nproc)"; } >"$scratch/build.log" 2>&1; then
    cat "$scratch/build.log" >&2
    exit 1
fi

# Servers of our own with a black root window, so that the first non-black pixel is the
# first thing a program paints: one screen, and two monitors side by side.
start_xvfb() { # name size
    exec {display_fd}>"$scratch/$1"
    Xvfb -displayfd "$display_fd" -screen 0 "$2x24" -nolisten tcp -noreset -br \
        >"$scratch/$1.log" 2>&1 &
    xvfb_pids+=($!)
    exec {display_fd}>&-
    for _ in $(seq 100); do
        grep -q . "$scratch/$1" 2>/dev/null && break
        sleep 0.1
    done
    grep -q . "$scratch/$1" || { cat "$scratch/$1.log" >&2; exit 1; }
}
start_xvfb one 1024x768
start_xvfb two 2048x768
export DISPLAY=":$(head -n1 "$scratch/one")"
two_screens=":$(head -n1 "$scratch/two")"
xrandr -display "$two_screens" --setmonitor left 1024/271x768/203+0+0 none >/dev/null
xrandr -display "$two_screens" --setmonitor right 1024/271x768/203+1024+0 none >/dev/null
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'); Xvfb 1024x768 (and 2 x 1024x768 monitors), no window manager"
python3 bench/measure.py --saver "$build/vokabo/vokabo" --bare "$build/bare/bare" \
    --runs "$runs" --idle-seconds "$idle_seconds" --two-screens "$two_screens" \
    ${beside_compile:+--beside-compile "$beside_compile"}
# The lesson loads run with an X connection, as in the program, so that every processEvents
# looks at it too.
QT_QPA_PLATFORM=xcb "$build/lessonload" "$root/data/lessons"
"$build/lessontoolbench" "$root/data/lessons"
"$build/lessonfolderbench"
# What the idle watcher costs while it waits, all session long.
python3 bench/idle.py --watcher "$build/vokabo/vokabo-idle" --idle-seconds "$idle_seconds"
