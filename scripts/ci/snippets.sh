#!/usr/bin/env bash
# The docs' code, checked: the reference pages in docs/reference/ match the header
# comments they are rendered from and every public method has one; every snippet of
# README.md, docs/*.md and the headers' @code examples compiles against this
# checkout's library and runs, and the results their comments state hold
# (scripts/docs/snippets.py says which comments are checked).
set -euo pipefail
cd "$(dirname "$0")/../.."
out=build/ci/snippets
echo "=== docs: reference pages and snippets"
/usr/bin/python3 scripts/docs/reference.py --check
/usr/bin/python3 scripts/docs/snippets.py "$out/src"
cmake -S scripts/docs -B "$out/build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0 \
  -DTERVANIX_WARNINGS_AS_ERRORS=ON -DSNIPPET_DIR="$PWD/$out/src" >/dev/null
cmake --build "$out/build" -j "$(nproc)" >"$out/build.log" 2>&1 || { grep -E "error" "$out/build.log" | head -40; exit 1; }
status=0
for program in "$out"/build/snippet*; do
  [ -x "$program" ] || continue
  "$program" 2>"$out/$(basename "$program").err" >/dev/null || { cat "$out/$(basename "$program").err"; status=1; }
done
[ $status -eq 0 ] && echo "snippets: every snippet compiled and ran, every stated result held"
exit $status
