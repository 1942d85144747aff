#!/usr/bin/env bash
# The Python package: installed with the README's command into a fresh virtual
# environment made from Debian's /usr/bin/python3 (the python3 first on PATH may not
# see Debian's packages), then its tests run with pytest. The extension's CMake build
# folder (python/build/) is kept, so a second run only relinks what changed.
# Usage: scripts/ci/python.sh [path of the C++ example program, to compare with]
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/setup.sh python
root=$PWD
venv=$root/build/python-venv
example=${1:-$root/build/ci/gcc-O2/examples/tervanix_example}
if [ ! -x "$example" ]; then
  cmake -S . -B build/python-example -G Ninja -DCMAKE_BUILD_TYPE=Release -DTERVANIX_BUILD_TESTS=OFF >/dev/null
  cmake --build build/python-example --target tervanix_example >/dev/null
  example=$root/build/python-example/examples/tervanix_example
fi
example=$(realpath "$example")

rm -rf "$venv"
/usr/bin/python3 -m venv --system-site-packages "$venv"
"$venv/bin/python" -m pip install --quiet --no-build-isolation ./python

log=$(mktemp)
status=0
# From outside python/, so that the installed package is imported, not the source folder.
(cd "$venv" && TERVANIX_EXAMPLE="$example" bin/python -m pytest -q -p no:cacheprovider "$root/python/tests") >"$log" 2>&1 ||
  status=$?
tail -40 "$log"
rm -f "$log"
exit $status
