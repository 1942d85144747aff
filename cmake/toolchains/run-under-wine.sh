#!/bin/sh
# Runs a Windows program under wine64: run-under-wine.sh PREFIX PROGRAM [ARGUMENTS...]
# The wine prefix PREFIX belongs to the build directory. It is made on first use,
# once even when tests start in parallel, without the dialogs that offer to install
# wine's Mono and Gecko; wine's own messages are off.
set -eu
WINEPREFIX=$1
shift
WINEDEBUG=-all
WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
wine=/usr/lib/wine/wine64
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      "$wine" wineboot --init >/dev/null 2>&1
      /usr/lib/wine/wineserver -w  # until the prefix is written
    fi
  ) 9>"$WINEPREFIX.lock"
fi
# One server for a whole test run instead of one per program: it stays 60 seconds after
# the last program ends (a server already running keeps going, and this one exits).
/usr/lib/wine/wineserver -p60 >/dev/null 2>&1 || true
exec "$wine" "$@"
