#!/usr/bin/env bash
# CI: the hostile-input fuzz of the Python binding (python/fuzz/hostile.py) against a
# build of the extension and the library with AddressSanitizer. The package's Python
# files sit beside the instrumented module in a folder of the build; Python runs with
# the ASan runtime preloaded and its own allocator off, so that every object is watched.
# The only acceptable outcome of a call is a result or an exception.
# Usage: scripts/ci/python-fuzz.sh [seconds] [build folder]
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/setup.sh python
seconds=${1:-150}
dir=${2:-build/python-asan}
case "$dir" in /*) ;; *) dir=$PWD/$dir ;; esac  # absolute: the build and Python run elsewhere
pybind11_dir=$(/usr/bin/python3 -c 'import pybind11; print(pybind11.get_cmake_dir())')
echo "=== python fuzz: the extension and the library with -fsanitize=address"
cmake -S python -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O1 -g" \
  -DCMAKE_CXX_FLAGS="-fsanitize=address -fno-omit-frame-pointer" -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address" \
  -Dpybind11_DIR="$pybind11_dir" -DPYTHON_EXECUTABLE=/usr/bin/python3 -DTERVANIX_PY_OUTPUT_DIR="$dir/package/tervanix"
cmake --build "$dir" --target _core -j "${TERVANIX_BUILD_JOBS:-2}"
cp python/tervanix/*.py python/tervanix/*.pyi "$dir/package/tervanix/"

echo "=== python fuzz: hostile inputs for ${seconds} s"
# libstdc++ is preloaded too: the interpreter does not link it, and ASan's interceptor of
# C++ throws must find it when ASan starts.
preload="$(g++ -print-file-name=libasan.so) $(g++ -print-file-name=libstdc++.so)"
# detect_leaks=0: the interpreter keeps objects to the end; allocator_may_return_null: a
# huge array is the library's OutOfMemory, not ASan's abort.
LD_PRELOAD=$preload PYTHONMALLOC=malloc PYTHONPATH="$dir/package" \
  ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1:abort_on_error=1 \
  /usr/bin/python3 -X faulthandler python/fuzz/hostile.py --seconds "$seconds" --modest-memory
