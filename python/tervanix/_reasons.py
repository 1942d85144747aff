"""Why a method returned False: the code (FalseReason, named as in the C++ enumeration)
and the library's text. The extension checks at import that these names are the
library's own, in its order."""
from typing import Union

from ._enums import NamedIntEnum


class FalseReason(NamedIntEnum):
    """The rule that made a method return False; str() is the C++ name (None_ prints
    as "None")."""

    None_ = 0  # no call on this thread has returned False ("None" is a Python keyword)
    TableNotNumberedFromOne = 1
    TableSizesDiffer = 2
    TableTooShort = 3
    RepeatedX = 4
    NotAscending = 5
    TargetOutsideTable = 6
    EndXValuesEqual = 7
    ValueOutsideRange = 8
    RangeWithoutWidth = 9
    VerticalLine = 10
    NotANumber = 11
    NotBinaryText = 12
    ParallelPlanes = 13
    NoSinglePoint = 14
    NotSquare = 15
    ZeroRow = 16
    ZeroColumn = 17
    ProportionalRows = 18
    SizesDoNotMatch = 19
    NoRowOrder = 20
    DependentEquations = 21

    def __str__(self) -> str:
        return "None" if self is FalseReason.None_ else self.name


class FalseExplanation:
    """The reason of one False: `code`, a FalseReason, and `text`, which names the
    method, the argument and its values, and what would give a result. str() is the
    text."""

    __slots__ = ("code", "text")

    code: FalseReason
    text: str

    def __init__(self, code: Union[FalseReason, int], text: str) -> None:
        self.code = FalseReason(code)
        self.text = text

    def __str__(self) -> str:
        return self.text

    def __repr__(self) -> str:
        return f"FalseExplanation({self.code.name}, {self.text!r})"

    def __eq__(self, other: object) -> bool:
        if not isinstance(other, FalseExplanation):
            return NotImplemented
        return (self.code, self.text) == (other.code, other.text)

    def __hash__(self) -> int:
        return hash((self.code, self.text))
