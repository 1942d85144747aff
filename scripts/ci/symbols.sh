#!/usr/bin/env bash
# CI: the shared library exports exactly the names listed in
# calculations/tervanix.symbols (as `nm -DC --defined-only` shows them, sorted):
# the classes' public methods, the value types and what their inline code calls. An
# export added or lost by accident fails here. After a deliberate change of the public
# interface, regenerate the list with
#   bash scripts/ci/symbols.sh --update
# and commit it. Also checks that the example and a host built against the installed
# shared package link with these exports alone, and run.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
list=calculations/tervanix.symbols
dir=$root/build/ci/shared
cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=g++ -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
  -DTERVANIX_BUILD_TESTS=OFF -DTERVANIX_BUILD_EXAMPLES=ON -DTERVANIX_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build "$dir" -j 2 >/dev/null

exported() { nm -DC --defined-only "$dir"/calculations/libtervanix.so | cut -d' ' -f3- | LC_ALL=C sort -u; }
if [ "${1:-}" = "--update" ]; then
  exported >"$list"
  echo "symbols: wrote $(wc -l <"$list") exports to $list"
  exit 0
fi
if ! exported | diff -u "$list" -; then
  echo "symbols: the exports differ from $list (- listed, + exported). If the change is"
  echo "meant, regenerate the list: bash scripts/ci/symbols.sh --update"
  exit 1
fi
echo "symbols: $(wc -l <"$list") exports, as listed"

# Every exported function starts on a 64-byte line (cmake/TervanixFlags.cmake).
misplaced=$(nm -D --defined-only "$dir"/calculations/libtervanix.so | awk '$2 == "T" && $1 !~ /[048c]0$/ { print }')
if [ -n "$misplaced" ]; then
  echo "symbols: exported functions not on a 64-byte line:"
  echo "$misplaced" | head
  exit 1
fi
echo "symbols: every exported function starts on a 64-byte line"

"$dir/examples/tervanix_example" >/dev/null
cmake --install "$dir" --prefix "$dir/install" >/dev/null
cmake -S tests/consumer -B "$dir/consumer" -G Ninja -DCMAKE_PREFIX_PATH="$dir/install" >/dev/null
cmake --build "$dir/consumer" >/dev/null
"$dir/consumer/consumer"
