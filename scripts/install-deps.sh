#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the program need.
# Idempotent: does nothing when every package is already present.
set -euo pipefail

PKGS=(
  g++ cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-svg-dev libqt6opengl6-dev qt6-charts-dev
  libgl1-mesa-dri libglu1-mesa-dev libjpeg-dev libgif-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libcli11-dev nlohmann-json3-dev
  xvfb xauth fonts-dejavu-core imagemagick poppler-utils clang clang-format clang-tidy
  libclang-rt-14-dev locales qt6-translations-l10n dpkg-dev file desktop-file-utils lintian appstream
  libocct-data-exchange-dev admesh prusa-slicer
)

# The document tests check number formatting under a French locale.
locale_fr() {
  if ! locale -a 2>/dev/null | grep -qi '^fr_FR\.utf-\?8$'; then
    echo "install-deps: generating the fr_FR.UTF-8 locale"
    localedef -i fr_FR -f UTF-8 fr_FR.UTF-8 || echo "install-deps: fr_FR.UTF-8 not generated (its test will be skipped)"
  fi
}

missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  locale_fr
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
locale_fr
