"""Batch lookups: each target as the single call gives it, bit for bit."""
import numpy as np
import pytest

import tervanix as tv

LIMIT_VALUES = np.array([np.nan, np.inf, -np.inf, -0.0, 0.0, 5e-324, -5e-324, 1e308, -1e308])


def targets(rng, low, high, n=3000):
    values = rng.uniform(low, high, n)
    values[rng.integers(0, n, 300)] = rng.choice(LIMIT_VALUES, 300)
    return values


def single_outcome(call):
    """(outcome, value, FalseReason code) of one single call."""
    try:
        result = call()
    except tv.LibraryError as error:
        return tv.BatchOutcome[error.kind.name], np.nan, 0
    if result.result:
        return tv.BatchOutcome.ReturnedTrue, result[-1], 0
    return tv.BatchOutcome.ReturnedFalse, np.nan, int(result.reason.code)


def tables(rng):
    x = np.array([-9.0, -4.5, 0.0, 3.25, 8.0, np.nextafter(8.0, 9.0)])  # the last interval tiny: faults beyond it
    grid = rng.uniform(-5, 5, (6, 6, 6))
    return x, grid


def cases(rng):
    x, grid = tables(rng)
    w, t1, t2, t3 = x.copy(), targets(rng, -20, 20), targets(rng, -20, 20), targets(rng, -20, 20)
    interp = tv.CInterpolation()
    table = tv.cInterp2()
    yield ("1d", lambda: tv.interpolation_of_1d_array_batch(x, grid[0, 0], tv.EXTRAPOLATE_LINEARLY, t1, strict=False,
                                                            reasons=True),
           lambda i, X, Y: interp.InterpolationOf1DArray(t1[i], X, Y, tv.EXTRAPOLATE_LINEARLY),
           lambda: (tv.DoubleArray(x), tv.DoubleArray(grid[0, 0])))
    yield ("2d", lambda: tv.interp2d_batch(x, grid[0, 1], True, t1, strict=False, reasons=True),
           lambda i, X, Y: table.Interp2D(X, Y, True, t1[i]),
           lambda: (tv.DoubleArray(x), tv.DoubleArray(grid[0, 1])))
    yield ("3d", lambda: tv.interp3d_batch(x, x, grid[0], True, t1, t2, strict=False, reasons=True),
           lambda i, X, Y, Z: table.Interp3D(X, Y, Z, True, t1[i], t2[i]),
           lambda: (tv.DoubleArray(x), tv.DoubleArray(x), tv.DoubleArray2D(grid[0])))
    yield ("4d", lambda: tv.interp4d_batch(w, x, x, grid, True, t1, t2, t3, strict=False, reasons=True),
           lambda i, W, X, Y, Z: table.Interp4D(W, X, Y, Z, True, t1[i], t2[i], t3[i]),
           lambda: (tv.DoubleArray(w), tv.DoubleArray(x), tv.DoubleArray(x), tv.DoubleArray3D(grid)))
    yield ("3d-no-extrap", lambda: tv.interp3d_batch(x, x, grid[0], False, t1, t2, strict=False, reasons=True),
           lambda i, X, Y, Z: table.Interp3D(X, Y, Z, False, t1[i], t2[i]),
           lambda: (tv.DoubleArray(x), tv.DoubleArray(x), tv.DoubleArray2D(grid[0])))


# What each case must show: values and faults; values and Falses (with their reasons).
OCCUR = {"1d": {0, 4}, "2d": {0, 4}, "3d": {0, 4}, "4d": {0, 4}, "3d-no-extrap": {0, 1}}


@pytest.mark.parametrize("name", OCCUR)
def test_batch_equals_single_calls_bit_for_bit(name):
    rng = np.random.default_rng(7)
    _, batch, single, make_tables = next(c for c in cases(rng) if c[0] == name)
    result = batch()
    arrays = make_tables()
    expected = [single_outcome(lambda: single(i, *arrays)) for i in range(len(result.values))]
    assert result.outcomes.tolist() == [int(outcome) for outcome, _, _ in expected]
    assert result.values.tobytes() == np.array([value for _, value, _ in expected]).tobytes()
    assert result.reasons.tolist() == [reason for _, _, reason in expected]
    assert OCCUR[name] <= set(result.outcomes.tolist())


def test_strict_raises_for_the_first_failing_target_naming_it():
    x = np.array([0.0, 1.0, np.nextafter(1.0, 2.0)])  # beyond the tiny last interval: a fault
    grid = np.array([[0.0, 1.0], [1.0, 2.0], [2.0, 3.0]])
    X = np.array([[0.5, 1e308], [1e308, 0.5]])
    with pytest.raises(tv.FloatingPointFault, match=r"interp3d_batch: target \(0, 1\)") as caught:
        tv.interp3d_batch(x, np.array([0.0, 1.0]), grid, True, X, 0.5)
    assert caught.value.index == (0, 1)
    relaxed = tv.interp3d_batch(x, np.array([0.0, 1.0]), grid, True, X, 0.5, strict=False)
    assert relaxed.outcomes.tolist() == [[0, 4], [4, 0]] and np.isnan(relaxed.values[0, 1])


def test_tables_sort_in_place_and_targets_of_any_layout_broadcast():
    x, y = tv.DoubleArray([3.0, 1.0, 2.0]), tv.DoubleArray([30.0, 10.0, 20.0])
    targets = np.arange(12.0).reshape(3, 4)[:, ::2] / 4  # a non-contiguous view
    result = tv.interp2d_batch(x, y, True, targets)
    assert x.values.tolist() == [1.0, 2.0, 3.0] and result.values.tolist() == [[0.0, 5.0], [10.0, 15.0], [20.0, 25.0]]
    grid = np.array([0.0, 1.0])
    assert tv.interp3d_batch(grid, grid, np.eye(2), False, np.zeros((2, 1)), [0.0, 0.5]).values.shape == (2, 2)


def test_targets_inside_a_table_are_looked_up_as_given():
    x, y = tv.DoubleArray([3.0, 1.0, 2.0]), tv.DoubleArray([30.0, 10.0, 20.0])
    # The targets are a view of the table that the lookup sorts: they are copied first.
    assert tv.interpolation_of_1d_array_batch(x, y, 0, x.values).values.tolist() == [30.0, 10.0, 20.0]


def test_axes_give_the_grid_with_the_digits_of_single_calls():
    xv, yv = tv.DoubleArray([0.0, 1.0, 3.0]), tv.DoubleArray([0.0, 2.0])
    z = tv.DoubleArray2D([[0.0, 1.0], [2.0, 5.0], [7.0, 3.0]])
    x, y = np.array([0.1, 0.7, 2.9, 4.0]), np.array([0.3, 1.9, 1.0])
    grid = tv.interp3d_batch(xv, yv, z, False, x=x, y=y, strict=False)
    single = [[tv.cInterp2().Interp3D(xv, yv, z, False, a, b) for b in y] for a in x]
    assert grid.values.shape == (4, 3)
    assert [[(bool(o == 0), v if o == 0 else None) for o, v in zip(orow, vrow)]
            for orow, vrow in zip(grid.outcomes.tolist(), grid.values.tolist())] == \
        [[(s.result, s.Z if s.result else None) for s in row] for row in single]
    w = tv.DoubleArray([0.0, 1.0])
    assert tv.interp4d_batch(w, xv, yv, np.zeros((2, 3, 2)), True, w=[0.5], x=x, y=y).values.shape == (1, 4, 3)


def test_a_table_the_lookup_cannot_use_raises_in_either_mode():
    x, y = np.array([0.0, 1.0, 2.0]), np.array([0.0, 1.0])
    for strict in (True, False):
        with pytest.raises(tv.UnusableTable, match=r"^interp3d_batch: the table cannot be used for any target: "
                                                   r"cInterp2\.Interp3D: XValues ends at 3 and dimension 1 of "
                                                   r"ZValues at 2") as caught:
            tv.interp3d_batch(x, y, np.zeros((2, 3)), True, [0.5], [0.5], strict=strict)  # the grid transposed
        assert isinstance(caught.value, ValueError) and caught.value.reason.code == tv.FalseReason.TableSizesDiffer
    with pytest.raises(tv.UnusableTable) as caught:
        tv.interp2d_batch(np.array([1.0, 1.0]), np.array([1.0, 2.0]), True, [5.0], strict=False)
    assert caught.value.reason.code == tv.FalseReason.RepeatedX
    # A False that depends on the target stays an outcome.
    assert tv.interp3d_batch(x, y, np.zeros((3, 2)), False, [9.0], [0.5]).outcomes.tolist() == [1]


def test_an_error_of_the_table_names_the_function_called():
    with pytest.raises(tv.SubscriptOutOfRange, match=r"^interpolation_of_1d_array_batch: SubscriptOutOfRange: "
                                                     r"dXArray and dYArray are empty \(bounds 1 to 0\)"):
        tv.interpolation_of_1d_array_batch(np.zeros(0), np.zeros(0), tv.EXTRAPOLATE_LINEARLY, [1.0])


def test_empty_targets_give_empty_results():
    result = tv.interp2d_batch(np.array([0.0, 1.0]), np.array([0.0, 1.0]), True, np.zeros((0, 3)))
    assert result.values.shape == (0, 3) and result.outcomes.shape == (0, 3)
