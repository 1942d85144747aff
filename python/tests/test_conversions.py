"""Values crossing the binding: Doubles keep their bits, whole numbers keep their range."""
import re
import struct

import numpy as np
import pytest

import tervanix as tv

LIMIT_VALUES = [float("nan"), struct.unpack("<d", struct.pack("<Q", 0x7FF8_0000_DEAD_BEEF))[0], float("inf"),
           float("-inf"), -0.0, 5e-324, -2.2250738585072009e-308, 1.7976931348623157e308]


def bits(x):
    return struct.pack("<d", x)


@pytest.mark.parametrize("value", LIMIT_VALUES)
def test_doubles_keep_their_bits(value):
    # An output the method leaves alone comes back exactly as given (Line2D: vertical line).
    kept = tv.cGeom().Line2D(1, 2, 1, 6, m=value, B=np.float64(value))
    assert (bits(kept.m), bits(kept.B)) == (bits(value), bits(value))
    a = tv.DoubleArray([value, 0.0])
    a[2] = value
    assert bits(a[1]) == bits(value) and bits(a.values[1]) == bits(value)


@pytest.mark.parametrize("call", [
    lambda: tv.cGenUtil().IntToBin(32768),
    lambda: tv.cGenUtil().IntToBin(-32769),
    lambda: tv.cGenUtil().LongToBin(2**31),
    lambda: tv.cGenUtil().BinToInt("1", nInt=2**15),
    lambda: tv.cMatrix2().PutData(-2**31 - 1, 1, 0.0),
    lambda: tv.DoubleArray([1.0], lower=2**40),
    lambda: tv.cGeom().Distance2D(10**400, 0, 0, 0),
    lambda: tv.CInterpolation().InterpolationIndices(0.0, tv.DoubleArray([0.0, 1.0]), 2**31),
])
def test_ints_beyond_the_range_raise_the_library_overflow(call):
    with pytest.raises(tv.OverflowError) as caught:
        call()
    assert caught.value.kind is tv.ErrorKind.OverflowError and isinstance(caught.value, OverflowError)


def test_ints_at_the_limits_pass():
    util = tv.cGenUtil()
    assert util.BinToInt(util.IntToBin(-32768).sBin).nInt == -32768
    assert util.BinToLong(util.LongToBin(2**31 - 1).sBin).lngLong == 2**31 - 1
    assert util.BinToInt(util.IntToBin(np.int16(32767)).sBin).nInt == 32767


@pytest.mark.parametrize("call, parameter", [
    (lambda: tv.cGeom().Distance2D("1", 0, 0, 0), "x1"),
    (lambda: tv.cGeom().Distance2D(0, None, 0, 0), "y1"),
    (lambda: tv.cGenUtil().IntToBin(1.0), "nInt"),
    (lambda: tv.cGenUtil().BinToInt(101), "sBin"),
    (lambda: tv.cInterp2().Interp2D([1.0, 2.0], tv.DoubleArray([1.0, 2.0]), True, 1.5), "XValues"),
    (lambda: tv.cInterp2().Interp3D(tv.DoubleArray([1.0]), tv.DoubleArray([1.0]), tv.DoubleArray([1.0]),
                                    True, 1.0, 1.0), "ZValues"),
    (lambda: tv.cMatrixOps().MatrixTrans(np.eye(2)), "Original"),
    (lambda: tv.CSort().BubbleSort1DArray([1.0, object()]), "vXData[1]"),
    (lambda: tv.DoubleArray(["1", "2"]), "values[0]"),
    (lambda: tv.cInterp2.__new__(tv.cInterp2).Interp2D(None, None, True, 1.0), "this cInterp2 object"),
    (lambda: tv.cInterp2().SortXYPairsByX(tv.DoubleArray.__new__(tv.DoubleArray), None), "XValues"),
    (lambda: tv.cInterp2().Interp2D(tv.DoubleArray([1.0]), tv.DoubleArray([1.0]), allow_extrap=True, X=1.0),
     "parameter 'allow_extrap'"),
])
def test_wrong_types_name_the_method_and_the_parameter(call, parameter):
    with pytest.raises(TypeError, match=rf"^\w+[.\w]*(: | has no ){re.escape(parameter)}"):
        call()


def test_booleans_in_and_out():
    table = tv.cInterp2()
    x, y = tv.DoubleArray([0.0, 1.0]), tv.DoubleArray([0.0, 10.0])
    assert table.Interp2D(x, y, 1, 2.0).result is True  # 1 is a raw Boolean that counts as True
    assert table.Interp2D(x, y, False, 2.0).result is False
    assert tv.CInterpolation().BoundedBy(1.0, 0.0, 2.0) is True


def test_a_boolean_result_gives_its_tuple_its_truth_value():
    x, y = tv.DoubleArray([0.0, 1.0]), tv.DoubleArray([0.0, 10.0])
    assert tv.cInterp2().Interp2D(x, y, True, 0.5) and not tv.cInterp2().Interp2D(x, y, False, 9.0)
    ok, value = tv.cInterp2().Interp2D(x, y, False, 9.0, Y=-1.0)  # unpacking is unchanged
    assert (ok, value) == (False, -1.0)
    assert tv.cGeom().CartToPolar(0.0, 0.0)  # no Boolean result: a non-empty tuple is true


def test_a_list_emptied_while_it_is_converted_is_read_as_it_was():
    items = [1.0, 2.0]

    class Emptying:
        def __float__(self):
            items.clear()
            return 3.0
    items.insert(1, Emptying())
    assert tv.DoubleArray(items).values.tolist() == [1.0, 3.0, 2.0] and items == []


def test_every_way_of_passing_arguments_reaches_the_same_call():
    # All by position (taken as they are), by keyword, in a mix, and the overloads of
    # one name: each reaches the method with the arguments in parameter order.
    geom = tv.cGeom()
    by_position = geom.Distance2D(0.5, 1.0, 2.0, 3.0)
    assert by_position == geom.Distance2D(y2=3.0, x2=2.0, y1=1.0, x1=0.5) == geom.Distance2D(0.5, 1.0, y2=3.0, x2=2.0)
    assert by_position != geom.Distance2D(1.0, 0.5, 2.0, 3.0)
    with pytest.raises(TypeError, match=r"^cGeom\.Distance2D takes at most 4 arguments, not 5"):
        geom.Distance2D(0.5, 1.0, 2.0, 3.0, 4.0)
    m = tv.cMatrix2()
    m.NumRows(3)
    m.NumCols(2)
    assert (m.NumRows(), m.NumCols()) == (3, 2)


def test_a_subclass_instance_calls_and_an_uninitialised_one_is_refused():
    class Geometry(tv.cGeom):
        pass
    assert Geometry().PI() == tv.cGeom().PI() and Geometry().Distance2D(0.0, 0.0, 3.0, 4.0) == 5.0
    for bare in (tv.cGeom.__new__(tv.cGeom), Geometry.__new__(Geometry)):
        with pytest.raises(TypeError, match=r"^cGeom\.PI: this cGeom object was never initialised"):
            bare.PI()
