#!/usr/bin/env bash
# The pictures of the user's guide (docs/guide/images/), made by the program itself
# with `brivane --screenshot`, so that they follow it: run again after a change of the
# windows and commit the PNGs. BUILD_DIR: the build folder to use (default build/run).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build/run}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIVANE_GUI=ON > /dev/null
fi
ninja -C "$build" -j"${JOBS:-2}" brivane
out=docs/guide/images
mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen

# shot NAME WIDTHxHEIGHT [brivane arguments...]: a picture at most $LARGEUR pixels wide
# (800 by default), in 256 colours (line drawings lose nothing) when ImageMagick is there.
shot() {
  local nom=$1 taille=$2 largeur=${LARGEUR:-800}; shift 2
  "$build/brivane" --screenshot "$out/$nom.png" --size "$taille" "$@"
  if command -v convert > /dev/null; then
    convert "$out/$nom.png" -resize "${largeur}x>" -strip -colors 256 "PNG8:$out/$nom.png"
  fi
  echo "$out/$nom.png"
}

shot fenetre 1000x720 samples/Voilier11.kvb
shot nouveau 1000x720
shot perspective 800x560 --window perspective samples/Vedette85.kvb
shot profil 800x560 --window profile samples/Voilier11.kvb
# The whole tool bar at its own size: its icons shrunk would show nothing.
LARGEUR=1200 shot barre-outils 1400x720 --window toolbar samples/Voilier11.kvb
shot boite-outils 1000x720 --window toolbox samples/Voilier11.kvb
shot nouvelle-surface 1000x720 --window surfnew
shot proprietes 1000x720 --window propsurf samples/Voilier11.kvb
shot grille 1000x720 --window grille samples/Voilier11.kvb
