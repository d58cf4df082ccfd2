#!/usr/bin/env bash
# Builds the Windows program and its test suites (scripts/build-windows.sh), then runs them
# under Wine: the suites of the core, the lesson check, and the program and its installer
# end to end on Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-windows.sh --tests
cd build-windows
ctest --output-on-failure -j"$(nproc)"
