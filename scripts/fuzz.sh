#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs them for the given number of seconds in
# all (default 30): two thirds for the document reader, seeded with the sample designs
# and the test documents, the rest for the picture decoders, seeded with the test
# pictures. Any crash, hang, leak or sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_RUN=${1:-30}
BUILD=build/fuzz
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DBRIVANE_FUZZ=ON -DBRIVANE_GUI=OFF -DBUILD_TESTING=OFF -DBRIVANE_BENCH=OFF >/dev/null
ninja -C "$BUILD" -j"${JOBS:-2}" fuzz_lecture fuzz_images
SECONDS_DOC=$(( SECONDS_RUN * 2 / 3 ))
SECONDS_IMG=$(( SECONDS_RUN - SECONDS_DOC ))
corpus="$BUILD/corpus"
mkdir -p "$corpus"
cp samples/*.kvb tests/data/*.kvb "$corpus"/
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Crash reproducers land in the build directory, not in the work tree.
"$BUILD/fuzz/fuzz_lecture" "$corpus" -artifact_prefix="$BUILD/" -max_total_time="$SECONDS_DOC" -timeout=10 \
  -rss_limit_mb=2048 -max_len=65536 -dict=fuzz/document.dict -print_final_stats=1
images="$BUILD/corpus_images"
mkdir -p "$images"
cp tests/data/images/* "$images"/
"$BUILD/fuzz/fuzz_images" "$images" -artifact_prefix="$BUILD/" -max_total_time="$SECONDS_IMG" -timeout=10 \
  -rss_limit_mb=1024 -max_len=32768 -print_final_stats=1
