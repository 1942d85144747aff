"""Each error kind arrives as its own exception class, with the library's message."""
import pytest

import tervanix as tv

CASES = [
    (tv.OverflowError, OverflowError, lambda: tv.cGenUtil().IntToBin(40000)),
    (tv.SubscriptOutOfRange, IndexError, lambda: tv.DoubleArray([1.0])[2]),
    (tv.FloatingPointFault, ArithmeticError, lambda: tv.cGeom().Distance2D(1e308, 0, -1e308, 0)),
    (tv.InvalidArgument, ValueError, lambda: tv.cGenUtil().Log10(0.0)),
    (tv.TypeMismatch, TypeError, lambda: tv.CSort().BubbleSort1DArray(5.0)),
    (tv.MissingObject, ValueError, lambda: tv.cMatrixOps().MatrixInvert(None)),
    (tv.OutOfMemory, MemoryError, lambda: tv.DoubleArray3D.with_bounds(1, 2**31 - 1, 1, 2**31 - 1, 1, 2**31 - 1)),
]


@pytest.mark.parametrize("cls, builtin, call", CASES, ids=[c[0].__name__ for c in CASES])
def test_each_kind_has_its_class(cls, builtin, call):
    with pytest.raises(cls) as caught:
        call()
    error = caught.value
    assert isinstance(error, tv.LibraryError) and isinstance(error, builtin)
    assert error.kind.name == cls.__name__ and str(error)


def test_outputs_written_before_the_failure_travel_with_the_exception():
    with pytest.raises(tv.FloatingPointFault) as caught:
        tv.cGeom().PlaneCoeffsFrom3Pts(0, 0, 0, 1e200, 0, 0, 0, 1e200, 0, A=-1.0, B=-1.0, c=-1.0, d=-1.0)
    # A and B are written, c holds the value that faulted, d was never reached.
    assert caught.value.outputs == (0.0, 0.0, float("inf"), -1.0)
    assert (caught.value.outputs.c, caught.value.outputs.d) == (float("inf"), -1.0)


def test_an_object_output_is_replaced_before_a_missing_input_fails():
    with pytest.raises(tv.MissingObject, match="Original") as caught:
        tv.cMatrixOps().MatrixTrans(None)
    assert caught.value.outputs.Transposed.NumRows() == 1 and caught.value.outputs.result is None
