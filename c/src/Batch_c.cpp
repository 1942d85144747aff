// The batch lookups: the tables as the single calls take them, and the caller's
// targets, results and outcomes handed to the C++ functions as they are, so the
// binding costs nothing per target.
#include <string>
#include <type_traits>

#include <Tervanix/Batch.h>

#include "Arrays.h"
#include "Binding.h"

using namespace tervanix;
using namespace tervanix::c;

namespace {

// The caller's outcomes are the C++ function's: the same bytes, the same numbering,
// each the status 1 - outcome of the single call.
static_assert(std::is_same_v<std::underlying_type_t<BatchOutcome>, tvx_BatchOutcome>);
static_assert(TVX_BATCH_RETURNED_TRUE == static_cast<int>(BatchOutcome::ReturnedTrue) &&
              TVX_BATCH_RETURNED_FALSE == static_cast<int>(BatchOutcome::ReturnedFalse) &&
              TVX_BATCH_OVERFLOW_ERROR == static_cast<int>(BatchOutcome::OverflowError) &&
              TVX_BATCH_SUBSCRIPT_OUT_OF_RANGE == static_cast<int>(BatchOutcome::SubscriptOutOfRange) &&
              TVX_BATCH_FLOATING_POINT_FAULT == static_cast<int>(BatchOutcome::FloatingPointFault) &&
              TVX_BATCH_INVALID_ARGUMENT == static_cast<int>(BatchOutcome::InvalidArgument) &&
              TVX_BATCH_TYPE_MISMATCH == static_cast<int>(BatchOutcome::TypeMismatch) &&
              TVX_BATCH_MISSING_OBJECT == static_cast<int>(BatchOutcome::MissingObject) &&
              TVX_BATCH_OUT_OF_MEMORY == static_cast<int>(BatchOutcome::OutOfMemory));
static_assert(1 - TVX_BATCH_RETURNED_TRUE == TVX_TRUE && 1 - TVX_BATCH_RETURNED_FALSE == TVX_FALSE &&
              1 - TVX_BATCH_OVERFLOW_ERROR == TVX_E_OVERFLOW && 1 - TVX_BATCH_OUT_OF_MEMORY == TVX_E_OUT_OF_MEMORY);

[[noreturn]] TERVANIX_COLD_NOINLINE void InTable(const char* name) {
    Throw(TVX_E_BAD_DESCRIPTOR,
          std::string(name) + " lies in a table's memory: targets, results and outcomes must lie outside the tables");
}

template <typename A>
bool Within(const void* data, std::size_t bytes, const A& table) noexcept {
    return Overlap(data, bytes, table.data(), table.size() * sizeof(typename A::value_type));
}

// The caller's `count` values at `data`, which may be null only when there are none
// and must lie outside every table.
template <typename T, typename... Tables>
Span<T> SpanOf(T* data, std::size_t count, const char* name, const Tables&... tables) {
    if (count == 0) return {};
    Ref(data, name);
    std::size_t bytes = 0;
    if (__builtin_mul_overflow(count, sizeof(T), &bytes) || bytes > rt::kMaxArrayBytes) BadSize(name);
    if ((Within(data, bytes, tables) || ...)) InTable(name);
    return {data, count};
}

template <typename... Tables>
Span<BatchOutcome> OutcomesOf(tvx_BatchOutcome* outcomes, std::size_t count, const Tables&... tables) {
    const Span<tvx_BatchOutcome> span = SpanOf(outcomes, count, "outcomes", tables...);
    return {reinterpret_cast<BatchOutcome*>(span.data()), span.size()};
}

using TablePair = InOutPair<InOut<DoubleArray>>;

}  // namespace

extern "C" {

tvx_status tvx_CInterpolation_InterpolationOf1DArrayBatch(tvx_Array* dXArray, tvx_Array* dYArray,
                                                          int32_t eExtrapolationType, const double* targets,
                                                          size_t targetsCount, double* results, size_t resultsCount,
                                                          tvx_BatchOutcome* outcomes, size_t outcomesCount,
                                                          uint32_t threads) {
    return Done("CInterpolation.InterpolationOf1DArrayBatch", [&] {
        TablePair table(dXArray, "dXArray", dYArray, "dYArray", "dXArray and dYArray");
        DoubleArray& x = table.first();
        DoubleArray& y = table.second();
        const auto t = SpanOf(targets, targetsCount, "targets", x, y);
        const auto r = SpanOf(results, resultsCount, "results", x, y);
        const auto o = OutcomesOf(outcomes, outcomesCount, x, y);
        InterpolationOf1DArrayBatch(x, y, static_cast<BoundaryCondition>(eExtrapolationType), t, r, o, {threads});
    });
}

tvx_status tvx_cInterp2_Interp2DBatch(tvx_Array* XValues, tvx_Array* YValues, tvx_Boolean bAllowExtrap,
                                      const double* targets, size_t targetsCount, double* Y, size_t YCount,
                                      tvx_BatchOutcome* outcomes, size_t outcomesCount, uint32_t threads) {
    return Done("cInterp2.Interp2DBatch", [&] {
        TablePair table(XValues, "XValues", YValues, "YValues", "XValues and YValues");
        DoubleArray& x = table.first();
        DoubleArray& y = table.second();
        const auto t = SpanOf(targets, targetsCount, "targets", x, y);
        const auto r = SpanOf(Y, YCount, "Y", x, y);
        const auto o = OutcomesOf(outcomes, outcomesCount, x, y);
        Interp2DBatch(x, y, Boolean::FromRaw(bAllowExtrap), t, r, o, {threads});
    });
}

tvx_status tvx_cInterp2_Interp3DBatch(const tvx_Array* XValues, const tvx_Array* YValues, const tvx_Array* ZValues,
                                      tvx_Boolean bAllowExtrap, const double* X, size_t XCount, const double* Y,
                                      size_t YCount, double* Z, size_t ZCount, tvx_BatchOutcome* outcomes,
                                      size_t outcomesCount, uint32_t threads) {
    return Done("cInterp2.Interp3DBatch", [&] {
        const DoubleArray x = In<DoubleArray>(XValues, "XValues");
        const DoubleArray y = In<DoubleArray>(YValues, "YValues");
        const DoubleArray2D z = In<DoubleArray2D>(ZValues, "ZValues");
        const auto tx = SpanOf(X, XCount, "X", x, y, z);
        const auto ty = SpanOf(Y, YCount, "Y", x, y, z);
        const auto r = SpanOf(Z, ZCount, "Z", x, y, z);
        const auto o = OutcomesOf(outcomes, outcomesCount, x, y, z);
        Interp3DBatch(x, y, z, Boolean::FromRaw(bAllowExtrap), tx, ty, r, o, {threads});
    });
}

tvx_status tvx_cInterp2_Interp4DBatch(const tvx_Array* WValues, const tvx_Array* XValues, const tvx_Array* YValues,
                                      const tvx_Array* ZValues, tvx_Boolean bAllowExtrap, const double* W,
                                      size_t WCount, const double* X, size_t XCount, const double* Y, size_t YCount,
                                      double* Z, size_t ZCount, tvx_BatchOutcome* outcomes, size_t outcomesCount,
                                      uint32_t threads) {
    return Done("cInterp2.Interp4DBatch", [&] {
        const DoubleArray w = In<DoubleArray>(WValues, "WValues");
        const DoubleArray x = In<DoubleArray>(XValues, "XValues");
        const DoubleArray y = In<DoubleArray>(YValues, "YValues");
        const DoubleArray3D z = In<DoubleArray3D>(ZValues, "ZValues");
        const auto tw = SpanOf(W, WCount, "W", w, x, y, z);
        const auto tx = SpanOf(X, XCount, "X", w, x, y, z);
        const auto ty = SpanOf(Y, YCount, "Y", w, x, y, z);
        const auto r = SpanOf(Z, ZCount, "Z", w, x, y, z);
        const auto o = OutcomesOf(outcomes, outcomesCount, w, x, y, z);
        Interp4DBatch(w, x, y, z, Boolean::FromRaw(bAllowExtrap), tw, tx, ty, r, o, {threads});
    });
}

}  // extern "C"
