#!/usr/bin/env bash
# CI: builds the library and the thread test (tests/threads) with clang++ and
# ThreadSanitizer into the given folder. run-tests.sh then runs its ctest there, so
# that the test adds to the totals; by hand: scripts/ci/tsan.sh DIR && ctest --test-dir DIR
set -euo pipefail
cd "$(dirname "$0")/../.."
dir=${1:-build/tsan}
echo "=== tsan: clang++ -fsanitize=thread, eight threads against a single-thread run"
cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE="-O1 -g" -DCMAKE_CXX_FLAGS="-fsanitize=thread" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" -DTERVANIX_WARNINGS_AS_ERRORS=ON \
  -DTERVANIX_BUILD_TESTS=OFF -DTERVANIX_BUILD_EXAMPLES=OFF -DTERVANIX_BUILD_THREAD_TEST=ON >/dev/null
if ! cmake --build "$dir" -j "$(nproc)" >"$dir.build.log" 2>&1; then
  tail -50 "$dir.build.log"
  exit 1
fi
