#!/usr/bin/env python3
"""The gate of the differential check's reach (scripts/ci/differential-coverage.sh).

Reads the source coverage of the differential program over its saved corpus (the
JSON of `llvm-cov export`) and the list of the fast paths and their twins
(scripts/ci/fast-paths.txt), and fails, naming the function, the line and what did
not happen, unless every listed function ran in the normal library, and every
region of it ran and every condition in it went both ways in the normal or the
reference library: the twin that the normal build cannot take (`if constexpr
(rt::kStepByStep)`) runs in the reference build, and the fast path that the
reference build cannot take runs in the normal one. The instantiations of a
template, and the lambdas written in a function, count as the function (a lambda's
code ran when the lambda's own regions say so, not because the function around it
ran); a macro's code counts at each place it is used.

Usage: coverage_gate.py export.json fast-paths.txt
"""
import json
import re
import subprocess
import sys


def listed(path):
    """The functions of the list, in order: one per line, # starts a comment. A name
    may be followed by `unreached FILE:FROM-TO`, lines of the function that the
    differential check cannot reach (a thread that cannot be started), which the
    comment must explain and a unit test cover."""
    names = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            words = line.split("#", 1)[0].replace("(anonymous namespace)", "{anon}").split()
            words = [w.replace("{anon}", "(anonymous namespace)") for w in words]
            if not words:
                continue
            unreached = []
            if len(words) == 3 and words[1] == "unreached":
                file, lines = words[2].rsplit(":", 1)
                first, _, last = lines.partition("-")
                unreached.append((file, int(first), int(last or first)))
            elif len(words) != 1:
                sys.exit(f"{path}: cannot read the line: {line.strip()}")
            names.append((words[0], unreached))
    return names


def demangle(names):
    out = subprocess.run(["llvm-cxxfilt"], input="\n".join(names), capture_output=True, text=True, check=True)
    return out.stdout.splitlines()


def base_name(demangled):
    """The qualified name of a demangled function without its return type, template
    arguments and parameters; a lambda counts as the function it is written in
    ("ns::F(int)::$_0::operator()(...)" is "ns::F")."""
    text = demangled.replace("(anonymous namespace)", "{anon}")
    angle = paren = 0
    cut = len(text)
    for k, c in enumerate(text):
        if c == "<":
            angle += 1
        elif c == ">":
            angle -= 1
        elif c == "(" and angle == 0 and paren == 0:
            cut = k
            break
    head = text[:cut]
    # The return type, if any, ends at the last space outside template arguments.
    angle = 0
    start = 0
    for k, c in enumerate(head):
        if c == "<":
            angle += 1
        elif c == ">":
            angle -= 1
        elif c == " " and angle == 0:
            start = k + 1
    name = head[start:]
    out, depth = [], 0
    for c in name:  # drop template arguments
        if c == "<":
            depth += 1
        elif c == ">":
            depth -= 1
        elif depth == 0:
            out.append(c)
    return "".join(out).replace("{anon}", "(anonymous namespace)")


def sites(fn):
    """For each file id of a function's record, the place in the function's own file
    where its macro expansion begins (the own file maps to itself)."""
    expanded_from = {}
    for r in fn["regions"]:
        if r[7] == 1:  # an expansion region: written at (line, col) of file r[5], expanding file r[6]
            expanded_from[r[6]] = (r[5], r[0], r[1])
    resolved = {}

    def site(file_id):
        if file_id in resolved:
            return resolved[file_id]
        place = ()
        seen = set()
        f = file_id
        while f in expanded_from and f not in seen:
            seen.add(f)
            parent, line, col = expanded_from[f]
            place = (line, col) + place
            f = parent
        resolved[file_id] = (fn["filenames"][f], place)
        return resolved[file_id]

    return site


MARKER = "differential: unreachable"
_sources = {}


def source_line(file, line):
    if file not in _sources:
        try:
            with open(file, encoding="utf-8") as f:
                _sources[file] = f.read().splitlines()
        except OSError:
            _sources[file] = []
    lines = _sources[file]
    return lines[line - 1] if 0 < line <= len(lines) else ""


def excused_by_source(file, line, col):
    """Code the differential check cannot run, by its place in the source: a line
    marked with MARKER, at its end or in the comment line above it, or in the comment
    that opens the block beginning on the line (the comment says
    why: a thread that cannot be started, memory that runs out, a test that the calls
    before it have made always true), or the condition of an `if constexpr` and the
    arms of `rt::kStepByStep ? a : b`, which are decided when compiling."""
    text = source_line(file, line)
    above = source_line(file, line - 1).strip()
    below = source_line(file, line + 1).strip()  # the first line of a block that opens here
    if MARKER in text or (above.startswith("//") and MARKER in above):
        return True
    if text.rstrip().endswith("{") or "{  //" in text:
        if below.startswith("//") and MARKER in below:
            return True
    # An arm of `rt::kStepByStep ? ... : ...`, decided when compiling.
    if "kStepByStep ?" in text and col - 1 > text.find("kStepByStep ?"):
        return True
    at = text.find("if constexpr (")
    if at >= 0 and col - 1 >= at:
        depth = 0
        for k in range(at + len("if constexpr "), len(text)):
            depth += {"(": 1, ")": -1}.get(text[k], 0)
            if depth == 0:
                return col - 1 <= k
    return False


def short(file):
    return file.split("/calculations/")[-1]


def main():
    export, fast_paths = sys.argv[1], sys.argv[2]
    with open(export, encoding="utf-8") as f:
        data = json.load(f)
    functions = data["data"][0]["functions"]
    # Symbols may carry the file name before a colon (functions with internal linkage).
    pretty = demangle([fn["name"].split(":")[-1] for fn in functions])
    by_name = {}
    for fn, d in zip(functions, pretty):
        by_name.setdefault(base_name(d), []).append(fn)
    failures = []
    regions_total = branches_total = 0
    names = listed(fast_paths)
    for name, unreached in names:
        def excused(file, place, line):
            at = place[0] if place else line
            return any(short(file).endswith(u_file) and first <= at <= last for u_file, first, last in unreached)

        normal = by_name.get("tervanix::" + name, [])
        reference = by_name.get("tervanix_reference::" + name, [])
        if not normal:
            failures.append(f"{name}: no such function in the coverage (renamed? update {fast_paths})")
            continue
        if all(fn["count"] == 0 for fn in normal):
            failures.append(f"{name}: never ran")
            continue
        # Both libraries together: code that one build cannot take (the twin in the
        # normal build, the fast path in the reference build) runs in the other.
        # A point of the code ran when the innermost region around it ran, in some
        # instantiation of either library: the two builds cut their regions
        # differently around the code that one of them drops.
        spans = []     # (site, (line, col), (end line, end col), count), of every instantiation
        branches = {}  # (file, expansion sites, line, column) -> [true count, false count]
        for fn in normal + reference:
            site = sites(fn)
            for r in fn["regions"]:
                line, col, end_line, end_col, count, file_id, _expanded, kind = r[:8]
                if kind == 0:  # code regions only: not expansions, skipped or gap regions
                    spans.append((site(file_id), (line, col), (end_line, end_col), count, id(fn)))
            for b in fn.get("branches", []):
                line, col, _end_line, _end_col, true_count, false_count, file_id = b[:7]
                key = site(file_id) + (line, col)
                counts = branches.setdefault(key, [0, 0])
                counts[0] += true_count
                counts[1] += false_count
        # A lambda is a function of its own whose text lies inside the function it is
        # written in, and that function's regions span the lambda's text whatever the
        # lambda did: a point inside another record's body is judged by that record,
        # not by a region of the enclosing one that began before the body.
        bodies = {}  # record -> (site, start, end) of its outermost region
        for where, start, end, _count, fn_id in spans:
            if fn_id not in bodies:
                bodies[fn_id] = (where, start, end)
            elif bodies[fn_id][0] == where:
                _, first, last = bodies[fn_id]
                bodies[fn_id] = (where, min(first, start), max(last, end))
        regions = {}  # (file, expansion sites, line, column) -> ran
        for where, start, _end, _count, _fn in spans:
            key = where + start
            if regions.get(key):
                continue
            ran = False
            for fn_id in {s[4] for s in spans}:
                around = [s for s in spans if s[4] == fn_id and s[0] == where and s[1] <= start <= s[2]]
                if not around:
                    continue
                innermost = max(around, key=lambda s: s[1])
                nested = any(other != fn_id and body[0] == where and body[1] <= start <= body[2] and
                             innermost[1] < body[1] for other, body in bodies.items())
                if innermost[3] > 0 and not nested:
                    ran = True
                    break
            regions[key] = ran
        regions_total += len(regions)
        branches_total += len(branches)
        for (file, place, line, col), ran in sorted(regions.items()):
            at_line, at_col = (place[0], place[1]) if place else (line, col)
            if not ran and not excused(file, place, line) and not excused_by_source(file, at_line, at_col):
                at = f"{short(file)}:{place[0]}:{place[1]}" if place else f"{short(file)}:{line}:{col}"
                failures.append(f"{name}: {at} never ran")
        for (file, place, line, col), (t, f_) in sorted(branches.items()):
            at_line, at_col = (place[0], place[1]) if place else (line, col)
            if (t == 0 or f_ == 0) and not excused(file, place, line) and not excused_by_source(file, at_line, at_col):
                way = "true" if t == 0 else "false"
                at = f"{short(file)}:{place[0]}:{place[1]}" if place else f"{short(file)}:{line}:{col}"
                failures.append(f"{name}: the condition at {at} was never {way}")
    if failures:
        print("coverage gate: the differential corpus misses part of a fast path or of its twin:")
        for failure in failures:
            print("  " + failure)
        print(f"coverage gate: {len(failures)} misses in {len(names)} listed functions")
        return 1
    print(f"coverage gate: {len(names)} fast-path functions (normal and reference builds together), "
          f"{regions_total} regions and {branches_total} conditions (both ways): all executed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
