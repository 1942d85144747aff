"""The cost of a scalar call through the binding, two ways:

    python bench/python/scalar_cost.py            # Distance2D beside math.hypot, interleaved
    python bench/python/scalar_cost.py --callgrind  # instructions per cGeom.PI() call

Interleaved: repeats of geom.Distance2D(x1, y1, x2, y2) and of math.hypot(x, y) take
turns, so that the load of a shared machine falls on both alike; the best time of each
and their ratio are printed. --callgrind runs a loop of PI() calls and the same loop
with no call under valgrind's callgrind, and prints the difference per call: the
instructions of the call itself (attribute lookup, the binding, the float made).
"""
import math
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


LOOP = """
import tervanix as tv
geom = tv.cGeom()
for _ in range({calls}):
    {body}
"""


def instructions(body):
    with tempfile.TemporaryDirectory() as folder:
        script = f"{folder}/loop.py"
        with open(script, "w") as f:
            f.write(LOOP.format(calls=CALLS, body=body))
        run = subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={folder}/out", sys.executable,
                              script], capture_output=True, text=True, check=True)
    return int(re.search(r"Collected : (\d+)", run.stderr).group(1))


def callgrind():
    with_call, without = instructions("geom.PI()"), instructions("pass")
    print(f"cGeom.PI(): {(with_call - without) / CALLS:.0f} instructions per call "
          f"({with_call} - {without} over {CALLS} calls)")


if __name__ == "__main__":
    callgrind() if sys.argv[1:] == ["--callgrind"] else interleaved()
