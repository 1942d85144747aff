"""Tervanix from Python: the library's eight classes with the C++ library's digits.

See docs/python.md in the source tree for the mapping rules.
"""
from ._enums import BoundaryCondition, BoundaryCondition2
from ._errors import (ErrorKind, FloatingPointFault, InvalidArgument, LibraryError, MissingObject,
                      OutOfMemory, OverflowError, SubscriptOutOfRange, TypeMismatch)
from ._core import (CInterpolation, CSort, DoubleArray, DoubleArray2D, DoubleArray3D, SetMessageSink,
                    cGenUtil, cGeom, cInterp2, cMatrix, cMatrix2, cMatrixOps)

NO_EXTRAPOLATION, EXTRAPOLATE_LINEARLY, EXTRAPOLATE_FIXEDENDPT = BoundaryCondition
EXTRAP_NO, EXTRAP_LINEARLY, EXTRAP_FIXEDENDPT = BoundaryCondition2
from ._batch import (BatchOutcome, BatchResult, interp2d_batch, interp3d_batch, interp4d_batch,
                     interpolation_of_1d_array_batch)
