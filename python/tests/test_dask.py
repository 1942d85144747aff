"""The Dask example: chunk by chunk, the same values as one batch call."""
import sys
from pathlib import Path

import numpy as np
import pytest

import dask
import dask.array as da

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "examples"))
from dask_grid_lookup import grid_lookup  # noqa: E402

import tervanix as tv  # noqa: E402


@pytest.mark.parametrize("scheduler", ["threads", "synchronous"])
def test_chunked_lookup_equals_one_batch(scheduler):
    grid = np.array([0.0, 1.0, 2.0])
    table = np.arange(9.0).reshape(3, 3) ** 1.5
    X, Y = np.random.default_rng(5).uniform(-0.5, 2.5, (2, 300, 200))
    lazy = grid_lookup(grid, grid, table, False, da.from_array(X, chunks=(64, 50)), da.from_array(Y, chunks=(64, 50)))
    with dask.config.set(scheduler=scheduler):
        chunked = lazy.compute()
    assert chunked.tobytes() == tv.interp3d_batch(grid, grid, table, False, X, Y).values.tobytes()
