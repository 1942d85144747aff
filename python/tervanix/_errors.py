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


class ErrorKind(enum.Enum):
    OverflowError = "OverflowError"
    SubscriptOutOfRange = "SubscriptOutOfRange"
    FloatingPointFault = "FloatingPointFault"
    InvalidArgument = "InvalidArgument"
    TypeMismatch = "TypeMismatch"
    MissingObject = "MissingObject"
    OutOfMemory = "OutOfMemory"


class LibraryError(Exception):
    kind = None
    outputs = None


class OverflowError(LibraryError, builtins.OverflowError):
    """A whole number or a conversion left its range (an int beyond Integer or Long too)."""
    kind = ErrorKind.OverflowError


class SubscriptOutOfRange(LibraryError, IndexError):
    kind = ErrorKind.SubscriptOutOfRange


class FloatingPointFault(LibraryError, FloatingPointError):
    """Invalid operation, division by zero or overflow; FloatingPointError is an ArithmeticError."""
    kind = ErrorKind.FloatingPointFault


class InvalidArgument(LibraryError, ValueError):
    kind = ErrorKind.InvalidArgument


class TypeMismatch(LibraryError, TypeError):
    kind = ErrorKind.TypeMismatch


class MissingObject(LibraryError, ValueError):
    """An object parameter given None: the value, not its type, is what is missing."""
    kind = ErrorKind.MissingObject


class OutOfMemory(LibraryError, MemoryError):
    kind = ErrorKind.OutOfMemory


BY_KIND = {cls.kind.value: cls for cls in (OverflowError, SubscriptOutOfRange, FloatingPointFault,
                                            InvalidArgument, TypeMismatch, MissingObject, OutOfMemory)}

for _cls in (ErrorKind, LibraryError, *BY_KIND.values()):
    _cls.__module__ = "tervanix"
