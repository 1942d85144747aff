#!/usr/bin/env bash
# CI: the proof that the differential check reaches every fast path and its twin.
# Builds the differential check's fuzz target (clang++, libFuzzer, ASan and UBSan as
# every fuzz target) with clang's source-based coverage as well, runs it over its
# saved corpus alone (fuzz/corpus/Differential: the same inputs on every run; any
# difference or sanitizer report fails), after the hard cases of the correctly rounded
# functions, which the target sweeps before its first input, and hands the coverage to
# scripts/ci/coverage_gate.py, which fails naming the function unless every function
# listed in scripts/ci/fast-paths.txt ran whole: every region, every condition both
# ways. scripts/differential-corpus.sh grows the corpus in the same build folder.
# Configured as scripts/ci/fuzz-smoke.sh configures its build
# (scripts/ci/fuzz-configure.sh), so that CI, which passes the fuzz step's folder,
# builds nothing again.
# Usage: scripts/ci/differential-coverage.sh [build-folder]
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
dir=${1:-build/differential-coverage}
echo "=== differential coverage"
bash scripts/ci/fuzz-configure.sh "$dir"
if ! cmake --build "$dir" -j "$(nproc)" --target tervanix_fuzz_Differential >"$dir.build.log" 2>&1; then
  tail -50 "$dir.build.log"
  exit 1
fi
program=$dir/fuzz/tervanix_fuzz_Differential
rm -f "$dir"/differential.prof*
LLVM_PROFILE_FILE="$dir/differential.profraw" "$program" -runs=0 "$root/fuzz/corpus/Differential" \
  >"$dir/differential.log" 2>&1 || { tail -40 "$dir/differential.log"; exit 1; }
llvm-profdata merge -sparse "$dir/differential.profraw" -o "$dir/differential.profdata"
llvm-cov export "$program" -instr-profile="$dir/differential.profdata" "$root/calculations" \
  >"$dir/differential.json"
python3 scripts/ci/coverage_gate.py "$dir/differential.json" scripts/ci/fast-paths.txt
