#!/usr/bin/env bash
# Sets up, builds and starts the saver with the bundled lessons. Any key or a click ends it;
# S opens the settings. Only the program and what it needs are built, not the test suites.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "${launcher[@]}" >/dev/null
cmake --build build --target vokabo -j"$(nproc)"
exec build/vokabo /s
