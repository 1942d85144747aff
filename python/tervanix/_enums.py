"""The enumerations, as IntEnums: a member passes where the library takes the number,
and any other whole number in the Long range may be passed too. str() and format()
give a member's name, as the C++ library writes it to a stream; repr() gives the name
and the number."""
import enum


class NamedIntEnum(enum.IntEnum):
    """An IntEnum that prints its name (Python 3.11 prints an IntEnum as its number)."""

    def __str__(self) -> str:
        return self.name

    def __format__(self, spec: str) -> str:
        # A number's format ("d", "x", "5d") formats the number; anything else the name.
        if spec and spec[-1] in "bcdnoxX":
            return format(int(self), spec)
        return format(str(self), spec)


class BoundaryCondition(NamedIntEnum):
    """What CInterpolation's table lookup does beyond the table's ends."""

    NO_EXTRAPOLATION = 0
    EXTRAPOLATE_LINEARLY = 1
    EXTRAPOLATE_FIXEDENDPT = 2


class BoundaryCondition2(NamedIntEnum):
    """What cInterp2.Interp2D_Extrap does beyond the table's ends."""

    EXTRAP_NO = 0
    EXTRAP_LINEARLY = 1
    EXTRAP_FIXEDENDPT = 2
