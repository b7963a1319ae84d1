#!/usr/bin/env bash
# Checks the formatting of the sources against .clang-format (no file is changed);
# with --fix, formats them in place.
set -uo pipefail
cd "$(dirname "$0")/.."
CF=${CLANG_FORMAT:-clang-format}
mapfile -t files < <(find src tests bench fuzz -name '*.cpp' -o -name '*.h' | sort)
if [ "${1:-}" = "--fix" ]; then
  exec "$CF" -i "${files[@]}"
fi
"$CF" --dry-run -Werror "${files[@]}"
