"""Batch lookups: one table, many targets, each target with exactly the value, the False
and the error that the single call gives it.

Tables are DoubleArray objects (sorted in place, as by the single call) or float64 NumPy
arrays (copied into a new table whose subscripts start at 1; the copy is sorted, not the
caller's array). Targets are float64 arrays of any shape and layout, or Python numbers
and lists; the targets of the grid lookups broadcast together, or come as axes (x=, y=,
w=: 1-D arrays) whose every combination is looked up. Targets are always copied before
the call (by the binding, while it holds the GIL, into memory each thread keeps for its
batch calls), so a target array that shares memory
with a table is looked up as it was given, never sorted with the table, and another
thread may change, resize or free the target arrays during the call without harm (the
call looks up the values as they were when it began). The result is a
BatchResult: `values` (float64, the targets' shape; NaN wherever the outcome is not
ReturnedTrue) and `outcomes` (int8 codes of BatchOutcome). With reasons=True its
attribute `reasons` (not one of its items) holds, in the targets' shape, the int8 code
of FalseReason that the single call would give each target returning False, and
FalseReason.None_ (0) elsewhere; without, it is None.

With strict=True (the default) the first target, in row order, whose single call would
raise ends the call with that error, its message naming the target's index; with
strict=False the outcomes say which targets failed and how. The library works with the
GIL released; `threads` shares the targets among that many threads (0: every core).
"""
import enum
import functools
import operator
import weakref
from typing import NamedTuple, Optional

import numpy as np

from . import _core
from ._errors import BY_KIND, LibraryError


class BatchOutcome(enum.IntEnum):
    ReturnedTrue = 0
    ReturnedFalse = 1
    OverflowError = 2
    SubscriptOutOfRange = 3
    FloatingPointFault = 4
    InvalidArgument = 5
    TypeMismatch = 6
    MissingObject = 7
    OutOfMemory = 8


class _BatchItems(NamedTuple):
    values: np.ndarray
    outcomes: np.ndarray


class BatchResult(_BatchItems):
    """(values, outcomes), and the attribute reasons: None, or with reasons=True the
    FalseReason codes per target."""
    reasons: Optional[np.ndarray] = None  # set on the instance when asked for; unpacking never sees it


_ARRAYS = {1: _core.DoubleArray, 2: _core.DoubleArray2D, 3: _core.DoubleArray3D}


def _table(function, name, value, rank):
    cls = _ARRAYS[rank]
    if isinstance(value, cls):
        return value
    if isinstance(value, np.ndarray):
        try:
            return cls(value)
        except (TypeError, ValueError) as error:
            raise type(error)(f"{function}: {name}: {error}") from None
    raise TypeError(f"{function}: {name} must be a tervanix.{cls.__name__} or a float64 NumPy array, "
                    f"not {type(value).__name__}")


def _targets(function, names, values):
    arrays = []
    for name, value in zip(names, values):
        if isinstance(value, np.ndarray):
            if value.dtype != np.float64:
                raise TypeError(f"{function}: {name} must hold float64, not {value.dtype} "
                                f"(convert with .astype(numpy.float64))")
            arrays.append(value)
            continue
        try:
            arrays.append(np.asarray(value, dtype=np.float64))
        except (TypeError, ValueError):
            raise TypeError(f"{function}: {name} must be real numbers, not {type(value).__name__}") from None
    try:
        shaped = np.broadcast_arrays(*arrays)
    except ValueError:
        raise ValueError(f"{function}: the shapes of {', '.join(names)} do not broadcast together: "
                         f"{', '.join(str(a.shape) for a in arrays)}") from None
    # No view is made of a contiguous array: the binding reads (and copies) it as given.
    return shaped[0].shape, [np.ascontiguousarray(a) for a in shaped]


def _holding_arrays(function):
    """The batch function holding a weak reference to each NumPy array among its arguments
    while it runs: NumPy refuses to resize an array that has one (even with
    refcheck=False), so no view or copy the call makes is left over freed memory by
    another thread."""
    @functools.wraps(function)
    def call(*args, **kwargs):
        held = [weakref.ref(a) for a in (*args, *kwargs.values()) if isinstance(a, np.ndarray)]
        try:
            return function(*args, **kwargs)
        finally:
            del held
    return call


def _points_or_axes(function, names, points, axes):
    """The targets as given: points (broadcast together), or axes whose grid is wanted
    (result[i, j] at x[i], y[j], as the table's ZValues(i, j) at XValues(i), YValues(j))."""
    given_axes = [a is not None for a in axes]
    if not any(given_axes):
        if any(p is None for p in points):
            raise TypeError(f"{function}: give the targets {', '.join(names)} (points) "
                            f"or {', '.join(n.lower() for n in names)} (axes)")
        return _targets(function, names, points)
    if not all(given_axes) or any(p is not None for p in points):
        raise TypeError(f"{function}: give either the points {', '.join(names)} or all the axes "
                        f"{', '.join(n.lower() for n in names)}, not a mix")
    checked = []
    for name, axis in zip(names, axes):
        shape, flat = _targets(function, [name.lower()], [axis])
        if len(shape) != 1:
            raise ValueError(f"{function}: the axis {name.lower()} must be 1-D, not of shape {shape}")
        checked.append(flat[0])
    grid = np.meshgrid(*checked, indexing="ij")
    return grid[0].shape, [np.ascontiguousarray(g) for g in grid]


def _whole(function, name, value):
    """An int in the Long range, as the single call takes it."""
    try:
        whole = operator.index(value)
    except TypeError:
        raise TypeError(f"{function}: {name} must be an int, not {type(value).__name__}") from None
    if not -2**31 <= whole < 2**31:
        raise BY_KIND["OverflowError"](f"{function}: {name} = {whole} lies outside the Long range "
                                       f"-2147483648 to 2147483647")
    return whole


def _threads(function, value):
    count = _whole(function, "threads", value)
    if count < 0:
        raise ValueError(f"{function}: threads must be 0 (every core) or more, not {count}")
    return count


def _boolean(function, value):
    if isinstance(value, (bool, np.bool_)):
        return bool(value)
    if isinstance(value, int) and -32768 <= value <= 32767:
        return value != 0  # a raw 16-bit Boolean: any value but 0 is True
    raise TypeError(f"{function}: bAllowExtrap must be a bool, not {type(value).__name__}")


def _finish(function, shape, computed, strict, single_call, targets):
    values, outcomes, reasons = computed
    # ReturnedTrue is 0: when every target returned True, no pass over the outcomes is left.
    if outcomes.any():
        values[outcomes != BatchOutcome.ReturnedTrue] = np.nan  # a failed target's slot may hold its faulting value
        failed = np.flatnonzero(outcomes > BatchOutcome.ReturnedFalse) if strict else ()
        if len(failed):
            raise _target_error(function, shape, int(failed[0]), BatchOutcome(outcomes[failed[0]]).name,
                                single_call, targets)
    result = BatchResult(values.reshape(shape), outcomes.reshape(shape))
    if reasons is not None:
        result.reasons = reasons.reshape(shape)
    return result


def _target_error(function, shape, first, kind, single_call, targets):
    """The exception of the first target whose single call raises, with its index."""
    index = tuple(int(i) for i in np.unravel_index(first, shape)) if shape else ()
    where = f"{function}: target {index if len(shape) != 1 else first}"
    try:
        single_call(*(float(t.reshape(-1)[first]) for t in targets))  # the single call, for the library's message
    except LibraryError as error:
        raised = type(error)(f"{where}: {error}")
    else:
        raised = BY_KIND[kind](f"{where}: {kind}")
    raised.index = index
    return raised


@_holding_arrays
def interpolation_of_1d_array_batch(dXArray, dYArray, eExtrapolationType, targets, *, strict=True, threads=1,
                                    reasons=False):
    """CInterpolation.InterpolationOf1DArray at each target."""
    f = "interpolation_of_1d_array_batch"
    x, y = _table(f, "dXArray", dXArray, 1), _table(f, "dYArray", dYArray, 1)
    shape, flat = _targets(f, ["targets"], [targets])
    condition = _whole(f, "eExtrapolationType", eExtrapolationType)
    computed = _core._interpolation_of_1d_array_batch(x, y, condition, flat[0], _threads(f, threads), bool(reasons))
    single = lambda t: _core.CInterpolation().InterpolationOf1DArray(t, x, y, condition)  # noqa: E731
    return _finish(f, shape, computed, strict, single, flat)


@_holding_arrays
def interp2d_batch(XValues, YValues, bAllowExtrap, targets, *, strict=True, threads=1, reasons=False):
    """cInterp2.Interp2D at each target X."""
    f = "interp2d_batch"
    x, y = _table(f, "XValues", XValues, 1), _table(f, "YValues", YValues, 1)
    allow = _boolean(f, bAllowExtrap)
    shape, flat = _targets(f, ["targets"], [targets])
    computed = _core._interp2d_batch(x, y, allow, flat[0], _threads(f, threads), bool(reasons))
    single = lambda t: _core.cInterp2().Interp2D(x, y, allow, t)  # noqa: E731
    return _finish(f, shape, computed, strict, single, flat)


@_holding_arrays
def interp3d_batch(XValues, YValues, ZValues, bAllowExtrap, X=None, Y=None, *, x=None, y=None, strict=True,
                   threads=1, reasons=False):
    """cInterp2.Interp3D at each point (X, Y), X and Y broadcast together; or, given the
    axes x and y (1-D), at every (x[i], y[j]): the result's [i, j]."""
    f = "interp3d_batch"
    xv, yv = _table(f, "XValues", XValues, 1), _table(f, "YValues", YValues, 1)
    zv = _table(f, "ZValues", ZValues, 2)
    allow = _boolean(f, bAllowExtrap)
    shape, flat = _points_or_axes(f, ["X", "Y"], [X, Y], [x, y])
    computed = _core._interp3d_batch(xv, yv, zv, allow, flat[0], flat[1], _threads(f, threads), bool(reasons))
    single = lambda a, b: _core.cInterp2().Interp3D(xv, yv, zv, allow, a, b)  # noqa: E731
    return _finish(f, shape, computed, strict, single, flat)


@_holding_arrays
def interp4d_batch(WValues, XValues, YValues, ZValues, bAllowExtrap, W=None, X=None, Y=None, *, w=None, x=None,
                   y=None, strict=True, threads=1, reasons=False):
    """cInterp2.Interp4D at each point (W, X, Y), W, X and Y broadcast together; or, given
    the axes w, x and y (1-D), at every (w[i], x[j], y[k]): the result's [i, j, k]."""
    f = "interp4d_batch"
    wv, xv, yv = (_table(f, n, v, 1) for n, v in [("WValues", WValues), ("XValues", XValues), ("YValues", YValues)])
    zv = _table(f, "ZValues", ZValues, 3)
    allow = _boolean(f, bAllowExtrap)
    shape, flat = _points_or_axes(f, ["W", "X", "Y"], [W, X, Y], [w, x, y])
    computed = _core._interp4d_batch(wv, xv, yv, zv, allow, flat[0], flat[1], flat[2], _threads(f, threads),
                                     bool(reasons))
    single = lambda a, b, c: _core.cInterp2().Interp4D(wv, xv, yv, zv, allow, a, b, c)  # noqa: E731
    return _finish(f, shape, computed, strict, single, flat)
