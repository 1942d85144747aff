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
strict=False the outcomes say which targets failed and how. A table the lookup cannot
use (bounds not from 1, sizes that do not match, fewer than 2 points, a repeated X, a
grid that does not rise) raises ValueError in either mode, with the single call's
reason as `reason`. The library works with the
GIL released; `threads` shares the targets among that many threads (0: every core).
"""
import functools
import operator
import weakref
from typing import Any, Callable, List, NamedTuple, Optional, Sequence, Tuple, TypeVar

import numpy as np
import numpy.typing as npt

from . import _core  # type: ignore[attr-defined]  # the extension: its types are in __init__.pyi
from ._enums import NamedIntEnum
from ._errors import BY_KIND, LibraryError
from ._reasons import FalseExplanation, FalseReason


class BatchOutcome(NamedIntEnum):
    """What the single call gives one target: its value (ReturnedTrue), False
    (ReturnedFalse), or the kind of error it raises."""

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
    values: npt.NDArray[np.float64]
    outcomes: npt.NDArray[np.int8]


class BatchResult(_BatchItems):
    """(values, outcomes), and the attribute reasons: None, or with reasons=True the
    FalseReason codes per target."""
    reasons: Optional[npt.NDArray[np.int8]] = None  # set on the instance when asked for; unpacking never sees it


_ARRAYS = {1: _core.DoubleArray, 2: _core.DoubleArray2D, 3: _core.DoubleArray3D}


Shape = Tuple[int, ...]
Flat = List[npt.NDArray[np.float64]]


def _table(function: str, name: str, value: Any, rank: int) -> Any:
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


def _targets(function: str, names: Sequence[str], values: Sequence[Any]) -> Tuple[Shape, Flat]:
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
        shape = np.broadcast_shapes(*(a.shape for a in arrays))
    except ValueError:
        raise ValueError(f"{function}: the shapes of {', '.join(names)} do not broadcast together: "
                         f"{', '.join(str(a.shape) for a in arrays)}") from None
    # An array that already has the shape and is contiguous goes to the binding as it is,
    # and the binding copies it while it holds the GIL. Any other is copied here first,
    # in one step: a view of the caller's array (a broadcast, a reshape) would be left
    # over freed memory if another thread gave that array new memory (resize,
    # __setstate__) before the view was read.
    return shape, [a if a.shape == shape and a.flags.c_contiguous
                   else np.ascontiguousarray(np.broadcast_to(np.array(a, order="C", copy=True), shape))
                   for a in arrays]


F = TypeVar("F", bound=Callable[..., Any])


def _holding_arrays(function: F) -> F:
    """The batch function holding a weak reference to each NumPy array among its arguments
    while it runs: NumPy refuses to resize an array that has one (even with
    refcheck=False), so no view or copy the call makes is left over freed memory by
    another thread."""
    @functools.wraps(function)
    def call(*args: Any, **kwargs: Any) -> Any:
        held = [weakref.ref(a) for a in (*args, *kwargs.values()) if isinstance(a, np.ndarray)]
        try:
            return function(*args, **kwargs)
        finally:
            del held
    return call  # type: ignore[return-value]


def _points_or_axes(function: str, names: Sequence[str], points: Sequence[Any],
                    axes: Sequence[Any]) -> Tuple[Shape, Flat]:
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
        checked.append(np.array(flat[0], copy=True))  # meshgrid makes views: of a copy of ours
    grid = np.meshgrid(*checked, indexing="ij")
    return grid[0].shape, [np.ascontiguousarray(g) for g in grid]


def _whole(function: str, name: str, value: Any) -> int:
    """An int in the Long range, as the single call takes it."""
    try:
        whole = operator.index(value)
    except TypeError:
        raise TypeError(f"{function}: {name} must be an int, not {type(value).__name__}") from None
    if not -2**31 <= whole < 2**31:
        raise BY_KIND["OverflowError"](f"{function}: {name} = {whole} lies outside the Long range "
                                       f"-2147483648 to 2147483647")
    return whole


def _threads(function: str, value: Any) -> int:
    count = _whole(function, "threads", value)
    if count < 0:
        raise ValueError(f"{function}: threads must be 0 (every core) or more, not {count}")
    return count


def _boolean(function: str, value: Any) -> bool:
    if isinstance(value, (bool, np.bool_)):
        return bool(value)
    if isinstance(value, int) and -32768 <= value <= 32767:
        return value != 0  # a raw 16-bit Boolean: any value but 0 is True
    raise TypeError(f"{function}: bAllowExtrap must be a bool, not {type(value).__name__}")


# The reasons of the grid and pair lookups that concern the table alone: the single call
# gives them at every target, so the batch raises for them, as an interpolator that is
# handed a table it cannot use does.
_TABLE_REASONS = frozenset({FalseReason.TableNotNumberedFromOne, FalseReason.TableSizesDiffer,
                            FalseReason.TableTooShort, FalseReason.RepeatedX, FalseReason.NotAscending})


class UnusableTable(ValueError):
    """A table the lookup cannot use, for any target; `reason` is the single call's
    FalseExplanation."""

    reason: FalseExplanation

    def __init__(self, message: str, reason: FalseExplanation) -> None:
        super().__init__(message)
        self.reason = reason


def _run(function: str, name: str, core: Callable[..., Any], *arguments: Any) -> Any:
    """The library's batch call; its error names the Python function the caller called,
    in place of the C++ function's name `name`."""
    try:
        return core(*arguments)
    except LibraryError as error:
        text = str(error)
        if not text.startswith(name + ": "):
            raise
        raise type(error)(f"{function}: {text[len(name) + 2:]}") from None


def _refuse_table(function: str, outcomes: npt.NDArray[np.int8], single_call: Callable[..., Any],
                  targets: Flat) -> None:
    """UnusableTable when the first False is the table's own: the single call at that
    target says why. Only the grid and pair lookups check their tables this way."""
    first = int(np.argmax(outcomes == BatchOutcome.ReturnedFalse))
    if outcomes[first] != BatchOutcome.ReturnedFalse:
        return
    reason = single_call(*(float(t.flat[first]) for t in targets)).reason
    if reason is not None and reason.code in _TABLE_REASONS:
        raise UnusableTable(f"{function}: the table cannot be used for any target: {reason.text}", reason)


def _finish(function: str, shape: Shape, computed: Any, strict: bool, single_call: Callable[..., Any],
            targets: Flat, table_checked: bool = True) -> BatchResult:
    values, outcomes, reasons = computed
    # ReturnedTrue is 0: when every target returned True, no pass over the outcomes is left.
    if outcomes.any():
        if table_checked:
            _refuse_table(function, outcomes, single_call, targets)
        values[outcomes != BatchOutcome.ReturnedTrue] = np.nan  # a failed target's slot may hold its faulting value
        failed = np.flatnonzero(outcomes > BatchOutcome.ReturnedFalse) if strict else np.empty(0, dtype=np.intp)
        if len(failed):
            raise _target_error(function, shape, int(failed[0]), BatchOutcome(outcomes[failed[0]]).name,
                                single_call, targets)
    result = BatchResult(values.reshape(shape), outcomes.reshape(shape))
    if reasons is not None:
        result.reasons = reasons.reshape(shape)
    return result


def _target_error(function: str, shape: Shape, first: int, kind: str, single_call: Callable[..., Any],
                  targets: Flat) -> LibraryError:
    """The exception of the first target whose single call raises, with its index."""
    index = tuple(int(i) for i in np.unravel_index(first, shape)) if shape else ()
    where = f"{function}: target {index if len(shape) != 1 else first}"
    try:
        single_call(*(float(t.flat[first]) for t in targets))  # the single call, for the library's message
    except LibraryError as error:
        raised = type(error)(f"{where}: {error}")
    else:
        raised = BY_KIND[kind](f"{where}: {kind}")
    raised.index = index
    return raised


_OPTIONS = """
    strict: True (the default) raises the error of the first target, in row order,
    whose single call raises, naming its index (`error.index`); False gives it as the
    target's outcome. threads: the threads that share the targets (0: every core).
    reasons: True sets `result.reasons`, the FalseReason code of each target.
    Returns a BatchResult (values, outcomes): values NaN wherever the outcome is not
    ReturnedTrue. A table without bounds or elements raises the library's
    LibraryError, naming this function.{}
    """
_TABLE_CHECKED = """
    A table the lookup cannot use for any target raises UnusableTable (a ValueError)
    in either mode."""


def _options_documented(table_checked: bool) -> Callable[[F], F]:
    """Appends the options and outcomes every batch function shares to its docstring."""
    def document(function: F) -> F:
        text, example, rest = (function.__doc__ or "").rstrip().partition("\n\n    >>>")
        options = _OPTIONS.format(_TABLE_CHECKED if table_checked else "").rstrip()
        function.__doc__ = text.rstrip() + "\n" + options + example + rest + "\n    "
        return function
    return document


@_holding_arrays
@_options_documented(table_checked=False)
def interpolation_of_1d_array_batch(dXArray: Any, dYArray: Any, eExtrapolationType: int, targets: Any, *,
                                    strict: bool = True, threads: int = 1, reasons: bool = False) -> BatchResult:
    """CInterpolation.InterpolationOf1DArray at each target: one table, many targets,
    each with the value, the False and the error the single call gives it.

    dXArray, dYArray: the table, DoubleArray objects (sorted in place, as by the single
    call) or float64 NumPy arrays (copied from subscript 1, the copy sorted).
    eExtrapolationType: a BoundaryCondition (any int in the Long range). targets: a
    float64 array of any shape, or numbers; the result has its shape.

    >>> interpolation_of_1d_array_batch(np.array([1.0, 2.0]), np.array([10.0, 20.0]), 1, [1.5, 3.0]).values
    array([15., 30.])
    """
    f = "interpolation_of_1d_array_batch"
    x, y = _table(f, "dXArray", dXArray, 1), _table(f, "dYArray", dYArray, 1)
    shape, flat = _targets(f, ["targets"], [targets])
    condition = _whole(f, "eExtrapolationType", eExtrapolationType)
    computed = _run(f, "InterpolationOf1DArrayBatch", _core._interpolation_of_1d_array_batch, x, y, condition,
                    flat[0], _threads(f, threads), bool(reasons))
    single = lambda t: _core.CInterpolation().InterpolationOf1DArray(t, x, y, condition)  # noqa: E731
    # Every False of the 1-D lookup depends on the target (its table is sorted first).
    return _finish(f, shape, computed, strict, single, flat, table_checked=False)


@_holding_arrays
@_options_documented(table_checked=True)
def interp2d_batch(XValues: Any, YValues: Any, bAllowExtrap: Any, targets: Any, *, strict: bool = True,
                   threads: int = 1, reasons: bool = False) -> BatchResult:
    """cInterp2.Interp2D at each target X: a table of X/Y pairs, many targets.

    XValues, YValues: the pairs, bounds from 1 (DoubleArray objects, sorted in place,
    or float64 NumPy arrays, copied). bAllowExtrap: whether a target beyond the ends
    gets a value. targets: a float64 array of any shape, or numbers.
    """
    f = "interp2d_batch"
    x, y = _table(f, "XValues", XValues, 1), _table(f, "YValues", YValues, 1)
    allow = _boolean(f, bAllowExtrap)
    shape, flat = _targets(f, ["targets"], [targets])
    computed = _run(f, "Interp2DBatch", _core._interp2d_batch, x, y, allow, flat[0], _threads(f, threads),
                    bool(reasons))
    single = lambda t: _core.cInterp2().Interp2D(x, y, allow, t)  # noqa: E731
    return _finish(f, shape, computed, strict, single, flat)


@_holding_arrays
@_options_documented(table_checked=True)
def interp3d_batch(XValues: Any, YValues: Any, ZValues: Any, bAllowExtrap: Any, X: Any = None, Y: Any = None, *,
                   x: Any = None, y: Any = None, strict: bool = True, threads: int = 1,
                   reasons: bool = False) -> BatchResult:
    """cInterp2.Interp3D at each point (X, Y), X and Y broadcast together; or, given the
    axes x and y (1-D), at every (x[i], y[j]): the result's [i, j].

    XValues, YValues: the grid lines, strictly ascending, from subscript 1; ZValues:
    the grid, ZValues[i, j] at (XValues[i], YValues[j]) (a DoubleArray2D or a 2-D
    float64 array of shape (len(XValues), len(YValues)); a transposed grid raises
    UnusableTable). bAllowExtrap: whether a point beyond the grid gets a value.
    """
    f = "interp3d_batch"
    xv, yv = _table(f, "XValues", XValues, 1), _table(f, "YValues", YValues, 1)
    zv = _table(f, "ZValues", ZValues, 2)
    allow = _boolean(f, bAllowExtrap)
    shape, flat = _points_or_axes(f, ["X", "Y"], [X, Y], [x, y])
    computed = _run(f, "Interp3DBatch", _core._interp3d_batch, xv, yv, zv, allow, flat[0], flat[1],
                    _threads(f, threads), bool(reasons))
    single = lambda a, b: _core.cInterp2().Interp3D(xv, yv, zv, allow, a, b)  # noqa: E731
    return _finish(f, shape, computed, strict, single, flat)


@_holding_arrays
@_options_documented(table_checked=True)
def interp4d_batch(WValues: Any, XValues: Any, YValues: Any, ZValues: Any, bAllowExtrap: Any, W: Any = None,
                   X: Any = None, Y: Any = None, *, w: Any = None, x: Any = None, y: Any = None, strict: bool = True,
                   threads: int = 1, reasons: bool = False) -> BatchResult:
    """cInterp2.Interp4D at each point (W, X, Y), W, X and Y broadcast together; or, given
    the axes w, x and y (1-D), at every (w[i], x[j], y[k]): the result's [i, j, k].

    WValues, XValues, YValues: the grid lines, strictly ascending, from subscript 1;
    ZValues: the grid of shape (len(WValues), len(XValues), len(YValues)), a
    DoubleArray3D or a 3-D float64 array. bAllowExtrap: whether a point beyond the
    grid gets a value.
    """
    f = "interp4d_batch"
    wv, xv, yv = (_table(f, n, v, 1) for n, v in [("WValues", WValues), ("XValues", XValues), ("YValues", YValues)])
    zv = _table(f, "ZValues", ZValues, 3)
    allow = _boolean(f, bAllowExtrap)
    shape, flat = _points_or_axes(f, ["W", "X", "Y"], [W, X, Y], [w, x, y])
    computed = _run(f, "Interp4DBatch", _core._interp4d_batch, wv, xv, yv, zv, allow, flat[0], flat[1], flat[2],
                    _threads(f, threads), bool(reasons))
    single = lambda a, b, c: _core.cInterp2().Interp4D(wv, xv, yv, zv, allow, a, b, c)  # noqa: E731
    return _finish(f, shape, computed, strict, single, flat)
