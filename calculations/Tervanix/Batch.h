// Batch lookups: many targets looked up in one table, each with exactly the value,
// the False and the error that the single lookup would give on that table.
//
// The table is prepared once, as the single call would leave it (a 1-D or pair
// table is sorted in place by the same sort), and each target's interval is then
// found by binary search. Where the binary search and the single call's scan could
// disagree (a NaN among the table's values, bounds at the edge of the Integer
// positions, a short Y array, X and Y one array, which the sort leaves out of order),
// every target takes the single call instead.
//
// Results come back in the caller's spans, one slot per target, with an outcome per
// target: one bad target loses nothing of the others. The spans must lie apart from
// the tables and from each other, except that the results may be a span of targets
// itself (InvalidArgument before any work otherwise). A problem that concerns the
// table itself, and so every target (an error raised before the sort has moved
// anything: an array without bounds or elements, bounds beyond the Integer
// positions), ends the whole call with that LibraryError before any slot is written;
// spans of different lengths end it with InvalidArgument before any work. A sort that
// fails part way (a Y array shorter than X) leaves the table partly sorted: the first
// target gets its error, and the later targets look the partly sorted table up as a
// loop of single calls would, each call sorting on. A table that the single call
// answers with False for every target gives False for each. A worker thread that
// cannot be started leaves its targets to the calling thread: no target is lost.
// A batch call leaves LastFalseReason() of the calling thread as it found it: each
// target's reason goes to its slot of `reasons`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <type_traits>
#include <utility>

#include "Tervanix/BoundaryCondition.h"
#include "Tervanix/runtime/FalseReason.h"
#include "Tervanix/runtime/Array.h"
#include "Tervanix/runtime/Types.h"

namespace tervanix {

/// A view of `size()` consecutive values owned by the caller, through which a batch
/// reads its targets and writes its results and outcomes in place: nothing is
/// copied, and the caller keeps the values alive during the call.
///
/// @code
///   std::vector<Double> at = {0.5, 7.0};
///   Span<const Double> targets = at;   // the vector's values
///   targets[1];                        // 7
/// @endcode
template <typename T>
class Span {
public:
    /// @{
    /// No values; `size` values from `data`; the values of a C array; the values of
    /// any container with data() and size() (std::vector, std::array, another Span).
    /// A Span of const values is made from a container of values that are not.
    constexpr Span() noexcept = default;
    constexpr Span(T* data, std::size_t size) noexcept : data_(data), size_(size) {}
    template <std::size_t N>
    constexpr Span(T (&values)[N]) noexcept : data_(values), size_(N) {}  // NOLINT: implicit on purpose
    template <typename Container,
              std::enable_if_t<std::is_convertible_v<decltype(std::declval<Container&>().data()), T*> &&
                                   !std::is_array_v<Container>,
                               int> = 0>
    constexpr Span(Container& values) noexcept  // NOLINT: implicit on purpose
        : data_(values.data()), size_(static_cast<std::size_t>(values.size())) {}
    /// @}

    /// @{
    /// The first value, the number of values, whether there are none, the value at a
    /// position from 0 (unchecked: i must be below size()), and the range for a
    /// range-based for loop.
    constexpr T* data() const noexcept { return data_; }
    constexpr std::size_t size() const noexcept { return size_; }
    constexpr bool empty() const noexcept { return size_ == 0; }
    constexpr T& operator[](std::size_t i) const noexcept { return data_[i]; }
    constexpr T* begin() const noexcept { return data_; }
    constexpr T* end() const noexcept { return data_ + size_; }
    /// @}

private:
    T* data_ = nullptr;
    std::size_t size_ = 0;
};

/// What the single call gave for one target. ReturnedTrue: the result slot holds the
/// value. ReturnedFalse: the single call returned False, and the slot keeps what it
/// held, as the single call leaves its output. Every other outcome is the ErrorKind
/// that the single call would have raised for this target; the slot is then as the
/// single call leaves its output when it raises that error (for a fault in the last
/// assignment, the faulting value). ToString() and operator<< give its name.
enum class BatchOutcome : std::int8_t {
    ReturnedTrue,
    ReturnedFalse,
    OverflowError,
    SubscriptOutOfRange,
    FloatingPointFault,
    InvalidArgument,
    TypeMismatch,
    MissingObject,
    OutOfMemory,
};

/// How a batch runs. The results are the same for any options.
///
/// `threads`: the threads that share the targets: 1 (the default) looks them up on
/// the calling thread, 0 uses every core, n up to n threads. Each thread takes at
/// least 16,384 targets, so a batch of fewer than 32,768 targets stays on the
/// calling thread whatever the number.
///
/// @code
///   BatchOptions everyCore;
///   everyCore.threads = 0;
/// @endcode
struct BatchOptions {
    unsigned threads = 1;
};

/// The outcome's name as written in the enumeration ("ReturnedTrue",
/// "ReturnedFalse", "OverflowError", ...); "UnknownOutcome" for a value outside it.
///
/// @code
///   ToString(BatchOutcome::ReturnedFalse);   // "ReturnedFalse"
/// @endcode
TERVANIX_API const char* ToString(BatchOutcome outcome) noexcept;

/// Writes ToString(outcome).
///
/// @code
///   std::ostringstream text;
///   text << BatchOutcome::FloatingPointFault;
///   std::string written = text.str();   // "FloatingPointFault"
/// @endcode
TERVANIX_API std::ostream& operator<<(std::ostream& os, BatchOutcome outcome);

/// CInterpolation::InterpolationOf1DArray at each of `targets`: the caller's arrays are
/// sorted in place once (as the first single call would sort them), and results[i]
/// receives the value at targets[i]; outcomes[i] says whether the single call at that
/// target returns True, returns False (results[i] then keeps its value) or raises, and
/// which kind. Spans of different lengths raise InvalidArgument before any work.
///
/// @code
///   DoubleArray x(1, {0.0, 1.0, 2.0}), y(1, {0.0, 10.0, 40.0});
///   std::vector<Double> at = {0.5, 7.0}, values(2);
///   std::vector<BatchOutcome> outcomes(2);
///   InterpolationOf1DArrayBatch(x, y, EXTRAPOLATE_LINEARLY, at, values, outcomes);
///   values[1];   // 190
/// @endcode
TERVANIX_API void InterpolationOf1DArrayBatch(DoubleArray& dXArray, DoubleArray& dYArray,
                                              BoundaryCondition eExtrapolationType, Span<const Double> targets,
                                              Span<Double> results, Span<BatchOutcome> outcomes,
                                              const BatchOptions& options = {});

/// The same, and reasons[i] receives why target i gave False (the code that
/// LastFalseReason() would give after the single call), FalseReason::None for a
/// target that did not. An empty `reasons` asks for none; otherwise it is one more
/// span of one slot per target.
///
/// @code
///   DoubleArray x(1, {0.0, 1.0, 2.0}), y(1, {0.0, 10.0, 40.0});
///   std::vector<Double> at = {0.5, 7.0}, values(2);
///   std::vector<BatchOutcome> outcomes(2);
///   std::vector<FalseReason> reasons(2);
///   InterpolationOf1DArrayBatch(x, y, NO_EXTRAPOLATION, at, values, outcomes, reasons);
///   reasons[1] == FalseReason::TargetOutsideTable;   // true
/// @endcode
TERVANIX_API void InterpolationOf1DArrayBatch(DoubleArray& dXArray, DoubleArray& dYArray,
                                              BoundaryCondition eExtrapolationType, Span<const Double> targets,
                                              Span<Double> results, Span<BatchOutcome> outcomes,
                                              Span<FalseReason> reasons, const BatchOptions& options = {});

/// cInterp2::Interp2D at each X of `targets`: the pair table is checked and sorted in
/// place once; Y[i] receives the value at targets[i], outcomes[i] as for
/// InterpolationOf1DArrayBatch.
TERVANIX_API void Interp2DBatch(DoubleArray& XValues, DoubleArray& YValues, Boolean bAllowExtrap,
                                Span<const Double> targets, Span<Double> Y, Span<BatchOutcome> outcomes,
                                const BatchOptions& options = {});
/// The same, with the reasons of the False results as for InterpolationOf1DArrayBatch.
TERVANIX_API void Interp2DBatch(DoubleArray& XValues, DoubleArray& YValues, Boolean bAllowExtrap,
                                Span<const Double> targets, Span<Double> Y, Span<BatchOutcome> outcomes,
                                Span<FalseReason> reasons, const BatchOptions& options = {});

/// cInterp2::Interp3D at each point (X[i], Y[i]); Z[i] receives its value, outcomes[i]
/// as for InterpolationOf1DArrayBatch.
TERVANIX_API void Interp3DBatch(const DoubleArray& XValues, const DoubleArray& YValues,
                                const DoubleArray2D& ZValues, Boolean bAllowExtrap, Span<const Double> X,
                                Span<const Double> Y, Span<Double> Z, Span<BatchOutcome> outcomes,
                                const BatchOptions& options = {});
/// The same, with the reasons of the False results as for InterpolationOf1DArrayBatch.
TERVANIX_API void Interp3DBatch(const DoubleArray& XValues, const DoubleArray& YValues,
                                const DoubleArray2D& ZValues, Boolean bAllowExtrap, Span<const Double> X,
                                Span<const Double> Y, Span<Double> Z, Span<BatchOutcome> outcomes,
                                Span<FalseReason> reasons, const BatchOptions& options = {});

/// cInterp2::Interp4D at each point (W[i], X[i], Y[i]); Z[i] receives its value,
/// outcomes[i] as for InterpolationOf1DArrayBatch.
TERVANIX_API void Interp4DBatch(const DoubleArray& WValues, const DoubleArray& XValues,
                                const DoubleArray& YValues, const DoubleArray3D& ZValues, Boolean bAllowExtrap,
                                Span<const Double> W, Span<const Double> X, Span<const Double> Y,
                                Span<Double> Z, Span<BatchOutcome> outcomes, const BatchOptions& options = {});
/// The same, with the reasons of the False results as for InterpolationOf1DArrayBatch.
TERVANIX_API void Interp4DBatch(const DoubleArray& WValues, const DoubleArray& XValues,
                                const DoubleArray& YValues, const DoubleArray3D& ZValues, Boolean bAllowExtrap,
                                Span<const Double> W, Span<const Double> X, Span<const Double> Y,
                                Span<Double> Z, Span<BatchOutcome> outcomes, Span<FalseReason> reasons,
                                const BatchOptions& options = {});

}  // namespace tervanix
