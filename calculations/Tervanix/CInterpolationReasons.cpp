// CInterpolation's False paths: each records which rule said no and its values
// (runtime/FalseReason.h), and gives False.
#include <cmath>
#include <ostream>

#include "Tervanix/CInterpolation.h"
#include "Tervanix/runtime/FalseReason.h"
#include "Tervanix/runtime/MessageText.h"

namespace tervanix {

const char* ToString(BoundaryCondition condition) noexcept {
    switch (condition) {
        case NO_EXTRAPOLATION: return "NO_EXTRAPOLATION";
        case EXTRAPOLATE_LINEARLY: return "EXTRAPOLATE_LINEARLY";
        case EXTRAPOLATE_FIXEDENDPT: return "EXTRAPOLATE_FIXEDENDPT";
    }
    return "UnknownBoundaryCondition";
}

std::ostream& operator<<(std::ostream& os, BoundaryCondition condition) {
    if (condition < NO_EXTRAPOLATION || condition > EXTRAPOLATE_FIXEDENDPT) {
        return os << static_cast<std::int32_t>(condition);
    }
    return os << ToString(condition);
}

namespace {

// The ratio rule of InterpolationRatio, in the names of the call: `value` must lie
// between two different ends, all three numbers.
bool RecordRatio(const char* where, const char* lowName, const char* highName, const char* valueName, Double low,
                 Double high, Double value) {
    rt::MessageText<> text;
    if (std::isnan(low) || std::isnan(high) || std::isnan(value)) {
        text << valueName << ", " << lowName << " and " << highName << " are " << value << ", " << low << " and "
             << high << "; a NaN lies between no two values: pass numbers";
        return rt::RecordFalse(FalseReason::NotANumber, where, text.c_str());
    }
    if (low == high) {
        text << lowName << " and " << highName << " are both " << low << ", so the range from one to the other "
             << "has no width to take a fraction of: give two different ends";
        return rt::RecordFalse(FalseReason::RangeWithoutWidth, where, text.c_str());
    }
    text << valueName << ", " << value << ", lies outside " << lowName << " to " << highName << ", " << low
         << " to " << high << ": give a value between the ends, or extrapolate with LinearExtrapolation1Way";
    return rt::RecordFalse(FalseReason::ValueOutsideRange, where, text.c_str());
}

bool RecordVertical(const char* where, const char* x1Name, const char* x2Name, Double x) {
    rt::MessageText<> text;
    text << x1Name << " and " << x2Name << " are both " << x
         << ": the line through the two points is vertical and has no slope; give two points with different x";
    return rt::RecordFalse(FalseReason::VerticalLine, where, text.c_str());
}

}  // namespace

bool CInterpolation::RefuseRatio(Double dIndex1, Double dIndex2, Double dValue) const {
    return RecordRatio("CInterpolation.InterpolationRatio", "dIndex1", "dIndex2", "dValue", dIndex1, dIndex2, dValue);
}

bool CInterpolation::RefuseVertical(Double dX1) const {
    return RecordVertical("CInterpolation.LinearExtrapolation1Way", "dX1", "dX2", dX1);
}

// LinearExtrapolation2Way's False, in its own names: the first of its three steps
// that gave False.
bool CInterpolation::RefuseTwoWay(Double dX11, Double dX12, Double dZ1, Double dX21, Double dX22, Double dZ2,
                                     Double dZ3) const {
    constexpr const char* where = "CInterpolation.LinearExtrapolation2Way";
    if (dX11 == dX12) return RecordVertical(where, "dX11", "dX12", dX11);
    if (dX21 == dX22) return RecordVertical(where, "dX21", "dX22", dX21);
    return RecordRatio(where, "dZ1", "dZ2", "dZ3", dZ1, dZ2, dZ3);
}

bool CInterpolation::RefuseOutsideTable(const char* where, Double dXTarget, const DoubleArray& dXArray) const {
    // A NaN lies below no X and above none: no boundary condition gives it a value
    // (any other than NO_EXTRAPOLATION raises at the bracket scan), so the text says
    // so instead of pointing at one end.
    if (std::isnan(dXTarget)) {
        return rt::RecordFalse(FalseReason::NotANumber, where,
                               "the target dXTarget is NaN, which lies neither inside dXArray's range nor beyond "
                               "either end, so no eExtrapolationType gives it a value: pass a number");
    }
    const Double first = dXArray(dXArray.LBound()), last = dXArray(dXArray.UBound());
    const bool below = dXTarget < first;
    rt::MessageText<> text;
    text << "the target dXTarget, " << dXTarget << ", lies " << (below ? "below the first" : "above the last")
         << " X of dXArray, " << (below ? first : last) << ", and eExtrapolationType is NO_EXTRAPOLATION: choose "
         << "EXTRAPOLATE_LINEARLY or EXTRAPOLATE_FIXEDENDPT, or extend the table";
    return rt::RecordFalse(FalseReason::TargetOutsideTable, where, text.c_str());
}

bool CInterpolation::RefuseEqualEnds(const char* where, const DoubleArray& dXArray, Integer i1, Integer i2) const {
    rt::MessageText<> text;
    text << "dXArray(" << i1 << ") and dXArray(" << i2 << ") are both " << dXArray(i1)
         << ", so the end interval the target lies beyond has no slope to extrapolate along: give the table two "
            "different X values at that end";
    return rt::RecordFalse(FalseReason::EndXValuesEqual, where, text.c_str());
}

// InterpolationIndices's False, from any of its three checks: a target between the
// ends that the scan did not find (a falling table), a target beyond the ends with
// NO_EXTRAPOLATION, or an end interval of two equal X values.
bool CInterpolation::RefuseIndices(Double dXTarget, const DoubleArray& dXArray, BoundaryCondition eExtrapolationType,
                                   Integer i1, Integer i2) const {
    constexpr const char* where = "CInterpolation.InterpolationIndices";
    if (BoundedBy(dXTarget, dXArray(dXArray.LBound()), dXArray(dXArray.UBound()))) return RefuseDescending(dXArray);
    if (eExtrapolationType == NO_EXTRAPOLATION) return RefuseOutsideTable(where, dXTarget, dXArray);
    return RefuseEqualEnds(where, dXArray, i1, i2);
}

bool CInterpolation::RefuseFromInterpolationOf1DArray() const {
    return rt::FalseFrom("CInterpolation.InterpolationOf1DArray");
}

bool CInterpolation::RefuseDescending(const DoubleArray& dXArray) const {
    rt::MessageText<> text;
    text << "dXArray falls from " << dXArray(dXArray.LBound()) << " at subscript " << dXArray.LBound() << " to "
         << dXArray(dXArray.UBound()) << " at subscript " << dXArray.UBound()
         << "; InterpolationIndices reads X values in ascending order: sort the table first "
            "(InterpolationOf1DArray sorts it)";
    return rt::RecordFalse(FalseReason::NotAscending, "CInterpolation.InterpolationIndices", text.c_str());
}

}  // namespace tervanix
