#!/usr/bin/env bash
# Configures the fuzz build (clang++, libFuzzer, ASan and UBSan, and clang's source
# coverage) in the folder given: one configuration for scripts/ci/fuzz-smoke.sh and
# scripts/ci/differential-coverage.sh, so that the second reuses the first's build.
# Usage: scripts/ci/fuzz-configure.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake -S . -B "${1:?usage: $0 BUILD_DIR}" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE=-O1 -DTERVANIX_WARNINGS_AS_ERRORS=ON -DTERVANIX_BUILD_FUZZERS=ON \
  -DTERVANIX_BUILD_TESTS=OFF -DTERVANIX_BUILD_EXAMPLES=OFF \
  -DCMAKE_CXX_FLAGS="-fprofile-instr-generate -fcoverage-mapping" \
  -DCMAKE_EXE_LINKER_FLAGS=-fprofile-instr-generate >/dev/null
