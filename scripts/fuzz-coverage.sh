#!/usr/bin/env bash
# The line coverage of each class by its fuzz target: builds the targets once more
# with clang's source-based coverage, replays a corpus per class and prints the
# share of lines of calculations/Tervanix/<Class>.cpp that ran.
# Usage: scripts/fuzz-coverage.sh [corpus-root]   (corpus-root/<Class>/; default fuzz/corpus)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh fuzz
root=${1:-fuzz/corpus}
dir=build/fuzz-coverage
cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE=-O1 -DTERVANIX_BUILD_FUZZERS=ON -DTERVANIX_BUILD_TESTS=OFF \
  -DTERVANIX_BUILD_EXAMPLES=OFF -DCMAKE_CXX_FLAGS="-fprofile-instr-generate -fcoverage-mapping" \
  -DCMAKE_EXE_LINKER_FLAGS=-fprofile-instr-generate >/dev/null
cmake --build "$dir" -j "$(nproc)" >"$dir.build.log" 2>&1 || { tail -50 "$dir.build.log"; exit 1; }
for source in fuzz/*_fuzz.cpp; do
  name=${source##*/}
  class=${name%_fuzz.cpp}
  program=$dir/fuzz/tervanix_fuzz_$class
  rm -f "$dir/$class".prof*
  LLVM_PROFILE_FILE="$dir/$class.profraw" "$program" -runs=0 "$root/$class" >/dev/null 2>&1
  llvm-profdata merge -sparse "$dir/$class.profraw" -o "$dir/$class.profdata"
  # The TOTAL line: regions, missed, cover, functions, missed, executed, lines, missed, cover, ...
  llvm-cov report "$program" -instr-profile="$dir/$class.profdata" "calculations/Tervanix/$class.cpp" |
    awk -v c="$class" '/^TOTAL/ { printf "%s: %d of %d lines (%s)\n", c, $8 - $9, $8, $10 }'
done
