#!/usr/bin/env bash
# The lesson tool timer's figures: check of a 10 MB lesson, import of a 100,000-row list, and
# choosing a lesson among 1,000 of the user's. Needs no display; bench/run.sh prints the same
# at its end.
exec "$(dirname "$0")/timer.sh" lessontoolbench "$(cd "$(dirname "$0")/.." && pwd)/data/lessons"
