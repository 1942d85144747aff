#!/usr/bin/env python3
"""Runs tervanix_bench once, its cases interleaved at random, and prints each case's
median CPU time beside its peer's and their ratio: ours against the C library's
(_Ours/_CLibrary, _Ours/_Lib), against the plain transcription (_Checked/_Plain) and
against Eigen (the matrices); a case with neither is listed alone. The load average before and after the run is printed
with the command, as the machines are shared.

Usage: bench/ratios.py BENCH_EXECUTABLE [--filter REGEX] [--repetitions N]
                       [--min-time SECONDS]
"""
import argparse
import json
import os
import re
import statistics
import subprocess
import sys

# (case, peer) name pairs, by rule: the first pattern that a case matches gives its
# peer's name; a case without a rule, or whose peer did not run, is listed alone.
PEER_RULES = [
    (r"^(.*)_Ours$", r"\1_CLibrary"),
    (r"^(Run/Trig_.*)_Ours$", r"\1_Lib"),
    (r"^(BM_MatrixInvert)_Checked/(\d+)$", r"\1_Eigen/\2"),
    (r"^(BM_MatrixMult200)_Checked$", r"\1_Eigen"),
    (r"^(BM_CalcDense200)_Checked$", r"\1_EigenLU"),
    (r"^BM_SimultEqns200_Checked$", "BM_CalcDense200_EigenLU"),
    (r"^(.*)_Checked$", r"\1_Plain"),
]


def PeersOf(name):
    """Every candidate peer of a case, in the order of the rules."""
    return [re.sub(pattern, peer, name) for pattern, peer in PEER_RULES if re.match(pattern, name)]


def LoadAverage():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def Run(args):
    command = [
        args.bench, f"--benchmark_filter={args.filter}", "--benchmark_enable_random_interleaving=true",
        f"--benchmark_repetitions={args.repetitions}", f"--benchmark_min_time={args.min_time}",
        "--benchmark_format=json"
    ]
    before = LoadAverage()
    out = subprocess.run(command, check=True, capture_output=True, text=True).stdout
    return command, before, LoadAverage(), json.loads(out)


def Medians(report):
    """Median CPU time of each case in nanoseconds, from its repetitions."""
    times = {}
    scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}
    for b in report["benchmarks"]:
        if b.get("run_type") != "iteration" or b.get("error_occurred"):
            continue
        times.setdefault(b["run_name"], []).append(b["cpu_time"] * scale[b["time_unit"]])
    return {name: statistics.median(values) for name, values in times.items()}


def Format(ns):
    return f"{ns / 1e6:.3f} ms" if ns >= 1e5 else f"{ns:.2f} ns"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("bench")
    parser.add_argument("--filter", default=".")
    parser.add_argument("--repetitions", type=int, default=9)
    parser.add_argument("--min-time", default="0.1")
    args = parser.parse_args()
    command, before, after, report = Run(args)
    medians = Medians(report)
    print("command:", " ".join(command))
    print(f"load average: {before} before, {after} after")
    print(f"{'case':<48} {'median':>11} {'peer':<36} {'median':>11} {'ratio':>6}")
    paired = set()
    for name in sorted(medians):
        for peer in (p for p in PeersOf(name) if p in medians):
            paired.update((name, peer))
            print(f"{name:<48} {Format(medians[name]):>11} {peer:<36} {Format(medians[peer]):>11} "
                  f"{medians[name] / medians[peer]:>6.2f}")
    for name in sorted(set(medians) - paired):
        print(f"{name:<48} {Format(medians[name]):>11}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
