#!/usr/bin/env bash
# The lessons folder timer's figures: the first load and each space bar among 100,000 lesson
# files, and the space bar right after a lesson was added. Needs no display; bench/run.sh
# prints the same at its end.
exec "$(dirname "$0")/timer.sh" lessonfolderbench "$@"
