"""A grid lookup over more points than one array in memory need hold: the targets are a
chunked Dask array, and each chunk is looked up by tervanix.interp3d_batch where it lies.
The tables travel as plain NumPy arrays, so any Dask scheduler can ship them.

    .venv/bin/python python/examples/dask_grid_lookup.py     (the local threaded scheduler)
"""
import dask.array as da
import numpy as np

import tervanix as tv


def grid_lookup(XValues, YValues, ZValues, bAllowExtrap, X, Y):
    """Interp3D at every point of the Dask arrays X and Y (same shape and chunks): a lazy
    Dask array of the values, NaN where the lookup gives False. A point whose single call
    would raise makes the computation raise it, naming the point's index in its chunk."""
    def lookup(x_block, y_block):
        return tv.interp3d_batch(XValues, YValues, ZValues, bAllowExtrap, x_block, y_block).values

    return da.map_blocks(lookup, X, Y, dtype=np.float64)


def main():
    speed = np.array([1000.0, 2000.0, 3000.0])
    torque = np.array([10.0, 20.0, 40.0])
    efficiency = np.array([[82.0, 86.0, 84.0], [85.0, 90.0, 88.0], [83.0, 89.0, 87.0]])
    X = da.random.RandomState(1).uniform(1000, 3000, size=(4000, 1000), chunks=(1000, 1000))
    Y = da.random.RandomState(2).uniform(10, 40, size=(4000, 1000), chunks=(1000, 1000))
    eta = grid_lookup(speed, torque, efficiency, False, X, Y)
    print(f"{eta.size} points in {eta.npartitions} chunks: mean efficiency {float(eta.mean().compute()):.6f} %")


if __name__ == "__main__":
    main()
