#!/usr/bin/env python3
"""Measures what the checks of the shortest calls cost: builds the benchmarks from
copies of the committed library (HEAD; changes not yet committed are not in them) with
a check taken out, for measurement only, and runs each
copy's cases beside their peers (bench/ratios.py), the copies in turn, round after
round. The copies are wrong on purpose and never installed:

  as-is          the library as committed
  nan-only-test  the value tested for NaN only: a comparison and a branch, with the
                 arguments kept for the message, the least that any fault test takes
  no-fault-test  a stored formula's value and IsEqualRel's quotient returned untested
  no-power-test  2^y and 10^y return hi + lo without the rounding test

With --rounding (MPFR installed), the copy without the power test is also checked
against MPFR on the listed hard cases of 2^y, to count the digits that the test
keeps.

Usage: bench/check_costs.py [--rounds N] [--work DIR] [--filter REGEX] [--rounding]
"""
import argparse
import collections
import pathlib
import statistics
import subprocess
import sys

import ratios

SOURCE = pathlib.Path(__file__).resolve().parent.parent

STORED_TEST = "    if (TERVANIX_LIKELY(std::isfinite(value))) return value;\n"
IS_EQUAL_REL_TEST = "if (TERVANIX_LIKELY(std::isfinite(q))) return !(std::fabs(q) > tol);"
POWER_TEST = "    double rounded;\n    if (!RoundsAlike(product, kPowerEps, rounded)) return false;\n"

# Each copy: (file, text, replacement) edits to the committed sources.
COPIES = {
    "as-is": [],
    "nan-only-test": [
        ("calculations/Tervanix/runtime/Formula.h", STORED_TEST,
         "    if (TERVANIX_LIKELY(value == value)) return value;\n"),
        ("calculations/Tervanix/cGenUtil.cpp", IS_EQUAL_REL_TEST,
         "if (TERVANIX_LIKELY(q == q)) return !(std::fabs(q) > tol);"),
    ],
    "no-fault-test": [
        ("calculations/Tervanix/runtime/Formula.h", STORED_TEST, "    if (true) return value;\n"),
        ("calculations/Tervanix/cGenUtil.cpp", IS_EQUAL_REL_TEST, "if (true) return !(std::fabs(q) > tol);"),
    ],
    "no-power-test": [
        ("calculations/Tervanix/elementary/LogExp.cpp", POWER_TEST,
         "    const double rounded = product.hi + product.lo;\n"),
    ],
}

DEFAULT_FILTER = r"^BM_(IsEqualRel|LinearInterpolation1Way|Pow2|Pow2_Grid|Pow10)_(Checked|Plain|Ours|CLibrary)$"


def MakeCopy(name, edits, work):
    """The committed sources, edited; every edit must find its text exactly once."""
    tree = work / name / "src"
    tree.mkdir(parents=True, exist_ok=True)
    archive = subprocess.run(["git", "-C", str(SOURCE), "archive", "HEAD"], check=True, capture_output=True).stdout
    subprocess.run(["tar", "-x", "-C", str(tree)], input=archive, check=True)
    for file, text, replacement in edits:
        path = tree / file
        source = path.read_text()
        if source.count(text) != 1:
            sys.exit(f"{name}: the text to replace is not once in {file}; update bench/check_costs.py")
        path.write_text(source.replace(text, replacement))
    return tree


def Build(tree, build, target, options):
    subprocess.run(["cmake", "-S", str(tree), "-B", str(build), "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                    "-DCMAKE_CXX_FLAGS_RELEASE=-O2", "-DTERVANIX_BUILD_TESTS=OFF"] + options,
                   check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", str(build), "--target", target], check=True, stdout=subprocess.DEVNULL)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--rounds", type=int, default=4)
    parser.add_argument("--work", default=str(SOURCE / "build" / "check-costs"))
    parser.add_argument("--filter", default=DEFAULT_FILTER)
    parser.add_argument("--rounding", action="store_true")
    args = parser.parse_args()
    work = pathlib.Path(args.work)

    benches = {}
    for name, edits in COPIES.items():
        print(f"== building {name}", flush=True)
        tree = MakeCopy(name, edits, work)
        Build(tree, work / name / "bench", "tervanix_bench", ["-DTERVANIX_BUILD_BENCHMARKS=ON"])
        benches[name] = str(work / name / "bench" / "bench" / "tervanix_bench")

    ratios_by_case = collections.defaultdict(list)
    run = argparse.Namespace(repetitions=9, min_time="0.04")
    print(f"load average before: {ratios.LoadAverage()}", flush=True)
    for _ in range(args.rounds):
        for name, bench in benches.items():
            run.bench = bench
            for case, peer in ratios.Pairs(ratios.ListCases(bench, args.filter)):
                _, times = ratios.RunPair(run, case, peer)
                ratio = statistics.median(times[case]) / statistics.median(times[peer])
                ratios_by_case[(case, peer, name)].append(ratio)
    print(f"load average after: {ratios.LoadAverage()}")
    print(f"{'case':<36} {'peer':<32} {'copy':<14} median ratio (every round)")
    for (case, peer, name), values in sorted(ratios_by_case.items()):
        rounds = ", ".join(f"{v:.2f}" for v in sorted(values))
        print(f"{case:<36} {peer:<32} {name:<14} {statistics.median(values):.3f} ({rounds})")

    if args.rounding:
        name = "no-power-test"
        print(f"== the hard cases of 2^y in {name}", flush=True)
        build = work / name / "rounding"
        Build(work / name / "src", build, "rounding-check", ["-DTERVANIX_BUILD_ROUNDING_CHECK=ON"])
        for function in ("exp2", "exp2-portable"):
            out = subprocess.run([str(build / "tools" / "rounding" / "rounding-check"), function, "1", "1"],
                                 capture_output=True, text=True).stdout
            print(out.strip().splitlines()[-1])
    return 0


if __name__ == "__main__":
    sys.exit(main())
