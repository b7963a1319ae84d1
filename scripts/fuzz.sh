#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs them for the given number of seconds in
# all (default 30): half for the document reader, seeded with the sample designs and
# the test documents, an eighth each for the picture decoders (seeded with the test
# pictures), the weights import, the marks import (seeded with small files made here)
# and the language-file reader (seeded with the shipped language file); then a few
# seconds each for the hull imports (IGES seeded with the program's export of a sample, the table
# of offsets with a small table). Any crash, hang, leak or sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_RUN=${1:-30}
BUILD=build/fuzz
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DBRIVANE_FUZZ=ON -DBRIVANE_GUI=OFF -DBUILD_TESTING=OFF -DBRIVANE_BENCH=OFF >/dev/null
ninja -C "$BUILD" -j"${JOBS:-2}" fuzz_lecture fuzz_images fuzz_poids_csv fuzz_reperes fuzz_langue \
  fuzz_import_iges fuzz_import_cotes
SECONDS_DOC=$(( SECONDS_RUN / 2 ))
# libFuzzer reads a time of 0 as "no limit": every share is at least a second.
SECONDS_IMP=$(( SECONDS_RUN >= 8 ? SECONDS_RUN / 8 : 1 ))
SECONDS_LANG=$SECONDS_IMP
SECONDS_IMG=$(( SECONDS_RUN - SECONDS_DOC - 3 * SECONDS_IMP ))
SECONDS_IMG=$(( SECONDS_IMG > 0 ? SECONDS_IMG : 1 ))
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
poids="$BUILD/corpus_poids"
mkdir -p "$poids"
printf 'Moteur;120;1,5;0;0,3\r\nLest;50;2;0;-0.5\n\n;;;;\n' >"$poids/seed.csv"
"$BUILD/fuzz/fuzz_poids_csv" "$poids" -artifact_prefix="$BUILD/" -max_total_time="$SECONDS_IMP" -timeout=10 \
  -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1
reperes="$BUILD/corpus_reperes"
mkdir -p "$reperes"
# The first byte holds the dialog's options (names, order of the values).
printf '\001Etrave;0;0;1,2;\r\nTableau;8.5;0;0.9;\n' >"$reperes/seed_noms"
printf '\0100;0;1;\n2.5;-1;0.3;\n' >"$reperes/seed_ordre"
"$BUILD/fuzz/fuzz_reperes" "$reperes" -artifact_prefix="$BUILD/" -max_total_time="$SECONDS_IMP" -timeout=10 \
  -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1
langues="$BUILD/corpus_langues"
mkdir -p "$langues"
cp lang/*.dat "$langues"/
"$BUILD/fuzz/fuzz_langue" "$langues" -artifact_prefix="$BUILD/" -max_total_time="$SECONDS_LANG" -timeout=10 \
  -rss_limit_mb=1024 -max_len=262144 -print_final_stats=1
# The hull imports: a share as long as the weights import's each.
import_iges="$BUILD/corpus_import_iges"
mkdir -p "$import_iges"
cp fuzz/graine_import.igs "$import_iges"/
"$BUILD/fuzz/fuzz_import_iges" "$import_iges" -artifact_prefix="$BUILD/" -max_total_time="$SECONDS_IMP" -timeout=20 \
  -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1
import_cotes="$BUILD/corpus_import_cotes"
mkdir -p "$import_cotes"
printf ';-0,3;-0,15;0\r\n0;0,1;0,3;0,4\r\n2;0,2;0,5;0,6\r\n4;0,1;0,3;0,4\r\nQuille;-0.4;-0.4;-0.4\r\nLivet;0.3;0.5;0.3;0.7;0.3;0.5\r\n' \
  >"$import_cotes/seed.csv"
"$BUILD/fuzz/fuzz_import_cotes" "$import_cotes" -artifact_prefix="$BUILD/" -max_total_time="$SECONDS_IMP" -timeout=20 \
  -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1
