"""Why False, through Python: rows of the library's own reason table (its C++ test),
so the code and the text a Python caller reads are the library's, word for word."""
import math

import pytest

import tervanix as tv

Reason = tv.FalseReason
GRID, ROWS = tv.DoubleArray([1.0, 2.0, 3.0]), tv.DoubleArray([1.0, 2.0])

ROWS_OF_THE_CPP_TABLE = [
    (lambda: tv.cInterp2().Interp2D(tv.DoubleArray([1.0, 2.0], lower=0), tv.DoubleArray([10.0, 20.0], lower=0),
                                    True, 1.5),
     Reason.TableNotNumberedFromOne,
     "cInterp2.Interp2D: XValues starts at subscript 0; Interp2D reads tables numbered from 1: give "
     "XValues and YValues lower bound 1"),
    (lambda: tv.cInterp2().Interp3D(GRID, ROWS, tv.DoubleArray2D.with_bounds(1, 3, 1, 2), False, 2, 9),
     Reason.TargetOutsideTable,
     "cInterp2.Interp3D: the target Y, 9, lies above the last value of YValues, 2, and bAllowExtrap is "
     "False: allow extrapolation or extend the table"),
    (lambda: tv.cGeom().Line2D(math.nan, 2, 1, 6),
     Reason.NotANumber,
     "cGeom.Line2D: x1 and x2 are nan and 1; a NaN gives no slope: pass numbers"),
    (lambda: tv.cGenUtil().BinToInt("101"),
     Reason.NotBinaryText,
     "cGenUtil.BinToInt: sBin has 3 characters; BinToInt reads exactly 16 characters \"0\" and \"1\", the "
     "first weighing -2^15: give the text in that form"),
    (lambda: tv.cMatrixOps().MatrixInvert(tv.cMatrix2.from_array([[1, 2, 3], [0, 1, 4], [2, 4, 6]])),
     Reason.ProportionalRows,
     "cMatrixOps.MatrixInvert: rows 1 and 3 of Original are proportional (row 3 is row 1 times 2, within "
     "1e-12): the matrix has no inverse"),
]


@pytest.mark.parametrize("call, code, text", ROWS_OF_THE_CPP_TABLE, ids=lambda v: getattr(v, "name", ""))
def test_a_false_carries_the_library_reason(call, code, text):
    result = call()
    assert not result and len(result) == len(result._fields)  # the reason is no item: unpacking unchanged
    assert (result.reason.code, result.reason.code.name, str(result.reason)) == (code, code.name, text)
    assert tv.last_false_reason() == result.reason
    ok = tv.CInterpolation().InterpolationRatio(10, 20, 15)
    assert ok and ok.reason is None and tv.last_false_reason() == result.reason  # a True clears nothing
