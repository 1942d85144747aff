#!/usr/bin/env python3
"""The gate of the differential check's reach (scripts/ci/differential-coverage.sh).

Reads the source coverage of the differential program over its saved corpus (the
JSON of `llvm-cov export`) and the list of the fast paths and their twins
(scripts/ci/fast-paths.txt), and fails, naming the function, the line and what did
not happen, unless every listed function ran, every region of it ran, and every
branch condition in it went both ways. The instantiations of a template count
together: a region ran when it ran in any of them.

Usage: coverage_gate.py export.json fast-paths.txt
"""
import json
import re
import subprocess
import sys


def listed(path):
    """The function names of the list, in order: one per line, # starts a comment."""
    names = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if line:
                names.append(line)
    return names


def demangle(names):
    out = subprocess.run(["llvm-cxxfilt"], input="\n".join(names), capture_output=True, text=True, check=True)
    return out.stdout.splitlines()


def matches(name, demangled):
    """Whether `demangled` is the function `name` (qualified, without parameters), in
    any instantiation or overload: the name followed by its parameters or template
    arguments, and not part of a longer name."""
    return re.search(r"(^|[\s&*(])" + re.escape(name) + r"[(<]", demangled) is not None


def main():
    export, fast_paths = sys.argv[1], sys.argv[2]
    with open(export, encoding="utf-8") as f:
        data = json.load(f)
    functions = data["data"][0]["functions"]
    # Symbols may carry the file name before a colon (functions with internal linkage).
    mangled = [fn["name"].split(":")[-1] for fn in functions]
    pretty = demangle(mangled)
    failures = []
    regions_total = branches_total = 0
    names = listed(fast_paths)
    for name in names:
        found = [fn for fn, d in zip(functions, pretty) if matches(name, d)]
        if not found:
            failures.append(f"{name}: no such function in the coverage (renamed? update {fast_paths})")
            continue
        regions = {}   # (file, line, column, end line, end column) -> count
        branches = {}  # (file, line, column) -> [true count, false count]
        for fn in found:
            files = fn["filenames"]
            for r in fn["regions"]:
                line, col, end_line, end_col, count, file_id, _expanded, kind = r[:8]
                if kind != 0:  # code regions only: not expansions, skipped or gap regions
                    continue
                key = (files[file_id], line, col, end_line, end_col)
                regions[key] = regions.get(key, 0) + count
            for b in fn.get("branches", []):
                line, col, _end_line, _end_col, true_count, false_count, file_id = b[:7]
                key = (files[file_id], line, col)
                counts = branches.setdefault(key, [0, 0])
                counts[0] += true_count
                counts[1] += false_count
        regions_total += len(regions)
        branches_total += len(branches)
        if all(count == 0 for count in regions.values()):
            failures.append(f"{name}: never ran")
            continue
        for (file, line, col, _el, _ec), count in sorted(regions.items()):
            if count == 0:
                failures.append(f"{name}: {file.split('/calculations/')[-1]}:{line}:{col} never ran")
        for (file, line, col), (t, f_) in sorted(branches.items()):
            if t == 0 or f_ == 0:
                way = "true" if t == 0 else "false"
                failures.append(f"{name}: the condition at {file.split('/calculations/')[-1]}:{line}:{col} "
                                f"was never {way}")
    if failures:
        print("coverage gate: the differential corpus misses part of a fast path or of its twin:")
        for failure in failures:
            print("  " + failure)
        print(f"coverage gate: {len(failures)} misses in {len(names)} listed functions")
        return 1
    print(f"coverage gate: {len(names)} fast-path functions and twins, {regions_total} regions and "
          f"{branches_total} conditions (both ways): all executed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
