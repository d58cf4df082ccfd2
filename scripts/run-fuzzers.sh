#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (FUZZ_SECONDS, 60 by default), starting from the bundled lessons; the lesson tool's two
# readers of word lists and its cleaning of a word take half a span each, the readers from their
# seeds in fuzz/corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
EXTRA_PACKAGES="clang libclang-rt-14-dev" scripts/install-deps.sh
seconds="${FUZZ_SECONDS:-60}"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVOKABO_FUZZ=ON -DVOKABO_SANITIZE=ON -DVOKABO_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target lessonfile_fuzzer settings_fuzzer settings_roundtrip_fuzzer \
    wordlist_fuzzer kvtml_fuzzer wordentry_fuzzer

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/lessons" "$work/settings" "$work/roundtrip"
cp data/lessons/* "$work/lessons/"
# libFuzzer adds what it finds to the first corpus folder: copies, not the seeds themselves.
cp -r fuzz/corpus/wordlist fuzz/corpus/kvtml "$work/"
printf '[nastaveni]\nnprvni=3\nndruhy=3\nprvnicesky=1\npozice=0\nbpozadi=0\nbtextu=16777215\nbstinu=14737632\nobr=\n' \
    > "$work/settings/defaults.ini"
# The round trip's input starts with the key the user changes and the new text's length.
{ printf '\005\003255'; cat "$work/settings/defaults.ini"; } > "$work/roundtrip/defaults"
printf '\002\001x# pozn\n[NASTAVENI]\nNPRVNI=5\nobr=/home/jana/Obr\341zky/a b.jpg\n' > "$work/roundtrip/hand-edited"
export ASAN_OPTIONS=detect_leaks=0
build-fuzz/fuzz/lessonfile_fuzzer -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 "$work/lessons"
build-fuzz/fuzz/settings_fuzzer -max_total_time="$seconds" -max_len=16384 -len_control=0 -print_final_stats=1 "$work/settings"
build-fuzz/fuzz/settings_roundtrip_fuzzer -max_total_time="$seconds" -max_len=16384 -len_control=0 -print_final_stats=1 "$work/roundtrip"
build-fuzz/fuzz/wordlist_fuzzer -max_total_time="$((seconds / 2))" -max_len=16384 \
    -dict=fuzz/wordlist.dict -print_final_stats=1 "$work/wordlist"
build-fuzz/fuzz/kvtml_fuzzer -max_total_time="$((seconds / 2))" -max_len=16384 \
    -dict=fuzz/kvtml.dict -print_final_stats=1 "$work/kvtml"
mkdir "$work/wordentry"
build-fuzz/fuzz/wordentry_fuzzer -max_total_time="$((seconds / 2))" -max_len=4096 \
    -print_final_stats=1 "$work/wordentry"
echo "fuzzing: 6 passed, 0 failed"
