#!/usr/bin/env bash
# CI: the library reaches a host in each of the ways a host uses:
#   - configured by the README's install recipe without GoogleTest;
#   - installed (from a built tree), with its license, version header, CMake and
#     pkg-config files, and every installed header compiling on its own (so no
#     installed header needs one that is not installed);
#   - the static library linked into a shared object (a plug-in), which shows none of
#     the library's names;
#   - a host project through find_package, through pkg-config, as add_subdirectory of
#     this checkout and through FetchContent of an archive of it; the two subproject
#     builds must keep the host's build type, build none of the library's tests and
#     install nothing of the library.
# Usage: scripts/ci/consumers.sh [built tree]   (default: build/ci/gcc-O2)
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
built=${1:-$root/build/ci/gcc-O2}
out=$root/build/ci/consumers
prefix=$out/install
rm -rf "$out" && mkdir -p "$out"

step() { echo "--- consumers: $*"; }

step "configure without GoogleTest (-DTERVANIX_BUILD_TESTS=OFF)"
cmake -S "$root" -B "$out/no-gtest" -G Ninja -DTERVANIX_BUILD_TESTS=OFF \
  -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON >"$out/no-gtest.log"

step "install"
cmake --install "$built" --prefix "$prefix" >/dev/null
libdir=$(dirname "$(find "$prefix" -name tervanix.pc)")/..
for file in share/doc/Tervanix/LICENSE include/Tervanix/Version.h; do
  [ -f "$prefix/$file" ] || { echo "missing from the install: $file"; exit 1; }
done
for internal in runtime/Checked.h elementary batch; do
  [ ! -e "$prefix/include/Tervanix/$internal" ] || { echo "an internal header was installed: $internal"; exit 1; }
done

step "each installed header compiles on its own"
find "$prefix/include" -name '*.h' -printf '%P\n' | sort |
  xargs -P 2 -I{} sh -c 'echo "#include <{}>" | c++ -std=c++17 -fsyntax-only -Wall -Werror -I"$1/include" -x c++ - ||
    { echo "the installed header {} does not compile on its own"; exit 255; }' _ "$prefix"

step "find_package"
cmake -S tests/consumer -B "$out/find_package" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$out/find_package" >/dev/null
"$out/find_package/consumer"

step "pkg-config"
export PKG_CONFIG_PATH=$libdir/pkgconfig
# shellcheck disable=SC2046  # the flags are separate words
c++ -std=c++17 tests/consumer/main.cpp -o "$out/pkg-config-consumer" $(pkg-config --cflags --libs tervanix)
"$out/pkg-config-consumer"

step "a shared object linking the static library (position-independent, exports nothing of it)"
# shellcheck disable=SC2046
c++ -std=c++17 -shared -fPIC tests/consumer/main.cpp -o "$out/plugin.so" $(pkg-config --cflags --libs tervanix)
# Its own instances of the headers' inline code are weak (W); the library's functions are T.
if nm -DC --defined-only "$out/plugin.so" | grep ' T tervanix::'; then
  echo "the shared object exports these functions of the static library"
  exit 1
fi

subproject() {  # how (add_subdirectory or FetchContent), cmake arguments...
  local how=$1 dir=$out/$1
  shift
  step "$how"
  cmake -S tests/consumer -B "$dir" -G Ninja -DTERVANIX_VIA="$how" "$@" >/dev/null
  cmake --build "$dir" -j 2 >/dev/null
  "$dir/consumer"
  cmake --install "$dir" --prefix "$dir/install" >/dev/null
  if [ -n "$(find "$dir/install" -path '*Tervanix*' -o -name '*tervanix*')" ]; then
    echo "$how: the library installed itself into the host's install"
    exit 1
  fi
}
subproject add_subdirectory -DTERVANIX_SOURCE_DIR="$root"
tar -C "$root" --exclude=./build --exclude=./.git -czf "$out/tervanix.tar.gz" .
subproject FetchContent -DTERVANIX_ARCHIVE="$out/tervanix.tar.gz"
