#!/usr/bin/env bash
# CI: builds the fuzz targets (clang++, libFuzzer, ASan, UBSan) and runs each for a
# fixed time, two at a time, from its seed corpus in fuzz/corpus/<Class>/ and the
# corpus it grew in the build folder before. Any finding (a crash, a sanitizer
# report, a foreign exception, a changed floating-point environment, a slow input, a
# leak) fails the step; its input and log are kept in the build folder.
# Usage: scripts/ci/fuzz-smoke.sh [build-folder] [seconds-per-target]
set -euo pipefail
cd "$(dirname "$0")/../.."
dir=${1:-build/fuzz}
seconds=${2:-20}
echo "=== fuzz: each target for ${seconds}s"
# With clang's source coverage as well: scripts/ci/differential-coverage.sh measures
# the differential check's corpus on this same build.
bash scripts/ci/fuzz-configure.sh "$dir"
if ! cmake --build "$dir" -j "$(nproc)" >"$dir.build.log" 2>&1; then
  tail -50 "$dir.build.log"
  exit 1
fi

run() {  # class: runs its target, adding to the corpus in the build folder
  local class=$1 corpus=$dir/corpus/$1 log=$dir/$1.log status=0 TIMEFORMAT='%R %U %S'
  mkdir -p "$corpus"
  { time LLVM_PROFILE_FILE="$dir/$class.smoke.profraw" "$dir/fuzz/tervanix_fuzz_$class" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$dir/$class-" "$corpus" "fuzz/corpus/$class" >"$log" 2>&1 || status=$?; } 2>"$log.time"
  if [ $status -eq 0 ]; then
    read -r wall user system <"$log.time"
    echo "fuzz $class: $(sed -nE 's/^stat::number_of_executed_units: *//p' "$log") inputs," \
      "${wall}s wall, $(awk -v u="$user" -v s="$system" 'BEGIN { print u + s }')s CPU, no finding"
  else
    echo "fuzz $class: FINDING (input and log in $dir)"
    grep -vE '^(#|INFO|MERGE)' "$log" | head -60
    return 1
  fi
}

classes=()
for source in fuzz/*_fuzz.cpp; do
  name=${source##*/}
  classes+=("${name%_fuzz.cpp}")
done
status=0
for ((i = 0; i < ${#classes[@]}; i += 2)); do
  pids=()
  for class in "${classes[@]:i:2}"; do
    run "$class" &
    pids+=($!)
  done
  for pid in "${pids[@]}"; do wait "$pid" || status=1; done
done
exit $status
