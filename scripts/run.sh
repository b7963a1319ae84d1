#!/usr/bin/env bash
# The main job: sets up the machine, builds the program and opens it on the yacht
# sample (the default document when the sample is not there). Without a display it
# says so and prints the sample's figures with brivane-cli instead.
# Extra arguments go to the program (a document to open instead of the sample, -d).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIVANE_GUI=ON >/dev/null

args=("$@")
if [ ${#args[@]} -eq 0 ] && [ -f samples/Voilier11.kvb ]; then
  args=(samples/Voilier11.kvb)
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  ninja -C build/run -j2 brivane-cli
  echo "run.sh: no display here (DISPLAY is not set), so the program's windows cannot open."
  echo "run.sh: the figures of ${args[*]:-the default document} from brivane-cli instead:"
  # The hydrostatics when this build has them, else the surfaces and extents.
  if ./build/run/brivane-cli --help 2>/dev/null | grep -qE '^ +hydro( |$)'; then
    exec ./build/run/brivane-cli hydro "${args[@]}"
  fi
  exec ./build/run/brivane-cli info "${args[@]}"
fi

ninja -C build/run -j2 brivane brivane-cli
exec ./build/run/brivane "${args[@]}"
