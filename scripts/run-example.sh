#!/usr/bin/env bash
# Builds the library and the worked example program, and runs the example.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh example
cmake -S . -B build/example -G Ninja -DCMAKE_BUILD_TYPE=Release -DTERVANIX_BUILD_TESTS=OFF >/dev/null
cmake --build build/example --target tervanix_example
./build/example/examples/tervanix_example
