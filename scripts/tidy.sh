#!/usr/bin/env bash
# Runs clang-tidy (.clang-tidy: the bugprone and performance checks the code passes) on
# every source of the core and of the windows, with the compile commands of a build folder
# (default build/ci; a build without the windows checks the core alone).
# A source that passed once is not checked again while it, the project's headers, the
# checks and the tools are unchanged (a stamp per content in the user's cache folder):
# a full pass takes minutes on two cores, a pass after a small change seconds.
set -uo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build/ci}
CT=${CLANG_TIDY:-clang-tidy}
JOBS=${JOBS:-2}
CACHE=${BRIVANE_TIDY_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/brivane-tidy}
mkdir -p "$CACHE"
if [ ! -f "$BUILD/compile_commands.json" ]; then
  echo "tidy: no $BUILD/compile_commands.json (configure the build first)" >&2
  exit 1
fi

# What every source's verdict depends on besides itself; paths are relative, so a clone
# elsewhere shares the stamps.
common=$( {
  "$CT" --version
  g++ --version | head -1
  cat .clang-tidy
  find src -name '*.h' | sort | xargs sha256sum
} | sha256sum | cut -c1-64)

check() {  # check FILE: 0 when clean
  local f=$1 key
  key=$( { echo "$common"; sha256sum < "$f"; } | sha256sum | cut -c1-64)
  [ -f "$CACHE/$key" ] && return 0
  # The build is GCC's: a clang warning that GCC has no equivalent of stays a warning's
  # business, not clang-tidy's (branch-free tests on booleans in the line sweeps).
  if "$CT" -p "$BUILD" --quiet --extra-arg=-Wno-bitwise-instead-of-logical "$f" 2>/dev/null; then
    touch "$CACHE/$key"
    return 0
  fi
  echo "tidy: $f has findings (above)" >&2
  return 1
}
export -f check
export common CACHE CT BUILD

core=(src/{base,model,geometry,lines,naval,exchange,session,document,edition}/*.cpp)
fenetres=(src/{ui,views,app,studio}/*.cpp src/*/forms/*.cpp)
sources=("${core[@]}")
quoi="core"
# The windows only when the build has them: their compile commands hold Qt's include paths.
if grep -q '"file": *"[^"]*/src/ui/' "$BUILD/compile_commands.json"; then
  sources+=("${fenetres[@]}")
  quoi="core and window"
fi
debut=$SECONDS
printf '%s\n' "${sources[@]}" | xargs -P "$JOBS" -I{} bash -c 'check "$1"' _ {}
status=$?
[ $status -eq 0 ] && echo "tidy: every $quoi source is clean (${#sources[@]} files, $((SECONDS - debut)) s)"
exit $status
