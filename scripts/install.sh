#!/usr/bin/env bash
# Builds the Debian package and installs it with its dependencies: Brivane in the
# desktop menu, .kvb documents opening with a double-click, the guide in the "?" menu.
# NO_INSTALL=1 only makes the package (build/deb/brivane_*.deb).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRIVANE_GUI=ON -DBUILD_TESTING=OFF \
  -DBRIVANE_BENCH=OFF > /dev/null
ninja -C build/deb -j"${JOBS:-2}" brivane brivane-cli
(cd build/deb && cpack -G DEB > /dev/null)
deb=$(ls build/deb/brivane_*.deb | head -n 1)
echo "install.sh: made $deb"
[ -n "${NO_INSTALL:-}" ] && exit 0
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "./$deb"
echo "install.sh: installed; run brivane, or open a .kvb document from the file manager"
