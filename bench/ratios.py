#!/usr/bin/env python3
"""Runs each case of tervanix_bench beside its peer, the two interleaved at random in
one run of the program, and prints their CPU times and ratios: ours against the C
library's (_Ours/_CLibrary, _Ours/_Lib), against the plain transcription
(_Checked/_Plain) and against Eigen (the matrices). A pair runs alone, so that the
two sides share the same moments of a shared machine; the ratio of the medians and
the ratio of the fastest repetitions (the least disturbed) are printed, with the load
average before and after and the command of each pair.

Usage: bench/ratios.py BENCH_EXECUTABLE [--filter REGEX] [--repetitions N]
                       [--min-time SECONDS]
"""
import argparse
import json
import re
import statistics
import subprocess
import sys

# (case, peer) name pairs, by rule: every pattern that a case matches gives one
# candidate peer's name; the candidates that exist are its peers.
PEER_RULES = [
    (r"^(.*)_Ours$", r"\1_CLibrary"),
    (r"^(Run/Trig_.*)_Ours$", r"\1_Lib"),
    (r"^(BM_MatrixInvert)_Checked/(\d+)$", r"\1_Eigen/\2"),
    (r"^(BM_MatrixMult200)_Checked$", r"\1_Eigen"),
    (r"^(BM_CalcDense200)_Checked$", r"\1_EigenLU"),
    (r"^BM_SimultEqns200_Checked$", "BM_CalcDense200_EigenLU"),
    (r"^(BM_SimultEqns200)_Checked$", r"\1_EigenInverse"),
    (r"^(.*)_Checked$", r"\1_Plain"),
]


def PeersOf(name):
    """Every candidate peer of a case, in the order of the rules."""
    return [re.sub(pattern, peer, name) for pattern, peer in PEER_RULES if re.match(pattern, name)]


def Pairs(names):
    """The (case, peer) pairs among the given case names."""
    present = set(names)
    return [(name, peer) for name in names for peer in PeersOf(name) if peer in present]


def LoadAverage():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def ListCases(bench, pattern):
    out = subprocess.run([bench, f"--benchmark_filter={pattern}", "--benchmark_list_tests=true"],
                         check=True, capture_output=True, text=True).stdout
    return out.split()


def RunPair(args, case, peer):
    """The command and the CPU times (ns) of each side's repetitions."""
    command = [
        args.bench, f"--benchmark_filter=^({re.escape(case)}|{re.escape(peer)})$",
        "--benchmark_enable_random_interleaving=true", f"--benchmark_repetitions={args.repetitions}",
        f"--benchmark_min_time={args.min_time}", "--benchmark_format=json"
    ]
    out = subprocess.run(command, check=True, capture_output=True, text=True).stdout
    return command, Times(json.loads(out))


def Times(report):
    """The CPU time of each repetition of each case, in nanoseconds."""
    times = {}
    scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}
    for b in report["benchmarks"]:
        if b.get("run_type") != "iteration" or b.get("error_occurred"):
            continue
        times.setdefault(b["run_name"], []).append(b["cpu_time"] * scale[b["time_unit"]])
    return times


def Format(ns):
    return f"{ns / 1e6:.3f} ms" if ns >= 1e5 else f"{ns:.2f} ns"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("bench")
    parser.add_argument("--filter", default=".")
    parser.add_argument("--repetitions", type=int, default=15)
    parser.add_argument("--min-time", default="0.05")
    args = parser.parse_args()
    pairs = Pairs(ListCases(args.bench, args.filter))
    print(f"load average before: {LoadAverage()}")
    print(f"{'case':<40} {'median':>10} {'peer':<32} {'median':>10} {'ratio':>6} {'fastest':>7}")
    command = None
    for case, peer in pairs:
        command, times = RunPair(args, case, peer)
        if case not in times or peer not in times:
            print(f"{case:<40} (did not run: see {' '.join(command)})")
            continue
        a, b = statistics.median(times[case]), statistics.median(times[peer])
        print(f"{case:<40} {Format(a):>10} {peer:<32} {Format(b):>10} {a / b:>6.2f} "
              f"{min(times[case]) / min(times[peer]):>7.2f}")
    print(f"load average after: {LoadAverage()}")
    if command:
        print("each pair:", " ".join(command[0:1] + ["--benchmark_filter='^(CASE|PEER)$'"] + command[2:]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
