"""A typed use of each class, for mypy --strict over the stubs (scripts/ci/python.sh);
pytest runs it too, so that it stays a working program."""
import numpy as np

import tervanix as tv


def test_typed_use() -> None:
    x, y = tv.DoubleArray([0.0, 1.0, 2.0]), tv.DoubleArray([0.0, 10.0, 20.0])
    found: bool = tv.CInterpolation().InterpolationOf1DArray(0.5, x, y, tv.NO_EXTRAPOLATION).result
    lookup = tv.cInterp2().Interp2D(x, y, False, 1.5)
    value: float = lookup.Y if lookup else float("nan")
    why: str = str(lookup.reason) if lookup.reason else ""
    earlier = tv.last_false_reason()
    last: tv.FalseReason = earlier.code if earlier is not None else tv.FalseReason.None_
    z: float = tv.cInterp2().Interp3D(x, y, tv.DoubleArray2D(np.eye(3)), True, 0.5, 0.5).Z
    tv.CSort().BubbleSort1DArray([3.0, 1.0])
    text: str = tv.cGenUtil().IntToBin(5).sBin
    slope: float = tv.cGeom().Line2D(0, 0, 1, 2).m
    m = tv.cMatrix2.from_array([[2.0, 0.0], [0.0, 4.0]])
    rows: int = m.NumRows()
    inverse: tv.cMatrix2 = tv.cMatrixOps().MatrixInvert(m).Inverted
    system = tv.cMatrix()
    system.MatrixSize(1)
    system.AddToMatrix(1, 1, 2.0)
    system.AddToVector(1, 4.0)
    solution: list[float] = system.Calc().Solution
    grid = tv.interp3d_batch(x, y, np.eye(3), False, x=[0.5], y=[0.5, 1.5], reasons=True)
    assert found and value == 15.0 and z == 0.5 and text and slope == 2.0 and rows == 2
    assert inverse.GetData(2, 2) == 0.25 and solution == [2.0] and grid.values.shape == (1, 2)
    assert why == "" and isinstance(last, tv.FalseReason) and grid.reasons is not None
