"""The cost of a scalar call through the binding, two ways:

    python bench/python/scalar_cost.py            # Distance2D beside math.hypot, interleaved
    python bench/python/scalar_cost.py --callgrind  # instructions per cGeom.PI() call

Interleaved: repeats of geom.Distance2D(x1, y1, x2, y2) and of math.hypot(x, y) take
turns, so that the load of a shared machine falls on both alike; the best time of each
and their ratio are printed. --callgrind runs, in ONE process under valgrind's
callgrind with PYTHONHASHSEED fixed, a loop of PI() calls of two lengths and an empty
loop of the same two lengths, callgrind dumping its count at a marker call between
them; the difference of the two lengths' counts over the difference of the lengths is
the cost of one turn of the loop, and the loop with the call minus the empty loop is
the call itself (attribute lookup, the binding, the float made). Everything else (the
start-up, the import, the code run) is the same for both lengths, so it cancels out.
"""
import math
import os
import re
import subprocess
import sys
import tempfile
import timeit

import tervanix as tv

CALLS = 200_000


def interleaved(rounds=15, number=100_000):
    geom = tv.cGeom()
    best = {"Distance2D": math.inf, "math.hypot": math.inf}
    for _ in range(rounds):
        best["Distance2D"] = min(best["Distance2D"], timeit.timeit(lambda: geom.Distance2D(0.5, 1.0, 2.0, 3.0),
                                                                   number=number) / number)
        best["math.hypot"] = min(best["math.hypot"], timeit.timeit(lambda: math.hypot(1.5, 2.0),
                                                                   number=number) / number)
    for name, seconds in best.items():
        print(f"{name:<12}{seconds * 1e9:8.1f} ns")
    print(f"ratio       {best['Distance2D'] / best['math.hypot']:8.2f}")


SHORT, LONG = 100_000, 300_000

# The marker is os.getppid: callgrind dumps its count before each call of getppid,
# which nothing else in the run calls. Each loop runs once before the measured stretches,
# so that the interpreter has specialised its instructions by then.
LOOP = f"""
import os
import tervanix as tv
geom = tv.cGeom()

def calls(n):
    for _ in range(n):
        geom.PI()

def empty(n):
    for _ in range(n):
        pass

calls(1000)
empty(1000)
os.getppid()
calls({SHORT})
os.getppid()
calls({LONG})
os.getppid()
empty({SHORT})
os.getppid()
empty({LONG})
os.getppid()
"""


def stretches():
    """The instruction counts of the four measured stretches of LOOP, in order."""
    with tempfile.TemporaryDirectory() as folder:
        script = f"{folder}/loop.py"
        with open(script, "w") as f:
            f.write(LOOP)
        subprocess.run(["valgrind", "--tool=callgrind", "--dump-before=getppid",
                        f"--callgrind-out-file={folder}/out", sys.executable, script],
                       capture_output=True, text=True, check=True, env={**os.environ, "PYTHONHASHSEED": "0"})
        counts = {}
        for name in os.listdir(folder):
            number = re.fullmatch(r"out\.(\d+)", name)
            if number:
                with open(f"{folder}/{name}") as f:
                    counts[int(number.group(1))] = int(re.search(r"^summary: (\d+)", f.read(), re.M).group(1))
    # Dump 1 ends at the first marker (start-up and warm-up); dumps 2 to 5 are measured.
    if sorted(counts) [:5] != [1, 2, 3, 4, 5]:
        raise RuntimeError(f"callgrind wrote the dumps {sorted(counts)}, not 1 to 5 and the end")
    return [counts[n] for n in (2, 3, 4, 5)]


def callgrind():
    short_calls, long_calls, short_empty, long_empty = stretches()
    turns = LONG - SHORT
    with_call = (long_calls - short_calls) / turns
    without = (long_empty - short_empty) / turns
    print(f"a turn of the loop with geom.PI(): {with_call:.1f} instructions "
          f"(({long_calls} - {short_calls}) / {turns})")
    print(f"a turn of the empty loop:          {without:.1f} instructions "
          f"(({long_empty} - {short_empty}) / {turns})")
    print(f"cGeom.PI(): {with_call - without:.1f} instructions per call")


if __name__ == "__main__":
    callgrind() if sys.argv[1:] == ["--callgrind"] else interleaved()
