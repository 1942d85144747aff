#!/usr/bin/env bash
# CI: the C interface. Builds it with TERVANIX_BUILD_C=ON into DIR/plain (g++ -O2)
# and DIR/asan (clang, AddressSanitizer with LeakSanitizer, and UBSan), warnings as
# errors; the header is compiled alone as C99 and as C++ by both builds. Installs the
# plain build and builds the example of docs/c.md against the installed copy, once
# through pkg-config and once through find_package(Tervanix) and Tervanix::C, and runs
# each program, and the one the consumer installs, without LD_LIBRARY_PATH.
# run-tests.sh then runs the ctests of both folders (the C test, the exports against
# c/exported-symbols.txt, the example, the C# host), so that they add to the totals.
# By hand: scripts/ci/c-interface.sh DIR && ctest --test-dir DIR/plain/c
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/setup.sh c
root=$PWD
dir=$(realpath -m "${1:-build/c-interface}")
mkdir -p "$dir"

build() {  # name, C compiler, C++ compiler, optimisation flags, extra flags
  local name=$1 cc=$2 cxx=$3 opt=$4 extra=$5
  echo "=== c interface, $name: $cxx $opt $extra"
  cmake -S "$root" -B "$dir/$name" -G Ninja -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS_RELEASE="$opt" -DCMAKE_CXX_FLAGS_RELEASE="$opt" \
    -DCMAKE_C_FLAGS="$extra" -DCMAKE_CXX_FLAGS="$extra" -DTERVANIX_BUILD_C=ON -DTERVANIX_WARNINGS_AS_ERRORS=ON \
    -DTERVANIX_BUILD_TESTS=OFF -DTERVANIX_BUILD_EXAMPLES=OFF >/dev/null
  if ! cmake --build "$dir/$name" -j "$(nproc)" >"$dir/$name.build.log" 2>&1; then
    tail -50 "$dir/$name.build.log"
    return 1
  fi
}

build plain gcc g++ -O2 ""
# The C programs link UBSan's C runtime, which lacks the C++ type checks: those stay
# with the library's own sanitizer run.
build asan clang clang++ "-O1 -g" \
  "-fsanitize=address,undefined -fno-sanitize=vptr,function -fno-sanitize-recover=all -fno-omit-frame-pointer"

echo "=== c interface: the installed copy, through pkg-config and find_package"
prefix=$dir/install
rm -rf "$prefix" "$dir/consumer"
cmake --install "$dir/plain" --prefix "$prefix" >/dev/null
example=$dir/plain/c/tests/example.c
pc_dir=$(dirname "$(find "$prefix" -name tervanix_c.pc)")
# Each program must start with no environment variable telling it where the library is.
run_alone() { env -u LD_LIBRARY_PATH "$1" | grep -q "4 messages shown"; }
# shellcheck disable=SC2046  # pkg-config's flags are separate words
gcc -std=c99 -o "$dir/example-pc" "$example" $(PKG_CONFIG_PATH=$pc_dir pkg-config --cflags --libs tervanix_c)
run_alone "$dir/example-pc"
cmake -S c/tests/consumer -B "$dir/consumer" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DEXAMPLE="$example" >/dev/null
cmake --build "$dir/consumer" >/dev/null
run_alone "$dir/consumer/example"
cmake --install "$dir/consumer" >/dev/null
run_alone "$prefix/bin/example"
echo "c interface: installed copy used through pkg-config and Tervanix::C; the programs, built and installed, start without LD_LIBRARY_PATH"
