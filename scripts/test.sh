#!/usr/bin/env bash
# Every test, as CI runs it: installs the packages, builds with warnings as
# errors, runs the tests (those needing a display under Xvfb), then builds twice more:
# AddressSanitizer + UndefinedBehaviorSanitizer (core and window tests), ThreadSanitizer
# (core tests).
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh || exit 1

JOBS=${JOBS:-2}
failed=()

summary=$(mktemp)
trap 'rm -f "$summary"' EXIT

stage() {  # stage NAME COMMAND...
  local name=$1; shift
  echo "=== $name"
  if ! "$@" 2>&1 | tee -a "$summary"; then failed+=("$name"); fi
}

# Formatting first: it is quick and says at once when a change was not formatted.
stage format bash scripts/format.sh
stage configure cmake -S . -B build/ci -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIVANE_WERROR=ON
stage build ninja -C build/ci -j"$JOBS"
if [ ${#failed[@]} -eq 0 ]; then
  stage tests ctest --test-dir build/ci --output-on-failure -j"$JOBS" -LE 'display|paquet'
  stage tidy bash scripts/tidy.sh build/ci
  stage package-tests ctest --test-dir build/ci --output-on-failure -L paquet
  if ctest --test-dir build/ci -N -L display | grep -q 'Total Tests: [1-9]'; then
    stage display-tests xvfb-run -a -s "-screen 0 1280x1024x24" \
      ctest --test-dir build/ci --output-on-failure -L display
  fi
fi

# The sanitizers over the core and the windows (offscreen; the display tests need a real X
# server and stay with the first build). A library that keeps allocations for the life of
# the process would be named in tests/lsan.supp, never anything of ours.
stage sanitize-configure cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DBRIVANE_SANITIZE=ON -DBRIVANE_GUI=ON -DBRIVANE_BENCH=OFF -DBRIVANE_WERROR=ON
stage sanitize-build ninja -C build/asan -j"$JOBS"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1:strict_string_checks=1 \
LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  stage sanitize-tests ctest --test-dir build/asan --output-on-failure -j"$JOBS" -L 'core|ui' -LE 'display|paquet'

# ThreadSanitizer over the core, whose computations run on worker threads (Qt is not
# instrumented here, so the windows stay out of it). RelWithDebInfo: in Debug the
# stability and hydrostatic sweeps take minutes under it.
stage tsan-configure cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBRIVANE_TSAN=ON -DBRIVANE_GUI=OFF -DBRIVANE_BENCH=OFF -DBRIVANE_WERROR=ON
stage tsan-build ninja -C build/tsan -j"$JOBS"
# report_signal_unsafe=0: the crash handler knowingly allocates and writes files inside its
# signal handler (src/base/Crash.cpp: the process is lost anyway).
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:report_signal_unsafe=0 \
  stage tsan-tests ctest --test-dir build/tsan --output-on-failure -j"$JOBS" -L core

if [ -x scripts/fuzz.sh ]; then
  stage fuzz bash scripts/fuzz.sh 30
fi

# ctest's own summaries, added up over the runs.
read -r total bad < <(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$summary" |
  sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2 \1/' | awk '{t+=$1; f+=$2} END {print t+0, f+0}')
if [ ${#failed[@]} -ne 0 ]; then
  echo "FAILED stages: ${failed[*]}"
  echo "tests: $((total - bad)) passed, $bad failed"
  exit 1
fi
echo "All stages passed."
echo "tests: $((total - bad)) passed, $bad failed"
