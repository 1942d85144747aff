#!/usr/bin/env bash
# The Windows component (com/, docs/windows.md) under wine, as CI runs it: builds
# tervanix_com.dll and the C++ client for x64 and x86 with mingw-w64, boots one fresh
# 64-bit wine prefix and, in it:
#   registers both bitnesses per user (regsvr32 /n /i:user; the x86 one with the
#   32-bit regsvr32 of C:\windows\syswow64) and checks the keys and the objects they
#   lead to; unregisters and checks that no key is left; registers both per machine,
#   runs the VBScript and JScript suites with the 64-bit and the 32-bit cscript, the
#   client's checks and the fingerprint through IDispatch (which must equal
#   tests/fingerprint/expected.txt) in both bitnesses; unregisters x86 and shows that
#   x64 still works; unregisters x64 and checks that no key is left.
# Every run must exit 0 and print its summary line with 0 failed; a cscript run must
# also be free of wine's report of a script error (cscript itself exits 0 with no
# word on one). Prints "com: N passed, M failed" (each run counts one) and the time.
# The x86 runs need 32-bit programs to run: natively, or under qemu-i386
# (scripts/enable-32-bit.sh); where neither works, the step fails and runs x64 only.
# Usage: scripts/ci/com.sh [BUILD_DIR]
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$root/build/ci/com}
jobs=$(nproc)
[ "$jobs" -gt 2 ] && jobs=2
start=$SECONDS
passed=0
failed=0
fail() { echo "FAILED: $*"; failed=$((failed + 1)); }

mkdir -p "$out"
echo "=== com: build x64 and x86"
for arch in x86_64 i686; do
  dir=$out/$arch
  if ! { cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
           -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/mingw-w64-$arch.cmake" -DTERVANIX_BUILD_COM=ON \
           -DTERVANIX_BUILD_TESTS=OFF -DTERVANIX_BUILD_EXAMPLES=OFF -DTERVANIX_INSTALL=OFF >"$dir.log" 2>&1 &&
         cmake --build "$dir" -j "$jobs" --target tervanix_com tervanix_com_client >>"$dir.log" 2>&1; }; then
    tail -30 "$dir.log"
    fail "build $arch"
    echo "com: $passed passed, $failed failed"
    exit 1
  fi
done
echo "built in $((SECONDS - start)) s"

# Each DLL exports the five entry points and nothing else, and needs no DLL but the
# system's (the C++ runtime is linked in).
for arch in x86_64 i686; do
  dump=$("$arch-w64-mingw32-objdump" -p "$out/$arch/com/tervanix_com.dll")
  exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" | grep -oE '^\s*\[ *[0-9]+\] [A-Za-z_]+' | sed 's/.*\] //' | sort | tr '\n' ' ')
  imports=$(grep -oE 'DLL Name: .*' <<<"$dump" | cut -c11- | tr 'a-z' 'A-Z' | sort | tr '\n' ' ')
  echo "  $arch exports: $exports; imports: $imports"
  if [ "$exports" != "DllCanUnloadNow DllGetClassObject DllInstall DllRegisterServer DllUnregisterServer " ]; then
    fail "$arch: the exports are not the five entry points"
  elif grep -qiE 'LIBSTDC|LIBGCC|PTHREAD' <<<"$imports"; then
    fail "$arch: the DLL needs the C++ runtime's DLLs"
  else
    passed=$((passed + 1))
  fi
done

export WINEPREFIX=$out/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" OANOCACHE=1
unset DISPLAY WAYLAND_DISPLAY  # no desktop: the message box is not shown (docs/windows.md)
wine64=/usr/lib/wine/wine64
wine32=wine  # with wine32:i386, the 32-bit loader
# The x86 runs, and the 32-bit half of the prefix, need the 32-bit wine loader
# (wine32:i386) to run, natively or under qemu-i386 (scripts/enable-32-bit.sh).
bitnesses="x64 x86"
if ! bash "$root/scripts/enable-32-bit.sh"; then
  fail "32-bit programs do not run here (scripts/enable-32-bit.sh): the x86 DLL is not tested"
  bitnesses="x64"
fi

wine_start=$SECONDS
echo "=== com: a fresh wine prefix"
# A copy of the one prefix that CI boots (booting takes minutes with the 32-bit half).
if ! "$root/cmake/toolchains/wine-prefix.sh" "$WINEPREFIX"; then
  fail "a fresh wine prefix"
  echo "com: $passed passed, $failed failed"
  exit 1
fi
# One wine server for the whole run (each program would otherwise start its own).
/usr/lib/wine/wineserver -p
trap '/usr/lib/wine/wineserver -k 2>/dev/null' EXIT
c=$WINEPREFIX/drive_c/tervanix
mkdir -p "$c/x64" "$c/x86"
cp "$out/x86_64/com/tervanix_com.dll" "$out/x86_64/com/client/tervanix_com_client.exe" "$c/x64/"
cp "$out/i686/com/tervanix_com.dll" "$out/i686/com/client/tervanix_com_client.exe" "$c/x86/"
cp "$root/com/tests/binding.vbs" "$root/com/tests/binding.js" "$c/"
echo "prefix ready in $((SECONDS - wine_start)) s"

# run NAME PATTERN COMMAND...: the command must exit 0 and print a line matching
# PATTERN (its summary, "... N passed, 0 failed"), no FAILED line and no script error.
run() {
  local name=$1 pattern=$2 log status=0
  shift 2
  log=$(mktemp)
  WINEDEBUG=-all,fixme+wscript,err+vbscript,err+jscript "$@" >"$log" 2>&1 || status=$?
  grep -v '^[0-9a-f]*:fixme:\|^[0-9a-f]*:err:' "$log" | grep -v '^$' | sed "s|^|  [$name] |" | tail -12
  if [ "$status" -ne 0 ]; then fail "$name: exit $status"
  elif [ -n "$pattern" ] && ! grep -qE "$pattern" "$log"; then fail "$name: no line '$pattern'"
  elif grep -q 'FAILED' "$log"; then fail "$name: a check failed"
  elif grep -q 'OnScriptError\|:err:vbscript\|:err:jscript' "$log"; then fail "$name: script error"
  else passed=$((passed + 1))
  fi
  rm -f "$log"
}
win() { echo "C:\\tervanix\\$1"; }
reg64() { run "regsvr32 x64 $*" '' "$wine64" regsvr32 /s "$@" "$(win x64\\tervanix_com.dll)"; }
reg32() { run "regsvr32 x86 $*" '' "$wine32" 'C:\windows\syswow64\regsvr32.exe' /s "$@" "$(win x86\\tervanix_com.dll)"; }
suites() {  # the bitness's cscript and client, the VBScript suite (JScript: all, or the given)
  local bits=$1 loader cscript
  if [ "$bits" = x64 ]; then loader=$wine64; cscript=cscript; else loader=$wine32; cscript='C:\windows\syswow64\cscript.exe'; fi
  run "vbscript $bits" '^vbscript: [0-9]+ passed, 0 failed' "$loader" "$cscript" //nologo "$(win binding.vbs)"
  run "jscript $bits" '^jscript: [0-9]+ passed, 0 failed' "$loader" "$cscript" //nologo "$(win binding.js)"
}
fingerprint() {
  local bits=$1 loader expected log
  [ "$bits" = x64 ] && loader=$wine64 || loader=$wine32
  run "client checks $bits" '^checks: [0-9]+ passed, 0 failed' "$loader" "$(win "$bits"\\tervanix_com_client.exe)" checks
  local t=$SECONDS status=0
  log=$(mktemp)
  "$loader" "$(win "$bits"\\tervanix_com_client.exe)" fingerprint >"$log" 2>&1 || status=$?
  expected=$(grep -E '^(cGenUtil|CInterpolation|CSort|cMatrix2|cMatrixOps|cInterp2|cGeom|cMatrix) ' "$root/tests/fingerprint/expected.txt")
  sed "s|^|  [fingerprint $bits] |" "$log"
  if [ "$status" -eq 0 ] && [ "$(cat "$log")" = "$expected" ]; then
    passed=$((passed + 1))
    echo "  fingerprint $bits: the 8 class lines equal expected.txt ($((SECONDS - t)) s)"
  else
    fail "fingerprint $bits differs from tests/fingerprint/expected.txt (exit $status)"
  fi
  rm -f "$log"
}

echo "=== com: registered per user"
# Wine 8's COM finds classes in HKLM only, so the client reads the per-user keys as
# the platform does and makes an object through the registered DLL's factory.
for bits in $bitnesses; do
  if [ "$bits" = x64 ]; then reg64 /n /i:user; else reg32 /n /i:user; fi
  run "per-user keys $bits" '^user: [0-9]+ passed, 0 failed' $([ "$bits" = x64 ] && echo "$wine64" || echo "$wine32") "$(win "$bits"\\tervanix_com_client.exe)" user
done
for bits in $bitnesses; do
  if [ "$bits" = x64 ]; then reg64 /u /n /i:user; else reg32 /u /n /i:user; fi
done
run "no key left (per user)" '^clean: [0-9]+ passed, 0 failed' "$wine64" "$(win x64\\tervanix_com_client.exe)" clean

echo "=== com: registered per machine, $bitnesses side by side"
for bits in $bitnesses; do
  if [ "$bits" = x64 ]; then reg64; else reg32; fi
done
for bits in $bitnesses; do
  suites "$bits"
  fingerprint "$bits"
done
if [ "$bitnesses" = "x64 x86" ]; then
  echo "=== com: x86 unregistered, x64 still works"
  reg32 /u
  run "jscript x64 alone" '^jscript: [0-9]+ passed, 0 failed' "$wine64" cscript //nologo "$(win binding.js)"
fi
reg64 /u
run "no key left (per machine)" '^clean: [0-9]+ passed, 0 failed' "$wine64" "$(win x64\\tervanix_com_client.exe)" clean

/usr/lib/wine/wineserver -k
echo "wine part: $((SECONDS - wine_start)) s; whole step: $((SECONDS - start)) s"
echo "com: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
