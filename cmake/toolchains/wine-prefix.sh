#!/bin/sh
# Makes DIR a freshly booted 64-bit wine prefix: wine-prefix.sh DIR
#
# Booting a prefix takes a minute or more (its 32-bit half under qemu-i386 where the
# kernel runs no 32-bit programs, scripts/enable-32-bit.sh), and every Windows check
# wants a fresh one. So one
# prefix is booted, once, into a pristine copy that is never run, and DIR receives a
# copy of it: a prefix exactly as wineboot leaves it, in seconds. The pristine copy is
# TERVANIX_WINE_PRISTINE, by default build/wine-pristine in the source tree (git
# ignores it). It is booted again when wine's version changes or when 32-bit programs
# run now and did not when it was booted (its 32-bit half would be missing).
# Wine's own messages and the dialogs that offer Mono and Gecko are off, as in
# run-under-wine.sh. A lock makes concurrent callers boot it once.
set -eu
[ $# -eq 1 ] || { echo "usage: $0 DIR" >&2; exit 2; }
dir=$1
source_root=$(cd "$(dirname "$0")/../.." && pwd)
pristine=${TERVANIX_WINE_PRISTINE:-$source_root/build/wine-pristine}
WINEDEBUG=-all
WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG WINEDLLOVERRIDES
wine64=/usr/lib/wine/wine64
runs32=no
/usr/lib/wine/wine --version >/dev/null 2>&1 && runs32=yes
stamp="$($wine64 --version) $(id -un) 32-bit: $runs32 overrides: $WINEDLLOVERRIDES"
mkdir -p "$(dirname "$pristine")" "$(dirname "$dir")"
(
  flock 9
  if [ "$(cat "$pristine.stamp" 2>/dev/null)" != "$stamp" ]; then
    rm -rf "$pristine" "$pristine.stamp"
    WINEPREFIX=$pristine "$wine64" wineboot --init </dev/null >/dev/null 2>&1 9>&-
    WINEPREFIX=$pristine /usr/lib/wine/wineserver -w 9>&-  # until the prefix is written
    [ -f "$pristine/system.reg" ] || { echo "wine-prefix: wineboot wrote no prefix in $pristine" >&2; exit 1; }
    echo "$stamp" >"$pristine.stamp"
  fi
  rm -rf "$dir"
  cp -a "$pristine" "$dir"
) 9>"$pristine.lock"
