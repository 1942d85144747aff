#!/usr/bin/env bash
# The Windows component's value conversions, tested directly (com/tests/units/): the
# program tervanix_com_units calls com/src/Convert.cpp and Errors.cpp on VARIANTs of
# every kind a host can pass (whole numbers rounded half to even and error 6 beyond
# their range or for a NaN; Booleans -1/0 with any non-zero True; Empty, Null, text and
# objects where a number is needed, error 13; arrays in each shape with lower bounds
# 0, 1 and -5; 2-D and 3-D subscripts in the host's order; what is written back), and
# then the DLL through its own class factory, to see each argument named in its error.
# It needs no registration. Built with mingw-w64 as scripts/ci/com.sh builds the
# component, in the same folders (CI passes the com step's, so only the test program
# is compiled), and run under wine: x64 and x86 (its 32-bit programs run natively or
# under qemu-i386, scripts/enable-32-bit.sh). Each run must print "com units: N passed, 0 failed"; the
# step ends with "com units: N passed, M failed" (each run counts one).
# Usage: scripts/ci/com-units.sh [BUILD_DIR]   (default: build/ci/com)
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$root/build/ci/com}
jobs=$(nproc)
[ "$jobs" -gt 2 ] && jobs=2
passed=0
failed=0
echo "=== com units"
mkdir -p "$out"
wine64=/usr/lib/wine/wine64
arches="x86_64 i686"
if ! bash "$root/scripts/enable-32-bit.sh"; then
  echo "FAILED: 32-bit programs do not run here (scripts/enable-32-bit.sh): the x86 conversions are not tested"
  failed=$((failed + 1))
  arches="x86_64"
fi
export WINEPREFIX=${TERVANIX_UNITS_WINEPREFIX:-$out/units-prefix} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" OANOCACHE=1
unset DISPLAY WAYLAND_DISPLAY
# A copy of the one prefix that CI boots.
[ -f "$WINEPREFIX/system.reg" ] || "$root/cmake/toolchains/wine-prefix.sh" "$WINEPREFIX"
for arch in $arches; do
  dir=$out/$arch
  if ! { cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
           -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/mingw-w64-$arch.cmake" -DTERVANIX_BUILD_COM=ON \
           -DTERVANIX_BUILD_TESTS=OFF -DTERVANIX_BUILD_EXAMPLES=OFF -DTERVANIX_INSTALL=OFF >"$dir.units.log" 2>&1 &&
         cmake --build "$dir" -j "$jobs" --target tervanix_com tervanix_com_units >>"$dir.units.log" 2>&1; }; then
    tail -30 "$dir.units.log"
    echo "FAILED: build $arch"
    failed=$((failed + 1))
    continue
  fi
  [ "$arch" = x86_64 ] && loader=$wine64 || loader=wine
  log=$(mktemp)
  status=0
  "$loader" "$dir/com/tervanix_com_units.exe" "$("$wine64" winepath -w "$dir/com/tervanix_com.dll" 2>/dev/null)" >"$log" 2>&1 ||
    status=$?
  grep -v '^[0-9a-f]*:fixme:\|^[0-9a-f]*:err:' "$log" | sed "s|^|  [$arch] |" | tail -40
  if [ "$status" -eq 0 ] && grep -qE '^com units: [0-9]+ passed, 0 failed' "$log" && ! grep -q '^FAILED' "$log"; then
    passed=$((passed + 1))
  else
    echo "FAILED: the conversions on $arch (exit $status)"
    failed=$((failed + 1))
  fi
  rm -f "$log"
done
/usr/lib/wine/wineserver -k 2>/dev/null || true
echo "com units: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
