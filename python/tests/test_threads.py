"""Calc, MatrixInvert and the batch lookups release the GIL: another thread runs Python meanwhile."""
import sys
import threading
import time

import numpy as np
import pytest

import tervanix as tv

N = 100


def invert():
    rng = np.random.default_rng(1)
    m = tv.cMatrix2.from_array(rng.random((N, N)) * 0.01 + 2 * np.eye(N))
    return lambda: tv.cMatrixOps().MatrixInvert(m)


def calc():
    rng = np.random.default_rng(2)
    system = tv.cMatrix()
    system.MatrixSize(N)
    for (i, j), value in np.ndenumerate(rng.random((N, N)) * 0.01 + 2 * np.eye(N)):
        system.AddToMatrix(i + 1, j + 1, value)
    # One elimination takes a fraction of a millisecond: a run of them is long enough to measure.
    return lambda: [system.Calc() for _ in range(20)]


def batch():
    grid = np.array([0.0, 1.0, 2.0])
    X, Y = np.random.default_rng(3).uniform(0, 2, (2, 500_000))
    return lambda: tv.interp3d_batch(grid, grid, np.eye(3), False, X, Y)


def share_of_calls_overlapped(call, repeat=10):
    """The share of the time spent in `call` (on a second thread) during which this
    thread kept running: near 0 when the call holds the GIL, near 1 when it releases it."""
    spans, ticks = [], []

    def worker():
        for _ in range(repeat):
            start = time.perf_counter()
            call()
            spans.append((start, time.perf_counter()))

    interval = sys.getswitchinterval()
    sys.setswitchinterval(0.0002)  # a held GIL then passes to this thread only briefly
    try:
        thread = threading.Thread(target=worker)
        thread.start()
        while thread.is_alive():
            ticks.append(time.perf_counter())
        thread.join()
    finally:
        sys.setswitchinterval(interval)
    covered = sum(b - a for a, b in zip(ticks, ticks[1:]) if b - a < 0.001
                  and any(start <= a and b <= end for start, end in spans))
    return covered / sum(end - start for start, end in spans)


@pytest.mark.parametrize("make", [invert, calc, batch])
def test_another_thread_runs_during_the_call(make):
    assert share_of_calls_overlapped(make()) > 0.06


def test_the_measure_sees_a_held_gil():
    values = [0.5] * 2_000_000  # converting these holds the GIL throughout
    assert share_of_calls_overlapped(lambda: tv.DoubleArray(values), repeat=3) < 0.06


def test_an_object_in_use_without_the_gil_refuses_other_calls():
    matrix = tv.cMatrix2.from_array(np.eye(200) * 2.0)
    runner = threading.Thread(target=lambda: tv.cMatrixOps().MatrixInvert(matrix))
    refused = []
    interval = sys.getswitchinterval()
    sys.setswitchinterval(0.0002)
    try:
        runner.start()
        while runner.is_alive() and not refused:
            try:
                matrix.PutData(1, 1, 2.0)  # the value it holds: harmless if it comes first
            except RuntimeError as error:
                refused.append(str(error))
        runner.join()
    finally:
        sys.setswitchinterval(interval)
    assert refused and "cMatrix2.PutData" in refused[0] and "cMatrixOps.MatrixInvert" in refused[0]
    assert matrix.NumRows() == 200  # the refused call changed nothing
