#!/usr/bin/env bash
# Builds in Release and runs the benchmarks; an optional argument filters them
# (a Google Benchmark regular expression).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRIVANE_GUI=OFF -DBUILD_TESTING=OFF >/dev/null
ninja -C build/release -j2 brivane-bench
args=()
[ $# -ge 1 ] && args+=("--benchmark_filter=$1")
./build/release/brivane-bench "${args[@]}"
