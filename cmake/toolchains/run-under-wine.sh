#!/bin/sh
# Runs a Windows program under wine64: run-under-wine.sh PREFIX PROGRAM [ARGUMENTS...]
# The wine prefix PREFIX belongs to the build directory. It is made on first use, a
# copy of the freshly booted prefix that wine-prefix.sh keeps (booted once, without the
# dialogs that offer to install wine's Mono and Gecko); wine's own messages are off.
#
# One wine server serves a whole test run (it stays 60 seconds after the last
# program) instead of one server per program. Wine's background programs start with
# the server and live as long as it does; they are started here with no output, so
# that they do not hold the output of a test open (ctest would wait for them). The lock
# makes this happen once when tests start in parallel; what stays running does not
# inherit it.
set -eu
WINEPREFIX=$1
shift
WINEDEBUG=-all
WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
wine=/usr/lib/wine/wine64
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then  # a copy of the prefix booted once for all
    "$(dirname "$0")/wine-prefix.sh" "$WINEPREFIX" </dev/null >/dev/null 9>&-
  fi
  if /usr/lib/wine/wineserver -p60 </dev/null >/dev/null 2>&1 9>&-; then  # fails when one runs
    "$wine" cmd.exe /c exit </dev/null >/dev/null 2>&1 9>&- || true
  fi
) 9>"$WINEPREFIX.lock"
exec "$wine" "$@"
