"""tervanix.DoubleArray objects: bounds, the shared NumPy view, construction, and sorts
that the caller sees."""
import gc

import numpy as np
import pytest

import tervanix as tv


def test_bounds_and_checked_subscripts():
    a = tv.DoubleArray2D(np.arange(6.0).reshape(2, 3), lower=(0, -1))
    assert [(a.LBound(d), a.UBound(d)) for d in (1, 2)] == [(0, 1), (-1, 1)]
    assert a[1, -1] == 3.0
    with pytest.raises(tv.SubscriptOutOfRange):
        a[2, 0]
    with pytest.raises(IndexError):
        tv.DoubleArray().LBound()  # never given bounds
    assert tv.DoubleArray3D.with_bounds(1, 2, 1, 1, 5, 7).values.shape == (2, 1, 3)
    assert tv.DoubleArray([], lower=1).UBound() == 0


def test_the_view_shares_the_store_and_keeps_it_alive():
    a = tv.DoubleArray([1.0, 2.0, 3.0], lower=5)
    view = np.asarray(a)
    view[0] = 9.0
    assert a[5] == 9.0
    a[7] = -1.0
    assert view[2] == -1.0 and view.flags.writeable
    del a
    gc.collect()
    assert view.tolist() == [9.0, 2.0, -1.0]


def test_redim_waits_until_no_view_exists():
    a = tv.DoubleArray([1.0, 2.0])
    part = a.values[1:]  # a view of a view keeps the store too
    with pytest.raises(BufferError):
        a.ReDim(1, 4)
    del part
    gc.collect()
    a.ReDim(1, 4)
    assert a.values.tolist() == [0.0] * 4


def test_values_of_any_layout_are_copied_in_order():
    source = np.arange(12.0).reshape(3, 4)
    assert tv.DoubleArray(source[:, 1]).values.tolist() == [1.0, 5.0, 9.0]
    assert tv.DoubleArray2D(source.T).values.tolist() == source.T.tolist()
    with pytest.raises(ValueError, match="equal length"):
        tv.DoubleArray2D([[1.0, 2.0], [3.0]])


def test_sorts_are_seen_in_the_callers_arrays():
    x, y = tv.DoubleArray([3.0, 1.0, 2.0]), tv.DoubleArray([30.0, 10.0, 20.0])
    assert tv.cInterp2().Interp2D(x, y, True, 1.5).Y == 15.0
    assert (x.values.tolist(), y.values.tolist()) == ([1.0, 2.0, 3.0], [10.0, 20.0, 30.0])
    # A list crosses with lower bound 0: the partner of x(1) is items[1].
    x, items = tv.DoubleArray([2.0, 1.0]), ["b", None, "a"]
    tv.CSort.Default().BubbleSortXYPairsByX(x, items)
    assert x.values.tolist() == [1.0, 2.0] and items == ["b", "a", None]
    mixed = [3, 1.5, True]
    tv.CSort().BubbleSort1DArray(mixed)
    assert mixed == [True, 1.5, 3]


def test_a_failing_sort_leaves_the_list_as_the_sort_left_it():
    items = [2.0, 1.0, "a"]
    with pytest.raises(tv.TypeMismatch):
        tv.CSort().BubbleSort1DArray(items)
    assert items == [1.0, 2.0, "a"]


@pytest.mark.parametrize("call", [
    lambda: tv.CInterpolation().InterpolationOf1DArray(1.0, tv.DoubleArray([]), tv.DoubleArray([]), 0),
    lambda: tv.cInterp2().Interp3D(tv.DoubleArray(), tv.DoubleArray(), tv.DoubleArray2D(), True, 1.0, 1.0),
    lambda: tv.CSort().BubbleSort1DArray([]),
])
def test_empty_arrays_and_arrays_without_bounds_meet_the_librarys_checks(call):
    with pytest.raises(tv.SubscriptOutOfRange):
        call()
