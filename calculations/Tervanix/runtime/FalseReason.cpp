#include "Tervanix/runtime/FalseReason.h"

#include <cstring>

#include "Tervanix/runtime/MessageText.h"

namespace tervanix {

namespace {

// The last False of this thread. Trivially constructed, so that a thread pays
// nothing for it until a method returns False.
thread_local FalseReason lastCode = FalseReason::None;
thread_local char lastWhere[LibraryError::kWhereCapacity];
thread_local char lastMessage[FalseExplanation::kTextCapacity];

}  // namespace

const char* ToString(FalseReason reason) noexcept {
    switch (reason) {
        case FalseReason::None: return "None";
        case FalseReason::TableNotNumberedFromOne: return "TableNotNumberedFromOne";
        case FalseReason::TableSizesDiffer: return "TableSizesDiffer";
        case FalseReason::TableTooShort: return "TableTooShort";
        case FalseReason::RepeatedX: return "RepeatedX";
        case FalseReason::NotAscending: return "NotAscending";
        case FalseReason::TargetOutsideTable: return "TargetOutsideTable";
        case FalseReason::EndXValuesEqual: return "EndXValuesEqual";
        case FalseReason::ValueOutsideRange: return "ValueOutsideRange";
        case FalseReason::RangeWithoutWidth: return "RangeWithoutWidth";
        case FalseReason::VerticalLine: return "VerticalLine";
        case FalseReason::NotANumber: return "NotANumber";
        case FalseReason::NotBinaryText: return "NotBinaryText";
        case FalseReason::ParallelPlanes: return "ParallelPlanes";
        case FalseReason::NoSinglePoint: return "NoSinglePoint";
        case FalseReason::NotSquare: return "NotSquare";
        case FalseReason::ZeroRow: return "ZeroRow";
        case FalseReason::ZeroColumn: return "ZeroColumn";
        case FalseReason::ProportionalRows: return "ProportionalRows";
        case FalseReason::SizesDoNotMatch: return "SizesDoNotMatch";
        case FalseReason::NoRowOrder: return "NoRowOrder";
        case FalseReason::DependentEquations: return "DependentEquations";
    }
    return "UnknownReason";
}

std::ostream& operator<<(std::ostream& os, FalseReason reason) { return os << ToString(reason); }

FalseExplanation::FalseExplanation(FalseReason code, const char* text) noexcept : code_(code) {
    rt::CopyCut(text_, text);
}

FalseExplanation LastFalseReason() noexcept {
    if (lastCode == FalseReason::None) return {FalseReason::None, "no call on this thread has returned False"};
    rt::MessageText<FalseExplanation::kTextCapacity> text;
    text << lastWhere << ": " << lastMessage;
    return {lastCode, text.c_str()};
}

namespace rt {

bool RecordFalse(FalseReason code, const char* where, const char* message) noexcept {
    CopyCut(lastWhere, where);
    CopyCut(lastMessage, message);
    lastCode = code;
    return false;
}

bool FalseFrom(const char* where) noexcept {
    CopyCut(lastWhere, where);
    return false;
}

FalseReason LastFalseCode() noexcept { return lastCode; }

static_assert(sizeof LastFalse::where == sizeof lastWhere && sizeof LastFalse::message == sizeof lastMessage);

void SaveLastFalse(LastFalse& to) noexcept {
    to.code = lastCode;
    std::memcpy(to.where, lastWhere, sizeof lastWhere);
    std::memcpy(to.message, lastMessage, sizeof lastMessage);
}

void RestoreLastFalse(const LastFalse& from) noexcept {
    lastCode = from.code;
    std::memcpy(lastWhere, from.where, sizeof lastWhere);
    std::memcpy(lastMessage, from.message, sizeof lastMessage);
}

}  // namespace rt

}  // namespace tervanix
