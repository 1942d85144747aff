"""What a call costs from Python beside the same call from C++ (bench/python/cpp_calls.cpp),
measured side by side in one run. Needs the package installed and its CMake build
folder (python/build/cmake), which holds the library it links against:
    .venv/bin/python bench/python/calls.py
Prints, per call, the C++ time, the Python time, the difference in nanoseconds and the
ratio; interp3d_batch is one call over a million targets (Interp3DBatch from C++)."""
import subprocess
import sys
import timeit
from pathlib import Path

import numpy as np

import tervanix as tv

ROOT = Path(__file__).resolve().parents[2]
LIBRARY = ROOT / "python" / "build" / "cmake" / "tervanix" / "calculations" / "libtervanix.a"
PROGRAM = ROOT / "build" / "python-bench" / "cpp_calls"


def cpp_times():
    PROGRAM.parent.mkdir(parents=True, exist_ok=True)
    subprocess.run(["c++", "-O2", "-std=c++17", "-ffp-contract=off", "-fno-fast-math", f"-I{ROOT / 'calculations'}",
                    str(Path(__file__).with_name("cpp_calls.cpp")), str(LIBRARY), "-o", str(PROGRAM)], check=True)
    lines = subprocess.run([str(PROGRAM)], check=True, capture_output=True, text=True).stdout.split("\n")
    return {name: float(ns) for name, ns in (line.split() for line in lines if line)}


def python_times(repeat=200_000):
    geom = tv.cGeom()
    x = tv.DoubleArray([0.0, 10, 20, 40, 60, 80, 100])
    y = tv.DoubleArray([999.84, 999.70, 998.21, 992.22, 983.20, 971.80, 958.35])
    table = tv.CInterpolation.Default()
    grid = tv.cInterp2()
    speed, torque = tv.DoubleArray([1000.0, 2000, 3000]), tv.DoubleArray([10.0, 20, 40])
    efficiency = tv.DoubleArray2D(np.zeros((3, 3)))
    linear = tv.EXTRAPOLATE_LINEARLY
    calls = {
        "Distance2D": lambda: geom.Distance2D(0.5, 1.0, 2.0, 3.0),
        "InterpolationOf1DArray": lambda: table.InterpolationOf1DArray(30.0, x, y, linear),
        "Interp3D": lambda: grid.Interp3D(speed, torque, efficiency, False, 1500.0, 25.0),
    }
    X = np.random.default_rng(1).uniform(1000, 3000, 1_000_000)
    Y = np.random.default_rng(2).uniform(10, 40, 1_000_000)
    batch = lambda: tv.interp3d_batch(speed, torque, efficiency, False, X, Y)  # noqa: E731
    empty = min(timeit.repeat(lambda: None, number=repeat, repeat=5)) / repeat
    times = {name: (min(timeit.repeat(call, number=repeat, repeat=5)) / repeat - empty) * 1e9
             for name, call in calls.items()}
    times["interp3d_batch"] = min(timeit.repeat(batch, number=20, repeat=3)) / 20 * 1e9
    return times


def main():
    cpp = cpp_times()
    python = python_times()
    print(f"{'call':<24}{'C++ ns':>12}{'Python ns':>12}{'added ns':>10}{'ratio':>7}")
    for name, ns in python.items():
        print(f"{name:<24}{cpp[name]:>12.1f}{ns:>12.1f}{ns - cpp[name]:>10.1f}{ns / cpp[name]:>7.2f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
