"""What a user sees without the documentation: help(), signatures, the version, import *."""
import inspect

import tervanix as tv

CLASSES = [tv.CInterpolation, tv.CSort, tv.cGenUtil, tv.cGeom, tv.cInterp2, tv.cMatrix, tv.cMatrix2, tv.cMatrixOps]


def test_every_method_has_a_signature_and_the_reference_text():
    for cls in CLASSES:
        assert cls.__doc__, cls
        for name, member in vars(cls).items():
            if name.startswith("_") or not callable(member):
                continue
            method = getattr(cls(), name)
            assert inspect.signature(method) is not None and method.__doc__, f"{cls.__name__}.{name}"
    line = inspect.signature(tv.cGeom.Line2D)
    assert str(line) == "(self, /, x1, y1, x2, y2, m=0.0, B=0.0)"
    assert "Returns a named tuple tervanix.Line2D(result, m, B)" in tv.cGeom.Line2D.__doc__


def test_every_public_name_has_a_docstring_and_every_callable_a_signature():
    missing = []
    for name in [*tv.__all__, "OverflowError"]:
        value = getattr(tv, name)
        if isinstance(value, int):  # the enumerations' members, as module constants
            continue
        if not (value.__doc__ or "").strip():
            missing.append(f"{name}: no docstring")
        if callable(value) and not isinstance(value, type(tv.ErrorKind)):
            try:
                inspect.signature(value)
            except (TypeError, ValueError) as error:
                missing.append(f"{name}: no signature ({error})")
    assert missing == []
    assert str(inspect.signature(tv.DoubleArray)) == "(values=None, lower=1)"
    assert str(inspect.signature(tv.DoubleArray2D.with_bounds)) == "(*bounds)"


def test_enumerations_print_their_names_as_the_library_does():
    assert [str(tv.EXTRAPOLATE_LINEARLY), f"{tv.EXTRAP_NO}", f"{tv.EXTRAP_FIXEDENDPT:>20}"] == \
        ["EXTRAPOLATE_LINEARLY", "EXTRAP_NO", "   EXTRAP_FIXEDENDPT"]
    assert f"{tv.EXTRAP_LINEARLY:d}" == "1" and tv.EXTRAP_LINEARLY == 1  # still a number where one is asked for
    assert [str(tv.FalseReason.None_), str(tv.FalseReason.RepeatedX), str(tv.BatchOutcome.FloatingPointFault)] == \
        ["None", "RepeatedX", "FloatingPointFault"]


def test_the_version_and_a_star_import_that_keeps_the_builtins():
    assert tv.__version__.count(".") == 2
    scope = {}
    exec("from tervanix import *", scope)
    assert "OverflowError" not in scope and "cGeom" in scope and issubclass(tv.OverflowError, OverflowError)
