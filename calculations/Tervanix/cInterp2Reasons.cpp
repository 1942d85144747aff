// cInterp2's False paths: each finds the rule of the table check that said no, by
// asking the same questions in the same order, and records it (runtime/FalseReason.h).
// The questions before the one that failed were answered without an error, so
// asking them again raises nothing.
#include <initializer_list>
#include <ostream>

#include "Tervanix/cInterp2.h"
#include "Tervanix/runtime/FalseReason.h"
#include "Tervanix/runtime/MessageText.h"

namespace tervanix {

const char* ToString(BoundaryCondition2 condition) noexcept {
    switch (condition) {
        case EXTRAP_NO: return "EXTRAP_NO";
        case EXTRAP_LINEARLY: return "EXTRAP_LINEARLY";
        case EXTRAP_FIXEDENDPT: return "EXTRAP_FIXEDENDPT";
    }
    return "UnknownBoundaryCondition2";
}

std::ostream& operator<<(std::ostream& os, BoundaryCondition2 condition) {
    if (condition < EXTRAP_NO || condition > EXTRAP_FIXEDENDPT) return os << static_cast<std::int32_t>(condition);
    return os << ToString(condition);
}

namespace {

struct Axis {
    const char* name;
    const DoubleArray* values;
};

// "Interp3D" of "cInterp2.Interp3D".
const char* MethodName(const char* where) {
    const char* name = where;
    for (const char* p = where; *p != '\0'; ++p) {
        if (*p == '.') name = p + 1;
    }
    return name;
}

bool RefuseLowerBound(const char* where, const char* array, Long lower, const char* remedy) {
    rt::MessageText<> text;
    text << array << " starts at subscript " << lower << "; " << MethodName(where)
         << " reads tables numbered from 1: give " << remedy << " lower bound 1";
    return rt::RecordFalse(FalseReason::TableNotNumberedFromOne, where, text.c_str());
}

bool RefuseTooShort(const char* where, const char* array, Long upper) {
    rt::MessageText<> text;
    text << array << " ends at subscript " << upper << "; " << MethodName(where) << " needs at least 2 points in "
         << array << ": give it the bounds 1 to 2 or more";
    return rt::RecordFalse(FalseReason::TableTooShort, where, text.c_str());
}

// The first subscript k from 2 to n whose value does not rise above the one before
// (equal counts when `strictly`), or 0.
Long FirstNotRising(const DoubleArray& values, Long n, bool strictly) {
    for (Long k = 2; k <= n; ++k) {
        const Double x = values(k), previous = values(k - 1);
        if (strictly ? x <= previous : x == previous) return k;
    }
    return 0;
}

// The grid rules of Interp3D and Interp4D in the order the check asks them: lower
// bounds (the axes, then each dimension of ZValues), each axis's length against its
// dimension of ZValues, at least two points per axis, values rising strictly.
template <typename ZArray>
bool RefuseGridRules(const char* where, std::initializer_list<Axis> axes, const ZArray& ZValues) {
    constexpr const char* remedy = "every axis and every dimension of ZValues";
    for (const Axis& axis : axes) {
        if (axis.values->LBound() != 1) return RefuseLowerBound(where, axis.name, axis.values->LBound(), remedy);
    }
    int dimension = 1;
    for (const Axis& axis : axes) {
        static_cast<void>(axis);
        if (ZValues.LBound(dimension) != 1) {
            rt::MessageText<64> array;
            array << "dimension " << dimension << " of ZValues";
            return RefuseLowerBound(where, array.c_str(), ZValues.LBound(dimension), remedy);
        }
        ++dimension;
    }
    dimension = 1;
    for (const Axis& axis : axes) {
        if (axis.values->UBound() != ZValues.UBound(dimension)) {
            rt::MessageText<> text;
            text << axis.name << " ends at " << axis.values->UBound() << " and dimension " << dimension
                 << " of ZValues at " << ZValues.UBound(dimension) << "; dimension " << dimension
                 << " of ZValues runs along " << axis.name << ": give it the bounds 1 to " << axis.values->UBound()
                 << " (a grid passed transposed breaks this rule)";
            return rt::RecordFalse(FalseReason::TableSizesDiffer, where, text.c_str());
        }
        ++dimension;
    }
    for (const Axis& axis : axes) {
        if (axis.values->UBound() < 2) return RefuseTooShort(where, axis.name, axis.values->UBound());
    }
    for (const Axis& axis : axes) {
        const Long k = FirstNotRising(*axis.values, axis.values->UBound(), /*strictly=*/true);
        if (k == 0) continue;
        rt::MessageText<> text;
        text << axis.name << '(' << k << "), " << (*axis.values)(k) << ", does not exceed " << axis.name << '('
             << k - 1 << "), " << (*axis.values)(k - 1) << "; " << MethodName(where)
             << " needs grid values that rise strictly: order " << axis.name << " from the lowest value up, "
             << "with ZValues to match";
        return rt::RecordFalse(FalseReason::NotAscending, where, text.c_str());
    }
    return false;  // not reached: the check found a broken rule
}

}  // namespace

bool cInterp2::RefusePairTable(const char* where, const DoubleArray& XValues, const DoubleArray& YValues) const {
    constexpr const char* remedy = "XValues and YValues";
    if (XValues.LBound() != 1) return RefuseLowerBound(where, "XValues", XValues.LBound(), remedy);
    if (YValues.LBound() != 1) return RefuseLowerBound(where, "YValues", YValues.LBound(), remedy);
    if (XValues.UBound() != YValues.UBound()) {
        rt::MessageText<> text;
        text << "XValues ends at " << XValues.UBound() << " and YValues at " << YValues.UBound()
             << "; the table needs one Y for each X: give both arrays the bounds 1 to the number of points";
        return rt::RecordFalse(FalseReason::TableSizesDiffer, where, text.c_str());
    }
    if (XValues.UBound() < 2) return RefuseTooShort(where, "XValues", XValues.UBound());
    const Long k = FirstNotRising(XValues, XValues.UBound(), /*strictly=*/false);
    rt::MessageText<> text;
    text << "XValues(" << k - 1 << ") and XValues(" << k << ") are both " << XValues(k) << " after sorting by X; "
         << MethodName(where) << " needs distinct X values: remove or merge the repeated point";
    return rt::RecordFalse(FalseReason::RepeatedX, where, text.c_str());
}

// Interp2D's False, from either of its checks: the table, else the target.
bool cInterp2::RefuseInterp2D(const DoubleArray& XValues, const DoubleArray& YValues, Double X) const {
    constexpr const char* where = "cInterp2.Interp2D";
    if (!HasPairTableBounds(XValues, YValues) || !HasDistinctX(XValues, XValues.UBound())) {
        return RefusePairTable(where, XValues, YValues);
    }
    return RefuseOutside(where, "X", X, "XValues", XValues, XValues.UBound(), "bAllowExtrap is False");
}

bool cInterp2::RefuseInterp2DExtrap(const DoubleArray& XValues, const DoubleArray& YValues, Double X) const {
    constexpr const char* where = "cInterp2.Interp2D_Extrap";
    if (!HasPairTableBounds(XValues, YValues) || !HasDistinctX(XValues, XValues.UBound())) {
        return RefusePairTable(where, XValues, YValues);
    }
    return RefuseOutside(where, "X", X, "XValues", XValues, XValues.UBound(), "ExtrapMethod is EXTRAP_NO");
}

// Interp3D's False, from either of its checks: the grid, else the first coordinate
// outside it.
bool cInterp2::RefuseInterp3D(const DoubleArray& XValues, const DoubleArray& YValues, const DoubleArray2D& ZValues,
                              Double X, Double Y) const {
    constexpr const char* where = "cInterp2.Interp3D";
    constexpr const char* refusal = "bAllowExtrap is False";
    if (!IsUsableGrid(XValues, YValues, ZValues)) return RefuseGrid(where, XValues, YValues, ZValues);
    const Long nx = XValues.UBound();
    if (IsOutside(XValues, nx, X)) return RefuseOutside(where, "X", X, "XValues", XValues, nx, refusal);
    return RefuseOutside(where, "Y", Y, "YValues", YValues, YValues.UBound(), refusal);
}

bool cInterp2::RefuseInterp4D(const DoubleArray& WValues, const DoubleArray& XValues, const DoubleArray& YValues,
                              const DoubleArray3D& ZValues, Double W, Double X, Double Y) const {
    constexpr const char* where = "cInterp2.Interp4D";
    constexpr const char* refusal = "bAllowExtrap is False";
    if (!IsUsableGrid(WValues, XValues, YValues, ZValues)) return RefuseGrid(where, WValues, XValues, YValues, ZValues);
    const Long nw = WValues.UBound(), nx = XValues.UBound();
    if (IsOutside(WValues, nw, W)) return RefuseOutside(where, "W", W, "WValues", WValues, nw, refusal);
    if (IsOutside(XValues, nx, X)) return RefuseOutside(where, "X", X, "XValues", XValues, nx, refusal);
    return RefuseOutside(where, "Y", Y, "YValues", YValues, YValues.UBound(), refusal);
}

bool cInterp2::RefuseGrid(const char* where, const DoubleArray& XValues, const DoubleArray& YValues,
                             const DoubleArray2D& ZValues) const {
    return RefuseGridRules(where, {{"XValues", &XValues}, {"YValues", &YValues}}, ZValues);
}

bool cInterp2::RefuseGrid(const char* where, const DoubleArray& WValues, const DoubleArray& XValues,
                             const DoubleArray& YValues, const DoubleArray3D& ZValues) const {
    return RefuseGridRules(where, {{"WValues", &WValues}, {"XValues", &XValues}, {"YValues", &YValues}}, ZValues);
}

bool cInterp2::RefuseOutside(const char* where, const char* target, Double value, const char* grid,
                                const DoubleArray& values, Long n, const char* refusal) const {
    rt::MessageText<> text;
    const bool below = value < values(1);
    text << "the target " << target << ", " << value << ", lies " << (below ? "below the first" : "above the last")
         << " value of " << grid << ", " << (below ? values(1) : values(n)) << ", and " << refusal
         << ": allow extrapolation or extend the table";
    return rt::RecordFalse(FalseReason::TargetOutsideTable, where, text.c_str());
}

}  // namespace tervanix
