#!/usr/bin/env bash
# Sets up, builds and starts the saver with the bundled lessons. Any key or a click ends it;
# S opens the settings.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/vokabo /s
