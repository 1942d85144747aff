// Why a method returned False: a code and a text, kept per thread by the False path
// alone, so that the path that returns True does no more than it did.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>

#include "Tervanix/platform/Config.h"

namespace tervanix {

/// The rule that made a method return False. One enumeration for every class; the
/// text of LastFalseReason() names the argument and its values.
enum class FalseReason : std::int8_t {
    None,                     // no call on this thread has returned False
    TableNotNumberedFromOne,  // a table or grid array whose lower bound is not 1
    TableSizesDiffer,         // the arrays of a table do not have matching upper bounds
    TableTooShort,            // a table or grid of fewer than 2 points
    RepeatedX,                // two X values of a pair table are equal
    NotAscending,             // a grid that does not rise strictly, a 1-D table that falls
    TargetOutsideTable,       // a target beyond the ends, with extrapolation not allowed
    EndXValuesEqual,          // the end interval used for extrapolation has two equal X
    ValueOutsideRange,        // InterpolationRatio's value outside the two ends
    RangeWithoutWidth,        // InterpolationRatio's two ends are equal
    VerticalLine,             // two points with the same x: no slope
    NotANumber,               // a NaN argument where the rule compares values
    NotBinaryText,            // text that is not exactly 16 or 32 characters "0" and "1"
    ParallelPlanes,           // two planes that do not meet in a line
    NoSinglePoint,            // three planes that do not meet in one point
    NotSquare,                // a matrix to invert with NumRows different from NumCols
    ZeroRow,                  // a matrix to invert with a row of zeros
    ZeroColumn,               // a matrix to invert with a column of zeros
    ProportionalRows,         // a matrix to invert with one row a multiple of another
    SizesDoNotMatch,          // a product whose left NumCols differs from the right NumRows
    NoRowOrder,               // no order of the equations avoids a zero on the diagonal
    DependentEquations,       // a zero on the diagonal after elimination
};

/// The code's name as written in the enumeration; "UnknownReason" for a value
/// outside it.
///
/// @code
///   ToString(FalseReason::RepeatedX);   // "RepeatedX"
/// @endcode
TERVANIX_API const char* ToString(FalseReason reason) noexcept;

/// Writes ToString(reason).
TERVANIX_API std::ostream& operator<<(std::ostream& os, FalseReason reason);

/// The reason of one False: its code and a text that names the rule, the arguments
/// and their values, and what would give a result. A plain value: the text is held
/// inside it, so it stays valid after later calls.
class TERVANIX_API FalseExplanation {
public:
    static constexpr std::size_t kTextCapacity = 320;

    /// The explanation of no False: FalseReason::None and an empty text.
    FalseExplanation() noexcept = default;
    /// A code and its text, copied (cut short beyond kTextCapacity - 1 bytes).
    ///
    /// @code
    ///   FalseExplanation(FalseReason::RepeatedX, "two equal X").code() == FalseReason::RepeatedX;   // true
    /// @endcode
    FalseExplanation(FalseReason code, const char* text) noexcept;

    /// The rule that said no.
    FalseReason code() const noexcept { return code_; }
    /// "cInterp2.Interp2D: XValues starts at subscript 0; ...": the method, then what
    /// the arguments broke and what to change.
    const char* text() const noexcept { return text_; }

private:
    FalseReason code_ = FalseReason::None;
    char text_[kTextCapacity] = {};
};

/// Why the last call on this thread that returned False did so. A call that returns
/// True leaves it as it was (so that True costs nothing more): read it right after a
/// False. Before any False on the thread, the code is FalseReason::None.
///
/// @code
///   DoubleArray x(0, {1.0, 2.0}), y(0, {10.0, 20.0});
///   Double v = 0;
///   cInterp2().Interp2D(x, y, true, 1.5, v);   // False
///   LastFalseReason().code() == FalseReason::TableNotNumberedFromOne;   // true
/// @endcode
TERVANIX_API FalseExplanation LastFalseReason() noexcept;

}  // namespace tervanix

namespace tervanix::rt {

// Internal to the library (not exported): the False path of a method records its
// reason. Out of line and cold, so that the path that returns True stays as it was.
// `where` is "Class.Method", `message` what was wrong and what to do. Returns false,
// for `return rt::RecordFalse(...)`.
TERVANIX_COLD_NOINLINE bool RecordFalse(FalseReason code, const char* where, const char* message) noexcept;

// A public method whose False came from another public method it calls names itself
// instead, as rt::RethrowFrom does for errors. Returns false.
TERVANIX_COLD_NOINLINE bool FalseFrom(const char* where) noexcept;

// The code of the last False on this thread, for the batch lookups' per-target
// reasons.
FalseReason LastFalseCode() noexcept;

// A copy of this thread's last False, for a call that leaves it as it found it (the
// batch lookups, whose single calls' reasons go to their own spans).
struct LastFalse {
    FalseReason code;
    char where[48];  // LibraryError::kWhereCapacity
    char message[FalseExplanation::kTextCapacity];
};
void SaveLastFalse(LastFalse& to) noexcept;
void RestoreLastFalse(const LastFalse& from) noexcept;

}  // namespace tervanix::rt
