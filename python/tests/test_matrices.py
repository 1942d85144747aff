"""cMatrix2 to and from NumPy, cMatrix.Calc's list, and the message box callable."""
import numpy as np
import pytest

import tervanix as tv


def test_cmatrix2_round_trip_through_numpy():
    values = np.array([[1.0, -0.0], [np.inf, 5e-324], [2.0, 3.0]])
    m = tv.cMatrix2.from_array(values)
    assert (m.NumRows(), m.NumCols(), m.GetData(2, 1)) == (3, 2, np.inf)
    assert np.asarray(m).tobytes() == values.tobytes()
    with pytest.raises(ValueError, match="at least one"):
        tv.cMatrix2.from_array(np.zeros((0, 2)))


def test_repr_shows_the_size_and_the_first_values():
    assert repr(tv.cMatrix2()) == "cMatrix2(1 x 1, [[0.0]])"
    assert repr(tv.cMatrix2.from_array([[0.1, -2.0]])) == "cMatrix2(1 x 2, [[0.1, -2.0]])"
    assert repr(tv.cMatrix2.from_array(np.arange(30.0).reshape(5, 6))) == (
        "cMatrix2(5 x 6, [[0.0, 1.0, 2.0, 3.0, ...], [6.0, 7.0, 8.0, 9.0, ...], [12.0, 13.0, 14.0, 15.0, ...], "
        "[18.0, 19.0, 20.0, 21.0, ...], ...])")


def test_calc_returns_the_solution_as_a_list():
    system = tv.cMatrix()
    system.MatrixSize(2)
    for row, col, value in [(1, 1, 2.0), (2, 2, 4.0)]:
        system.AddToMatrix(row, col, value)
    system.AddToVector(1, 2.0)
    system.AddToVector(2, 2.0)
    assert system.Calc() == (True, [1.0, 0.5])
    system.AddToMatrix(2, 2, 0.0)
    assert system.Calc(Solution="kept") == (False, [])


def test_the_message_box_goes_to_a_callable():
    shown = []
    previous = tv.SetMessageSink(shown.append)
    try:
        tv.cMatrix().HelpForProgrammer()
    finally:
        assert tv.SetMessageSink(previous) == shown.append
    assert len(shown) == 4 and all(isinstance(text, str) and text for text in shown)
    with pytest.raises(TypeError, match="sink"):
        tv.SetMessageSink(42)
