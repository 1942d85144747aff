#!/usr/bin/env bash
# Grows and minimises the differential check's saved corpus, fuzz/corpus/Differential,
# which ctest and CI run first on every run and the coverage gate measures
# (scripts/ci/differential-coverage.sh). Run it after a change of the generator
# (fuzz/DifferentialCalls.cpp reads the bytes differently, so the old inputs reach
# other paths) or when a new fast path joins scripts/ci/fast-paths.txt, then run the
# gate and commit the corpus.
#
# libFuzzer (in the gate's build folder) fuzzes for SECONDS from the current corpus
# and POOL random inputs of the differential program's kind, then merges everything
# into the fewest inputs that keep every edge it has seen (the gate asks for edges,
# not for how often each ran).
# Usage: scripts/differential-corpus.sh [SECONDS] [POOL]   (default: 300, 20000)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-300}
pool_size=${2:-20000}
dir=build/differential-coverage
bash scripts/ci/differential-coverage.sh "$dir" >/dev/null || true  # builds the target; the gate may fail yet
program=$dir/fuzz/tervanix_fuzz_Differential
work=$dir/corpus-work
rm -rf "$work"
mkdir -p "$work/pool" "$work/grown" "$work/merged"
# Random inputs as tervanix_differential draws them: 16 to 2063 bytes.
python3 - "$work/pool" "$pool_size" <<'EOF'
import os, random, sys
folder, count = sys.argv[1], int(sys.argv[2])
rng = random.Random(1)
for k in range(count):
    with open(os.path.join(folder, f"random-{k:06d}"), "wb") as f:
        f.write(bytes(rng.getrandbits(8) for _ in range(16 + rng.randrange(2048))))
EOF
export LLVM_PROFILE_FILE=/dev/null
"$program" -merge=1 "$work/grown" "$root/fuzz/corpus/Differential" "$work/pool" >"$work/merge1.log" 2>&1
"$program" -max_total_time="$seconds" -timeout=10 -max_len=4096 -use_value_profile=1 \
  -artifact_prefix="$work/" "$work/grown" >"$work/fuzz.log" 2>&1 || { tail -40 "$work/fuzz.log"; exit 1; }
"$program" -merge=1 -use_counters=0 "$work/merged" "$work/grown" >"$work/merge2.log" 2>&1
rm -rf "$root/fuzz/corpus/Differential"
mkdir -p "$root/fuzz/corpus/Differential"
cp "$work"/merged/* "$root/fuzz/corpus/Differential/"
echo "differential corpus: $(ls "$root/fuzz/corpus/Differential" | wc -l) inputs," \
  "$(du -sk "$root/fuzz/corpus/Differential" | cut -f1) KiB"
