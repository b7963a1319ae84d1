#!/usr/bin/env bash
# The main job: sets up the machine, builds, and runs the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C build/run -j2 brivane-cli
# Without arguments the main job shows the sample sloop.
if [ $# -eq 0 ]; then set -- samples/Voilier11.kvb; fi
./build/run/brivane-cli info "$@"
