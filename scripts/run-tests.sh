#!/usr/bin/env bash
# Builds and runs every test, as CI does:
#   the check that no library file includes from a layer above its own
#   (scripts/ci/layers.py), and the tests of the project's own tools: that check, the
#   coverage gate, the reference renderer, the snippet checks, the installer's fragments
#   (scripts/ci/tools.sh);
#   g++ and clang++, each at -O0 and -O2, warnings as errors;
#   one run under AddressSanitizer and UndefinedBehaviorSanitizer;
#   the result fingerprint also at -O3 with both compilers and in the reference
#   build (TERVANIX_STEP_BY_STEP: every method on its plain step-by-step path); it
#   must match the recorded one everywhere, which proves the digits identical across
#   builds; the differential check of the normal against the reference library
#   (fuzz/Differential.h) over its saved corpus and for a minute, and the gate that
#   the corpus runs every fast path and its twin whole (scripts/ci/differential-coverage.sh);
#   the library installed and used by host projects in every supported way
#   (scripts/ci/consumers.sh), and the shared library's exports checked against the
#   committed list (scripts/ci/symbols.sh); the elementary functions compared with MPFR
#   on a sample (scripts/ci/rounding.sh); the C interface (scripts/ci/c-interface.sh);
#   the docs' reference pages and code snippets (scripts/ci/snippets.sh), and the docs
#   site built from docs/ (scripts/ci/docs-site.sh);
#   the Python package from its source distribution and as a wheel, each in a fresh
#   virtual environment, its tests and its stubs' check (scripts/ci/python.sh), and the
#   hostile-input fuzz of the binding under AddressSanitizer (scripts/ci/python-fuzz.sh);
#   every fuzz target for a short time (scripts/ci/fuzz-smoke.sh), and the thread
#   test under ThreadSanitizer (scripts/ci/tsan.sh);
#   the Windows component, tervanix_com.dll for x64 and x86, registered and driven
#   under wine by VBScript, JScript and a C++ client (scripts/ci/com.sh), and its
#   value conversions tested directly on every kind of VARIANT (scripts/ci/com-units.sh);
#   Windows x64 (mingw-w64, run under wine) and Linux aarch64 (run under qemu), each
#   at -O0 and -O2 with the C interface: every test and the fingerprint through the
#   emulator (cmake/toolchains); the Windows installers, built, installed, upgraded and
#   uninstalled under wine (scripts/ci/windows-package.sh).
# Usage: scripts/run-tests.sh [--quick]
# --quick: the g++ -O2 build and its tests, the docs check and the Python package's
# step (scripts/ci/python.sh), installing only what those need. It compiles the
# library twice: for the C++ tests, and inside the Python package's source
# distribution, which builds from its own sources to prove that it can.
set -euo pipefail
cd "$(dirname "$0")/.."
# The full run leaves about 9 GB of builds under build/ci; a disk that fills up midway
# cuts the log short in whatever step it reached, so say so before starting.
need_gb=$([ "${1:-}" = "--quick" ] && echo 2 || echo 12)
free_gb=$(($(df -Pk . | awk 'NR == 2 {print $4}') / 1024 / 1024))
if [ "$free_gb" -lt "$need_gb" ]; then
  echo "run-tests: $free_gb GB free here; this run needs about $need_gb GB"
  echo "tests: 0 passed, 1 failed"
  exit 1
fi
if [ "${1:-}" = "--quick" ]; then bash scripts/setup.sh quick; else bash scripts/setup.sh tests; fi
root=$PWD
out=$root/build/ci
jobs=$(nproc)
failed=()
passed_total=0
failed_total=0

run_ctest() {  # directory, ctest arguments...; adds the counts to the totals
  local dir=$1 log
  shift
  log=$(mktemp)
  local status=0
  (cd "$dir" && ctest "$@" --output-on-failure) 2>&1 | tee "$log" || status=1
  local line
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1 || true)
  if [ -n "$line" ]; then
    local total bad
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
    bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
    passed_total=$((passed_total + total - bad))
    failed_total=$((failed_total + bad))
  fi
  rm -f "$log"
  return $status
}

run_counted() {  # NAME COMMAND...: a step that ends with "NAME: N passed, M failed"
  local name=$1 log status=0
  shift
  log=$(mktemp)
  "$@" 2>&1 | tee "$log" || status=1
  local line
  line=$(grep -E "^$name: [0-9]+ passed, [0-9]+ failed" "$log" | tail -1 || true)
  passed_total=$((passed_total + $(sed -E 's/.*: ([0-9]+) passed.*/\1/' <<<"${line:-x: 0 passed}")))
  failed_total=$((failed_total + $(sed -E 's/.*passed, ([0-9]+) failed.*/\1/' <<<"${line:-x: 0 passed, 1 failed}")))
  rm -f "$log"
  return $status
}

run_pytest() {  # a script that ends in pytest; adds pytest's counts to the totals
  local log status=0
  log=$(mktemp)
  bash "$@" 2>&1 | tee "$log" || status=1
  local passed bad
  passed=$(grep -oE '[0-9]+ passed' "$log" | tail -1 | cut -d' ' -f1 || true)
  bad=$(grep -oE '[0-9]+ (failed|error)' "$log" | tail -1 | cut -d' ' -f1 || true)
  passed_total=$((passed_total + ${passed:-0}))
  failed_total=$((failed_total + ${bad:-0}))
  rm -f "$log"
  return $status
}

cross_build_test() {  # name, toolchain (cmake/toolchains), its C++ compiler, optimisation flags
  local name=$1 toolchain=$root/cmake/toolchains/$2.cmake cxx=$3 opt=$4
  configure_build_test "$name" "$cxx" "$opt" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_C_FLAGS_RELEASE="$opt" -DTERVANIX_BUILD_C=ON -DTERVANIX_BUILD_EXAMPLES=OFF
}

configure_build_test() {  # name, compiler, optimisation flags, extra cmake arguments...
  local name=$1 cxx=$2 opt=$3
  shift 3
  local dir=$out/$name
  echo "=== $name: $cxx $opt $*"
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS_RELEASE="$opt" -DTERVANIX_WARNINGS_AS_ERRORS=ON -DTERVANIX_BUILD_TESTS=ON "$@" >/dev/null
  if ! cmake --build "$dir" -j "$jobs" >"$dir.build.log" 2>&1; then
    tail -50 "$dir.build.log"
    failed+=("$name (build)")
    return
  fi
  run_ctest "$dir" -j "$jobs" || failed+=("$name (tests)")
}

fingerprint_only() {  # name, compiler, optimisation flags, extra cmake arguments...
  local name=$1 cxx=$2 opt=$3 dir=$out/$1
  shift 3
  echo "=== $name: $cxx $opt $* (fingerprint)"
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS_RELEASE="$opt" -DTERVANIX_WARNINGS_AS_ERRORS=ON -DTERVANIX_BUILD_TESTS=ON \
    -DTERVANIX_BUILD_EXAMPLES=OFF "$@" >/dev/null
  if cmake --build "$dir" -j "$jobs" --target tervanix_fingerprint >"$dir.build.log" 2>&1; then
    run_ctest "$dir" -R '^fingerprint$' || failed+=("$name (fingerprint)")
  else
    tail -50 "$dir.build.log"
    failed+=("$name (build)")
  fi
}

echo "=== layers"
if python3 scripts/ci/layers.py; then passed_total=$((passed_total + 1)); else failed+=("layers"); fi
run_pytest scripts/ci/tools.sh || failed+=("tools")
if [ "${1:-}" = "--quick" ]; then
  configure_build_test gcc-O2 g++ -O2
else
  configure_build_test gcc-O0 g++ -O0
  configure_build_test gcc-O2 g++ -O2
  configure_build_test clang-O0 clang++ -O0
  configure_build_test clang-O2 clang++ -O2
  configure_build_test sanitizers clang++ "-O1 -g -fno-omit-frame-pointer" \
    "-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined -fno-sanitize-recover=all" -DTERVANIX_BUILD_EXAMPLES=OFF
  fingerprint_only gcc-O3 g++ -O3
  fingerprint_only clang-O3 clang++ -O3
  fingerprint_only reference g++ -O2 -DTERVANIX_STEP_BY_STEP=ON
  echo "=== differential" && "$out/gcc-O2/tervanix_differential" --corpus fuzz/corpus/Differential --seconds 60 ||
    failed+=("differential")
  echo "=== consumers" && bash scripts/ci/consumers.sh "$out/gcc-O2" || failed+=("consumers")
  echo "=== symbols" && bash scripts/ci/symbols.sh || failed+=("symbols")
  echo "=== rounding" && bash scripts/ci/rounding.sh "$out/rounding" || failed+=("rounding")
  bash scripts/ci/c-interface.sh "$out/c" && run_ctest "$out/c/plain/c" && run_ctest "$out/c/asan/c" -LE foreign-host || failed+=("c interface")
  bash scripts/ci/fuzz-smoke.sh "$out/fuzz" 20 || failed+=("fuzz")
  if bash scripts/ci/differential-coverage.sh "$out/fuzz"; then  # on the fuzz step's build
    passed_total=$((passed_total + 1))
  else
    failed+=("differential coverage")
  fi
  bash scripts/ci/tsan.sh "$out/tsan" && run_ctest "$out/tsan" || failed+=("tsan")
  run_counted com bash scripts/ci/com.sh "$out/com" || failed+=("windows component")
  run_counted "com units" bash scripts/ci/com-units.sh "$out/com" || failed+=("windows component conversions")
  for opt in -O0 -O2; do
    cross_build_test "windows-x64$opt" mingw-w64-x86_64 x86_64-w64-mingw32-g++-posix "$opt"
    cross_build_test "linux-aarch64$opt" aarch64-linux-gnu aarch64-linux-gnu-g++ "$opt"
  done
fi
bash scripts/ci/snippets.sh || failed+=("docs snippets")
if bash scripts/ci/docs-site.sh; then  # one check: the site builds with every link and page in place
  passed_total=$((passed_total + 1))
else
  failed+=("docs site")
  failed_total=$((failed_total + 1))
fi
run_pytest scripts/ci/python.sh "$out/gcc-O2/examples/tervanix_example" || failed+=("python")
if [ "${1:-}" != "--quick" ]; then
  bash scripts/ci/python-fuzz.sh 150 "$out/python-asan" || failed+=("python fuzz")
  run_counted "windows installers" bash scripts/ci/windows-package.sh "$out/windows-package" || failed+=("windows installers")
fi

echo
if [ ${#failed[@]} -ne 0 ]; then
  echo "FAILED: ${failed[*]}"
  echo "tests: $passed_total passed, $((failed_total > 0 ? failed_total : 1)) failed"
  exit 1
fi
echo "tests: $passed_total passed, 0 failed"
