"""The enumerations, as IntEnums: a member passes where the library takes the number,
and any other whole number in the Long range may be passed too."""
import enum


class BoundaryCondition(enum.IntEnum):
    NO_EXTRAPOLATION = 0
    EXTRAPOLATE_LINEARLY = 1
    EXTRAPOLATE_FIXEDENDPT = 2


class BoundaryCondition2(enum.IntEnum):
    EXTRAP_NO = 0
    EXTRAP_LINEARLY = 1
    EXTRAP_FIXEDENDPT = 2
