"""Calc, MatrixInvert and the batch lookups release the GIL: another thread runs Python
meanwhile. Shown by counting, not by timing: while such a call runs, the objects it uses
refuse other calls, and this thread can only meet a refusal if it ran during the call."""
import sys
import threading

import numpy as np
import pytest

import tervanix as tv

N = 100
DIAGONAL = np.random.default_rng(1).random((N, N)) * 0.01 + 2 * np.eye(N)


def invert():
    matrix = tv.cMatrix2.from_array(DIAGONAL)
    # The probe writes the value the element holds: harmless whenever it is let through.
    return (lambda: tv.cMatrixOps().MatrixInvert(matrix), lambda: matrix.PutData(1, 1, DIAGONAL[0, 0]),
            RuntimeError)


def calc():
    system = tv.cMatrix()
    system.MatrixSize(N)
    for (i, j), value in np.ndenumerate(DIAGONAL):
        system.AddToMatrix(i + 1, j + 1, value)
    return lambda: system.Calc(), lambda: system.AddToMatrix(1, 1, DIAGONAL[0, 0]), RuntimeError


def batch():
    grid = tv.DoubleArray([0.0, 1.0, 2.0])
    z = tv.DoubleArray2D(np.eye(3))
    X, Y = np.random.default_rng(3).uniform(0, 2, (2, 20_000))
    # A table in use refuses ReDim; let through, ReDim makes the grid zeros of the same shape.
    return lambda: tv.interp3d_batch(grid, grid, z, False, X, Y), lambda: z.ReDim(1, 3, 1, 3), BufferError


def refusals(call, probe, refused_as, calls=50):
    """Runs `call` on a second thread up to `calls` times, while this thread keeps
    calling `probe`, and counts the probes refused as in use; stops after the first
    call that saw one. The short switch interval makes the GIL change hands often."""
    seen = []

    def worker():
        for _ in range(calls):
            before = len(seen)
            call()
            if len(seen) > before:
                return

    interval = sys.getswitchinterval()
    sys.setswitchinterval(1e-5)
    try:
        thread = threading.Thread(target=worker)
        thread.start()
        while thread.is_alive():
            try:
                probe()
            except refused_as as error:
                seen.append(str(error))
        thread.join()
    finally:
        sys.setswitchinterval(interval)
    return seen


@pytest.mark.parametrize("make", [invert, calc, batch])
def test_another_thread_runs_during_the_call(make):
    assert refusals(*make())


def test_an_object_in_use_without_the_gil_refuses_other_calls():
    matrix = tv.cMatrix2.from_array(np.eye(200) * 2.0)
    refused = refusals(lambda: tv.cMatrixOps().MatrixInvert(matrix), lambda: matrix.PutData(1, 1, 2.0),
                       RuntimeError)
    assert refused and "cMatrix2.PutData" in refused[0] and "cMatrixOps.MatrixInvert" in refused[0]
    assert matrix.NumRows() == 200 and matrix.GetData(1, 1) == 2.0  # a refused call changes nothing
