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


def test_the_version_and_a_star_import_that_keeps_the_builtins():
    assert tv.__version__.count(".") == 2
    scope = {}
    exec("from tervanix import *", scope)
    assert "OverflowError" not in scope and "cGeom" in scope and issubclass(tv.OverflowError, OverflowError)
