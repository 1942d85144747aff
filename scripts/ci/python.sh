#!/usr/bin/env bash
# The Python package, as a user gets it: a source distribution, unpacked and installed
# offline into a fresh virtual environment made from Debian's /usr/bin/python3 (the
# python3 first on PATH may not see Debian's packages); a wheel (pip wheel) of the same
# tree, which reuses the extension's CMake build folder there, installed into another
# fresh environment, where pytest runs; the proof that the sdist's declared build
# requirements are all its build needs (scripts/ci/python_isolated.py); the stubs under
# mypy --strict and stubtest; the docstrings against the /// comments. The unpacked
# tree stays under build/python, so a second run only rebuilds what changed.
# Usage: scripts/ci/python.sh [path of the C++ example program, to compare with]
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/setup.sh python
root=$PWD
out=$root/build/python
dist=$out/dist
example=${1:-$root/build/ci/gcc-O2/examples/tervanix_example}
step() { echo "=== python: $1 [${SECONDS} s since the start]"; }  # the bracket times each step

step "docstrings match the /// comments"
/usr/bin/python3 scripts/docs/docstrings.py --check

step "source distribution"
rm -rf "$dist"
mkdir -p "$dist" "$out/sdist"
(cd python && /usr/bin/python3 setup.py -q sdist -d "$dist" 2>/dev/null)  # quiet: no compiling here
sdist=$(ls "$dist"/tervanix-*.tar.gz)
tar xzf "$sdist" -C "$out/sdist"  # over the last run's tree: its build folder is kept
tree=$out/sdist/$(basename "$sdist" .tar.gz)

step "the source distribution installed into a fresh venv, offline"
rm -rf "$out/venv-sdist" "$out/venv-wheel"
/usr/bin/python3 -m venv --system-site-packages "$out/venv-sdist"
"$out/venv-sdist/bin/python" -m pip install -v --no-build-isolation --no-index --no-deps "$tree"
"$out/venv-sdist/bin/python" -c 'import tervanix; print("tervanix", tervanix.__version__, "from the sdist")'

step "the declared build requirements alone build it (an isolated build, from Debian's packages)"
/usr/bin/python3 scripts/ci/python_isolated.py "$sdist" "$tree" "$out"

step "a wheel of the same tree, installed into another fresh venv"
"$out/venv-sdist/bin/python" -m pip wheel -v --no-build-isolation --no-index --no-deps "$tree" -w "$dist"
/usr/bin/python3 -m venv --system-site-packages "$out/venv-wheel"
"$out/venv-wheel/bin/python" -m pip install --no-index --no-deps "$dist"/tervanix-*.whl

if [ ! -x "$example" ]; then
  step "the C++ example program, to compare with"
  cmake -S . -B build/python-example -G Ninja -DCMAKE_BUILD_TYPE=Release -DTERVANIX_BUILD_TESTS=OFF >/dev/null
  cmake --build build/python-example --target tervanix_example
  example=$root/build/python-example/examples/tervanix_example
fi
example=$(realpath "$example")

step "stubs under mypy --strict (the examples and a typed use of each class)"
mypy --strict --python-executable "$out/venv-wheel/bin/python" --no-incremental \
  python/examples/worked_example.py python/tests/test_typed_use.py

step "the stubs against the installed package (stubtest)"
(cd "$out" && venv-wheel/bin/python -m mypy.stubtest tervanix --allowlist "$root/python/stubtest-allowlist.txt")

step "tests against the wheel"
# From outside python/, so that the installed package is imported, not the source folder.
cd "$out/venv-wheel"
TERVANIX_EXAMPLE="$example" bin/python -m pytest -q -p no:cacheprovider "$root/python/tests"
step "done"
