"""Tervanix from Python: the library's eight classes with the C++ library's digits.

help(tervanix.cGeom) and help() of each method show the library's reference text;
the mapping rules (outputs, named tuples, arrays, errors) are in the package's
documentation (docs/python.md of the source tree).
"""
from ._enums import BoundaryCondition, BoundaryCondition2
from ._errors import (ErrorKind, FloatingPointFault, InvalidArgument, LibraryError, MissingObject,
                      OutOfMemory, OverflowError, SubscriptOutOfRange, TypeMismatch)
from . import _core
from ._core import (CInterpolation, CSort, DoubleArray, DoubleArray2D, DoubleArray3D, SetMessageSink,
                    __version__, cGenUtil, cGeom, cInterp2, cMatrix, cMatrix2, cMatrixOps)
from ._reasons import FalseExplanation, FalseReason
from ._batch import (BatchOutcome, BatchResult, UnusableTable, interp2d_batch, interp3d_batch, interp4d_batch,
                     interpolation_of_1d_array_batch)


def last_false_reason():
    """The FalseExplanation of the last call on this thread that returned False (a True
    leaves it as it was), or None before any False on this thread. A method's named
    tuple gives the same as its `reason`, read right after the call."""
    return _core._last_false_reason()


NO_EXTRAPOLATION, EXTRAPOLATE_LINEARLY, EXTRAPOLATE_FIXEDENDPT = BoundaryCondition
EXTRAP_NO, EXTRAP_LINEARLY, EXTRAP_FIXEDENDPT = BoundaryCondition2

# What `from tervanix import *` brings: everything but tervanix.OverflowError, which
# would hide the built-in OverflowError (it stays reachable as tervanix.OverflowError).
__all__ = [
    "BatchOutcome", "BatchResult", "BoundaryCondition", "BoundaryCondition2", "CInterpolation", "CSort",
    "DoubleArray", "DoubleArray2D", "DoubleArray3D", "EXTRAPOLATE_FIXEDENDPT", "EXTRAPOLATE_LINEARLY",
    "EXTRAP_FIXEDENDPT", "EXTRAP_LINEARLY", "EXTRAP_NO", "ErrorKind", "FalseExplanation", "FalseReason",
    "FloatingPointFault", "InvalidArgument", "LibraryError", "MissingObject", "NO_EXTRAPOLATION", "OutOfMemory",
    "SetMessageSink", "SubscriptOutOfRange", "TypeMismatch", "UnusableTable", "cGenUtil", "cGeom", "cInterp2", "cMatrix", "cMatrix2", "cMatrixOps", "interp2d_batch",
    "interp3d_batch", "interp4d_batch", "interpolation_of_1d_array_batch", "last_false_reason",
]
