"""The library's errors as Python exceptions.

Every failure the library detects ends the call with a LibraryError whose ``kind``
says what went wrong; each kind has its own subclass, which also derives from the
matching built-in exception, so ``except IndexError`` catches a subscript error.
The message is the library's own text.

A method that returns outputs (see the package documentation) and fails after it
wrote some of them attaches them to the exception as ``outputs``: the same named
tuple a successful call returns, holding each output as the failure left it.
"""
import builtins
import enum
from typing import Any, Dict, Optional, Tuple, Type


class ErrorKind(enum.Enum):
    """What went wrong, as the library's ErrorKind names it."""

    OverflowError = "OverflowError"
    SubscriptOutOfRange = "SubscriptOutOfRange"
    FloatingPointFault = "FloatingPointFault"
    InvalidArgument = "InvalidArgument"
    TypeMismatch = "TypeMismatch"
    MissingObject = "MissingObject"
    OutOfMemory = "OutOfMemory"


class LibraryError(Exception):
    """A failure the library detected; `kind` says which. `outputs`: the outputs a
    failing method had written (None when it has none); `index`: for a batch lookup
    with strict=True, the index of the target that raised."""

    kind: Optional[ErrorKind] = None  # each subclass's own kind
    outputs: Optional[Any] = None
    index: Optional[Tuple[int, ...]] = None

    def __init__(self, message: str = "") -> None:
        """The library's text: "Class.Method: Kind: what failed"."""
        super().__init__(message)


class OverflowError(LibraryError, builtins.OverflowError):
    """A whole number or a conversion left its range (an int beyond Integer or Long too)."""
    kind = ErrorKind.OverflowError


class SubscriptOutOfRange(LibraryError, IndexError):
    """An element addressed outside its array's bounds, or an array without bounds."""
    kind = ErrorKind.SubscriptOutOfRange


class FloatingPointFault(LibraryError, FloatingPointError):
    """Invalid operation, division by zero or overflow; FloatingPointError is an ArithmeticError."""
    kind = ErrorKind.FloatingPointFault


class InvalidArgument(LibraryError, ValueError):
    """A runtime function given an argument outside its domain (the logarithm of 0)."""
    kind = ErrorKind.InvalidArgument


class TypeMismatch(LibraryError, TypeError):
    """A Variant that does not hold what the operation needs."""
    kind = ErrorKind.TypeMismatch


class MissingObject(LibraryError, ValueError):
    """An object parameter given None: the value, not its type, is what is missing."""
    kind = ErrorKind.MissingObject


class OutOfMemory(LibraryError, MemoryError):
    """No memory for the call's arrays or working data."""
    kind = ErrorKind.OutOfMemory


# Each class is named as its kind.
BY_KIND: Dict[str, Type[LibraryError]] = {
    cls.__name__: cls for cls in (OverflowError, SubscriptOutOfRange, FloatingPointFault, InvalidArgument,
                                  TypeMismatch, MissingObject, OutOfMemory)}

for _cls in (ErrorKind, LibraryError, *BY_KIND.values()):
    _cls.__module__ = "tervanix"
