"""The batch lookups from Python beside NumPy's and SciPy's, on the same data, in one run.
Needs the package installed (docs/python.md) and python3-scipy:
    .venv/bin/python bench/python/batch.py
Each side looks up 10^6 fresh random targets inside the table; the best of five runs is
printed per target with the ratio to the peer. numpy.interp holds the end values beyond
the table and SciPy's RegularGridInterpolator refuses points outside it, so every target
lies inside, where all sides compute the same linear interpolation."""
import timeit

import numpy as np
from scipy.interpolate import RegularGridInterpolator

import tervanix as tv

TARGETS = 1_000_000


def best_seconds(call, repeat=5):
    return min(timeit.repeat(call, number=1, repeat=repeat))


def table(points, rng):
    x = np.cumsum(rng.uniform(0.5, 2.5, points))
    return x, rng.uniform(0.0, 140.0, points)


def one_dimensional(points, rng):
    x, y = table(points, rng)
    targets = rng.uniform(x[0], x[-1], TARGETS)
    lower = -32768 if points > 32767 else 1  # the table's positions must be Integers
    xs, ys = tv.DoubleArray(x, lower=lower), tv.DoubleArray(y, lower=lower)
    linear = tv.EXTRAPOLATE_LINEARLY
    ours = tv.interpolation_of_1d_array_batch(xs, ys, linear, targets).values
    if not np.array_equal(ours, np.interp(targets, x, y)):
        print(f"  (1-D, {points} points: the values differ from numpy.interp's in the last digits)")
    return {
        "ours": best_seconds(lambda: tv.interpolation_of_1d_array_batch(xs, ys, linear, targets)),
        "peer": best_seconds(lambda: np.interp(targets, x, y)),
    }


def grid(points, rng):
    x, _ = table(points, rng)
    y, _ = table(points, rng)
    z = rng.uniform(0.0, 140.0, (points, points))
    X = rng.uniform(x[0], x[-1], TARGETS)
    Y = rng.uniform(y[0], y[-1], TARGETS)
    xs, ys, zs = tv.DoubleArray(x), tv.DoubleArray(y), tv.DoubleArray2D(z)
    peer = RegularGridInterpolator((x, y), z, method="linear")
    XY = np.column_stack((X, Y))
    return {
        "ours": best_seconds(lambda: tv.interp3d_batch(xs, ys, zs, False, X, Y)),
        "peer": best_seconds(lambda: peer(XY)),
    }


def main():
    rng = np.random.default_rng(5)
    rows = []
    for points in (10, 1000, 65535):
        rows.append((f"interpolation_of_1d_array_batch, {points} points", "numpy.interp",
                     one_dimensional(points, rng)))
    for points in (10, 100):
        rows.append((f"interp3d_batch, {points} x {points} grid", "RegularGridInterpolator", grid(points, rng)))
    print(f"{TARGETS:,} random targets per call; nanoseconds per target, best of 5")
    print(f"{'lookup':48} {'ours':>7} {'peer':>7}  ratio  peer")
    for name, peer, t in rows:
        ours, theirs = t["ours"] * 1e9 / TARGETS, t["peer"] * 1e9 / TARGETS
        print(f"{name:48} {ours:7.1f} {theirs:7.1f}  {ours / theirs:5.2f}  {peer}")


if __name__ == "__main__":
    main()
