// One side of the differential check (Differential.h), compiled once against the
// normal library and once against the reference library: DIFFERENTIAL_SIDE names
// the entry point. Every public method of every class, the batch lookups included,
// on hostile values and on arguments that share storage: one array passed twice,
// two Variants referring to one array, borrowed arrays over the same memory, an
// output that is also an input or an element of an input array, one output variable
// for two outputs, one cMatrix2 variable in several parameters.
#include <array>
#include <cmath>
#include <cstdint>
#include <exception>
#include <initializer_list>
#include <limits>
#include <memory>
#include <vector>

#include <Tervanix/Tervanix.h>
#include <Tervanix/batch/BatchSteps.h>

#include "Differential.h"

namespace {

using namespace tervanix;
using differential::Bytes;
using differential::Log;

constexpr unsigned kMaxElements = 12;
constexpr int kCallsPerInput = 48;

// Everything a host holds between calls; the slots are picked per call, so that one
// slot may go to several parameters.
struct Host {
    std::array<Double, 32> pool{};  // the memory behind borrowed arrays
    DoubleArray d[3];
    LongArray longs;
    StringArray strings;
    VariantArray variants;
    Variant v[2];
    Double out[3] = {0.0, 0.0, 0.0};
    Integer index[2] = {0, 0};
    Boolean flag[2];
    Long whole[2] = {0, 0};
    String text[2];
    std::shared_ptr<cMatrix2> m[3];
    cMatrix system;
    std::shared_ptr<Collection> solution;
    DoubleArray2D grid2;
    DoubleArray3D grid3;
    std::vector<Double> batch[4];  // targets, and the results of a batch
    std::vector<BatchOutcome> outcomes;
    std::vector<FalseReason> reasons;
};

// ---- Inputs -------------------------------------------------------------------

// A lower bound for `count` elements: the upper bound, lower + count - 1, stays a Long.
Long Lower(Bytes& in, unsigned count) {
    const std::int64_t lower = in.AnyLower();
    const std::int64_t highest = std::int64_t{2147483647} - (count == 0 ? 0 : count - 1);
    const std::int64_t lowest = std::int64_t{-2147483647} - 1 + (count == 0 ? 1 : 0);
    return static_cast<Long>(lower > highest ? highest : lower < lowest ? lowest : lower);
}

// Element k of an array in one of eight orders: mostly ascending, so that lookups get
// past their checks of the table.
Double Element(Bytes& in, unsigned k, unsigned order) {
    switch (order) {
        case 0: case 1: case 2: case 3: return static_cast<Double>(k);  // ascending
        case 4: return static_cast<Double>(k / 2) * 0.5;              // ascending with duplicates
        case 5: return static_cast<Double>(10 - k) * 1.5;             // descending
        default: return in.AnyDouble();
    }
}

// Now and then one flaw in an otherwise ordered table, at any position: a NaN, a
// value equal to its neighbour (a tie), a run of equal values, any value, or an
// end at an infinity or at the largest Double, which keeps the order but makes the
// plain arithmetic on the table overflow.
void Blemish(Bytes& in, Double* a, unsigned count) {
    const unsigned at = in.Pick(count);
    constexpr Double kInf = std::numeric_limits<Double>::infinity();
    constexpr Double kMax = std::numeric_limits<Double>::max();
    switch (in.Pick(10)) {
        case 0: a[at] = std::numeric_limits<Double>::quiet_NaN(); break;
        case 1: a[at] = a[at > 0 ? at - 1 : count - 1]; break;
        case 2: for (unsigned k = at; k < count; ++k) a[k] = a[at]; break;
        case 3: a[at] = in.AnyDouble(); break;
        case 4: a[0] = in.Flag() ? -kInf : -kMax; break;
        case 5: a[count - 1] = in.Flag() ? kInf : kMax; break;
        default: break;
    }
}

DoubleArray AnyArray(Bytes& in, Host& h) {
    const unsigned form = in.Pick(8);
    if (form == 0) return DoubleArray();  // never given bounds
    const unsigned count = in.Pick(kMaxElements + 1);
    const Long lower = Lower(in, count);
    const Long upper = static_cast<Long>(std::int64_t{lower} + count - 1);
    if (form == 1) return DoubleArray::Borrow(h.pool.data() + in.Pick(h.pool.size() - kMaxElements), lower, upper);
    DoubleArray a(lower, upper);
    const unsigned order = in.Pick(8);
    for (unsigned k = 0; k < count; ++k) a(lower + static_cast<Long>(k)) = Element(in, k, order);
    if (count > 0) Blemish(in, a.data(), count);
    return a;
}

LongArray AnyLongArray(Bytes& in) {
    const unsigned count = in.Pick(kMaxElements + 1);
    const Long lower = Lower(in, count);
    LongArray a(lower, static_cast<Long>(std::int64_t{lower} + count - 1));
    for (unsigned k = 0; k < count; ++k) a(lower + static_cast<Long>(k)) = static_cast<Long>(in.AnyWhole());
    return a;
}

String AnyText(Bytes& in) {
    static const char16_t* const kTexts[] = {u"", u"a", u"b", u"B", u"0101", u"1111111111111111",
                                             u"0000000000000001", u" ", u"\u00e9", u"10"};
    if (in.Flag()) return kTexts[in.Pick(10)];
    String text(in.Pick(33), u'0');
    for (char16_t& c : text) c = in.Pick(8) == 0 ? u'x' : static_cast<char16_t>(u'0' + in.Pick(2));
    return text;
}

StringArray AnyStringArray(Bytes& in) {
    const unsigned count = in.Pick(kMaxElements + 1);
    const Long lower = Lower(in, count);
    StringArray a(lower, static_cast<Long>(std::int64_t{lower} + count - 1));
    for (unsigned k = 0; k < count; ++k) a(lower + static_cast<Long>(k)) = AnyText(in);
    return a;
}

Variant AnyScalar(Bytes& in) {
    switch (in.Pick(6)) {
        case 0: return Variant();
        case 1: return Variant(static_cast<Integer>(in.AnyWhole()));
        case 2: return Variant(static_cast<Long>(in.AnyWhole()));
        case 3: return Variant(Boolean(in.Flag()));
        case 4: return Variant(AnyText(in));
        default: return Variant(in.AnyDouble());
    }
}

VariantArray AnyVariantArray(Bytes& in, Host& h) {
    const unsigned count = in.Pick(kMaxElements + 1);
    const Long lower = Lower(in, count);
    VariantArray a(lower, static_cast<Long>(std::int64_t{lower} + count - 1));
    for (unsigned k = 0; k < count; ++k) {
        a(lower + static_cast<Long>(k)) = in.Pick(10) == 0 ? Variant(AnyArray(in, h)) : AnyScalar(in);
    }
    return a;
}

// A Variant that holds a value or an array, or refers to one of the host's arrays.
Variant AnyVariant(Bytes& in, Host& h) {
    switch (in.Pick(10)) {
        case 0: return AnyScalar(in);
        case 1: return Variant(AnyArray(in, h));
        case 2: return Variant(AnyLongArray(in));
        case 3: return Variant::RefTo(h.longs);
        case 4: return Variant::RefTo(h.strings);
        case 5: return Variant::RefTo(h.variants);
        default: return Variant::RefTo(h.d[in.Pick(3)]);
    }
}

// A small whole number from -4 to 4, zero as often as the input likes.
Double Entry(Bytes& in, bool hostile) {
    return hostile ? in.AnyDouble() : static_cast<Double>(static_cast<int>(in.Pick(9)) - 4);
}

// Makes the n by n values v (row by row) singular or nearly so, or gives them the
// zeros that make the row arrangements and the pivot searches work: a row that is
// another times a factor (exactly, or off by one unit in the last place), a row or
// a column of zeros, zeros on the diagonal, a few non-zeros per row.
void Structure(Bytes& in, std::vector<Double>& v, unsigned rows, unsigned cols) {
    if (rows < 1 || cols < 1) return;
    const unsigned i = in.Pick(rows), k = in.Pick(rows);
    static const Double kFactors[] = {1.0, 2.0, -0.5, 3.0, 1e-300, 1e300};
    const Double factor = kFactors[in.Pick(6)];
    switch (in.Pick(8)) {
        case 0:  // proportional rows, or nearly
        case 1: {
            const bool nearly = in.Flag();
            for (unsigned c = 0; c < cols; ++c) v[k * cols + c] = v[i * cols + c] * factor;
            if (nearly) {
                Double& e = v[k * cols + in.Pick(cols)];
                e = std::nextafter(e, in.Flag() ? 1e308 : -1e308);
            }
            break;
        }
        case 2: for (unsigned c = 0; c < cols; ++c) v[k * cols + c] = 0.0; break;  // a row of zeros
        case 3: for (unsigned r = 0; r < rows; ++r) v[r * cols + k % cols] = 0.0; break;  // a column of zeros
        case 4:  // zeros on the diagonal
            for (unsigned r = 0; r < rows && r < cols; ++r) {
                if (in.Flag()) v[r * cols + r] = 0.0;
            }
            break;
        case 5:  // a few non-zeros per row: a permuted, sparse system
            for (unsigned r = 0; r < rows; ++r) {
                const unsigned keep = in.Pick(cols), other = in.Pick(cols);
                for (unsigned c = 0; c < cols; ++c) {
                    if (c != keep && c != other) v[r * cols + c] = 0.0;
                }
            }
            break;
        default: break;
    }
}

// A matrix, often of 0 to 4 rows; a large one has 3 to 20, so that the inverse's
// elimination takes a second panel of eight pivots, rows outside a panel and (from 16
// rows) blocks of columns that a panel leaves at +0.0, and a product has blocks of
// eight columns and several tiles of four rows (runtime/MatrixTiles.h).
std::shared_ptr<cMatrix2> AnyMatrix(Bytes& in) {
    if (in.Pick(8) == 0) return nullptr;
    auto m = std::make_shared<cMatrix2>();
    const bool large = in.Pick(4) == 0;
    m->NumRows(static_cast<Long>(large ? 3 + in.Pick(18) : in.Pick(5)));
    m->NumCols(in.Pick(4) == 0 ? static_cast<Long>(in.Pick(large ? 21 : 5)) : m->NumRows());
    const bool hostile = in.Pick(4) == 0;
    const auto rows = static_cast<unsigned>(m->NumRows()), cols = static_cast<unsigned>(m->NumCols());
    std::vector<Double> v(rows * cols);
    for (Double& e : v) e = Entry(in, hostile);
    Structure(in, v, rows, cols);
    for (Long i = 1; i <= m->NumRows(); ++i) {
        for (Long j = 1; j <= m->NumCols(); ++j) m->PutData(i, j, v[(i - 1) * cols + (j - 1)]);
    }
    return m;
}

// A cMatrix system sized and filled, as a host sets one up before Calc: 1 to 12
// equations, so that the elimination takes a second panel of eight pivots.
void FillSystem(Bytes& in, cMatrix& system) {
    const unsigned n = 1 + in.Pick(12);
    system.MatrixSize(static_cast<Long>(n));
    const bool hostile = in.Pick(6) == 0;
    std::vector<Double> v(n * n);
    for (Double& e : v) e = Entry(in, hostile);
    Structure(in, v, n, n);
    for (unsigned i = 0; i < n; ++i) {
        for (unsigned j = 0; j < n; ++j) system.AddToMatrix(static_cast<Long>(i + 1), static_cast<Long>(j + 1), v[i * n + j]);
        system.AddToVector(static_cast<Long>(i + 1), Entry(in, hostile));
    }
}

// An axis the grid lookups accept: from 1, two to six values rising strictly, whole
// numbers or halves, so that targets fall on its points and between them.
DoubleArray AnyAxis(Bytes& in) {
    DoubleArray axis(1, static_cast<Long>(2 + in.Pick(5)));
    for (Long k = 1; k <= axis.UBound(); ++k) axis(k) = static_cast<Double>(k - 1) + (in.Pick(4) == 0 ? 0.5 : 0.0);
    if (in.Pick(4) == 0) Blemish(in, axis.data(), static_cast<unsigned>(axis.size()));
    return axis;
}

// Now and then new axes for the grid lookups (operations 43, 44 and the batch), whose
// checks the host's arrays seldom pass. Made before any output is chosen, as an
// output may be an element of the array replaced.
void NewAxes(Bytes& in, Host& h, unsigned operation, std::initializer_list<unsigned> slots) {
    if ((operation != 43 && operation != 44 && operation != 51) || !in.Flag()) return;
    for (const unsigned k : slots) h.d[k] = AnyAxis(in);
}

// The upper bound of a grid's dimension along `axis` (from 1): the axis's length,
// now and then another.
Long Extent(Bytes& in, const DoubleArray& axis) {
    const Long n = axis.HasBounds() && axis.size() > 0 ? static_cast<Long>(axis.size()) : 2;
    return in.Pick(8) == 0 ? static_cast<Long>(in.Pick(4)) : n;
}

template <typename Grid>
Grid Filled(Bytes& in, Grid grid) {
    const bool hostile = in.Pick(4) == 0;
    for (Double& z : grid) z = hostile ? in.AnyDouble() : static_cast<Double>(static_cast<int>(in.Pick(21)) - 10);
    return grid;
}

DoubleArray2D AnyGrid(Bytes& in, const DoubleArray& x, const DoubleArray& y) {
    const Long nx = Extent(in, x);
    const Long ny = Extent(in, y);
    return Filled(in, DoubleArray2D(1, nx, 1, ny));
}

DoubleArray3D AnyGrid(Bytes& in, const DoubleArray& w, const DoubleArray& x, const DoubleArray& y) {
    const Long nw = Extent(in, w);
    const Long nx = Extent(in, x);
    const Long ny = Extent(in, y);
    return Filled(in, DoubleArray3D(1, nw, 1, nx, 1, ny));
}

BoundaryCondition AnyCondition(Bytes& in) {
    return static_cast<BoundaryCondition>(in.Pick(4) == 0 ? in.AnyWhole() : in.Pick(3));
}

// A Double output: one of the host's variables, or an element of its arrays.
Double& AnyOutput(Bytes& in, Host& h) {
    const unsigned choice = in.Pick(6);
    if (choice == 4) {
        DoubleArray& a = h.d[in.Pick(3)];
        if (a.size() > 0) return a.data()[in.Pick(static_cast<unsigned>(a.size()))];
    }
    if (choice == 5) return h.pool[in.Pick(h.pool.size())];
    return h.out[in.Pick(3)];
}

// A Double argument: a new value, or one the host holds.
Double AnyArgument(Bytes& in, Host& h) {
    return in.Pick(4) == 0 ? AnyOutput(in, h) : in.AnyDouble();
}

template <std::size_t N>
std::array<Double, N> Arguments(Bytes& in, Host& h) {
    std::array<Double, N> values;
    for (Double& value : values) value = AnyArgument(in, h);
    return values;
}

// ---- Records --------------------------------------------------------------------

void Record(Log& log, const Variant& v);
void Record(Log& log, Double value) { log << value; }
void Record(Log& log, const String& value) { log << value; }

template <typename T>
void Record(Log& log, const rt::BasicArray<T, 1>& a) {
    if (!a.HasBounds()) {
        log << " (no bounds)";
        return;
    }
    log << " [" << std::int64_t{a.LBound()} << " to" << std::int64_t{a.UBound()} << ":";
    for (const T& element : a) {
        if constexpr (std::is_same_v<T, Long>) log << std::int64_t{element};
        else Record(log, element);
    }
    log << " ]";
}

template <typename T, int Rank>
std::enable_if_t<(Rank > 1)> Record(Log& log, const rt::BasicArray<T, Rank>& a) {
    if (!a.HasBounds()) {
        log << " (no bounds)";
        return;
    }
    log << " [";
    for (int d = 1; d <= Rank; ++d) log << std::int64_t{a.LBound(d)} << std::int64_t{a.UBound(d)};
    log << ":";
    for (const T& element : a) log << element;
    log << " ]";
}

void Record(Log& log, const Variant& v) {
    log << " V" << std::int64_t{static_cast<int>(v.kind())};
    if (v.IsArray()) {
        if (v.IsReference()) log << "ref";
        std::visit([&](auto* array) { Record(log, *array); }, rt::ArrayOf(const_cast<Variant&>(v)));
        return;
    }
    switch (v.kind()) {
        case Variant::Kind::Empty: return;
        case Variant::Kind::OfString: log << v.AsString(); return;
        case Variant::Kind::OfDouble: log << v.AsDouble(); return;
        case Variant::Kind::OfBoolean: log << std::int64_t{v.AsBoolean().Raw()}; return;
        case Variant::Kind::OfInteger: log << std::int64_t{v.AsInteger()}; return;
        default: log << std::int64_t{v.AsLong()}; return;
    }
}

void Record(Log& log, const std::shared_ptr<cMatrix2>& m) {
    if (!m) {
        log << " (nothing)";
        return;
    }
    log << " M" << std::int64_t{m->NumRows()} << std::int64_t{m->NumCols()} << ":";
    for (Long i = 1; i <= m->NumRows(); ++i) {
        for (Long j = 1; j <= m->NumCols(); ++j) log << m->GetData(i, j);
    }
}

// Everything the host holds, after a call.
void RecordHost(Log& log, const Host& h) {
    log << " | out";
    for (const Double value : h.out) log << value;
    log << " index" << std::int64_t{h.index[0]} << std::int64_t{h.index[1]} << " flag"
        << std::int64_t{h.flag[0].Raw()} << std::int64_t{h.flag[1].Raw()} << " whole" << std::int64_t{h.whole[0]}
        << std::int64_t{h.whole[1]} << " text" << h.text[0] << h.text[1] << " pool";
    for (const Double value : h.pool) log << value;
    for (const DoubleArray& a : h.d) Record(log, a);
    Record(log, h.longs);
    Record(log, h.strings);
    Record(log, h.variants);
    for (const Variant& v : h.v) Record(log, v);
    for (const auto& m : h.m) Record(log, m);
    if (h.solution) {
        log << " solution";
        for (Long k = 1; k <= h.solution->Count(); ++k) Record(log, h.solution->Item(k));
    }
    Record(log, h.grid2);
    Record(log, h.grid3);
    log << " batch";
    for (const auto& values : h.batch) {
        for (const Double value : values) log << value;
        log << ";";
    }
    for (const BatchOutcome outcome : h.outcomes) log << std::int64_t{static_cast<int>(outcome)};
    log << " reasons";
    for (const FalseReason reason : h.reasons) log << std::int64_t{static_cast<int>(reason)};
    // The reason of the last False on this thread: a call that returns True leaves it.
    const FalseExplanation last = LastFalseReason();
    log << " last False" << std::int64_t{static_cast<int>(last.code())} << " " << std::string(last.text());
}

// ---- Calls ----------------------------------------------------------------------

void Result(Log& log, Double value) { log << " ->" << value; }
void Result(Log& log, Boolean value) { log << " ->" << std::int64_t{value.Raw()}; }

// Slot names in the line, so that a difference names the arguments.
const char* Slot(unsigned k) {
    static const char* const kNames[] = {" #0", " #1", " #2", " #3"};
    return kNames[k];
}

// The batch's spans: the targets, one per coordinate, and the results, which may be
// the targets' own memory. A few targets, or enough for more than two blocks of the
// searches that run together and, with the differential's low split threshold
// (SetTargetsPerThread below), for two threads; now and then a hundred or more.
// Sometimes in ascending order, which walks on from one target's interval to the
// next; often exactly a value of the coordinate's table, at any position (ties).
void PrepareBatch(Bytes& in, Host& h, unsigned coordinates, std::initializer_list<const DoubleArray*> tables) {
    const unsigned size = in.Pick(8);
    const std::size_t count = size == 0 ? 33 + in.Pick(16) : size == 1 ? 64 + in.Pick(128) : in.Pick(9);
    const bool ascending = in.Pick(4) == 0;
    for (auto& values : h.batch) values.assign(count, 0.0);
    for (unsigned c = 0; c < coordinates; ++c) {
        const DoubleArray& table = *tables.begin()[c];
        const unsigned n = table.HasBounds() ? static_cast<unsigned>(table.size()) : 0;
        Double previous = -1.0;
        for (Double& t : h.batch[c]) {
            if (ascending) {
                t = previous += static_cast<Double>(in.Pick(5)) / 4.0;
            } else if (n > 0 && in.Pick(3) == 0) {
                t = table.data()[in.Pick(n)];
            } else {
                t = in.Pick(3) == 0 ? in.AnyDouble() : static_cast<Double>(in.Pick(25)) / 4.0;
            }
        }
    }
    for (Double& r : h.batch[3]) r = in.AnyDouble();
    h.outcomes.assign(count, BatchOutcome::InvalidArgument);
    // Reasons asked for mostly, each slot first holding a code the call must overwrite.
    h.reasons.assign(in.Pick(4) == 0 ? 0 : count, FalseReason::RepeatedX);
}

Span<Double> BatchResults(Bytes& in, Host& h) {
    return in.Pick(4) == 0 ? Span<Double>(h.batch[0]) : Span<Double>(h.batch[3]);
}

// The operations, by number; every other number gives the host new values.
const char* const kOperations[] = {
    "cGenUtil.Min",
    "cGenUtil.Max",
    "cGenUtil.Avg",
    "cGenUtil.Log10",
    "cGenUtil.Log10Sum",
    "cGenUtil.LogDBSum",
    "cGenUtil.IsEqualAbs",
    "cGenUtil.IsEqualRel",
    "cGenUtil.IntToBin",
    "cGenUtil.BinToInt",
    "cGenUtil.LongToBin",
    "cGenUtil.BinToLong",
    "cGeom.PI",
    "cGeom.Distance2D",
    "cGeom.Distance3D",
    "cGeom.Line2D",
    "cGeom.VectorAdd",
    "cGeom.DotProduct",
    "cGeom.CrossProduct",
    "cGeom.PlaneCoeffsFrom3Pts",
    "cGeom.SurfNormFrom3Pts",
    "cGeom.Intersect2Planes",
    "cGeom.Intersect3Planes",
    "cGeom.CartToPolar",
    "cGeom.PolarToCart",
    "cGeom.DegToRad",
    "cGeom.RadToDeg",
    "cGeom.InLine2D",
    "CInterpolation.BoundedBy",
    "CInterpolation.LinearInterpolation1Way",
    "CInterpolation.LinearInterpolation2Way",
    "CInterpolation.LinearInterpolation3Way",
    "CInterpolation.LinearInterpolation4Way",
    "CInterpolation.InterpolationRatio",
    "CInterpolation.LinearExtrapolation1Way",
    "CInterpolation.LinearExtrapolation2Way",
    "CInterpolation.InterpolationOf1DArray",
    "CInterpolation.InterpolationIndices",
    "CSort.BubbleSortXYPairsByX",
    "CSort.BubbleSort1DArray",
    "cInterp2.SortXYPairsByX",
    "cInterp2.Interp2D",
    "cInterp2.Interp2D_Extrap",
    "cInterp2.Interp3D",
    "cInterp2.Interp4D",
    "cMatrix2",
    "cMatrixOps.MatrixTrans",
    "cMatrixOps.MatrixMult",
    "cMatrixOps.MatrixInvert",
    "cMatrixOps.SimultEqns",
    "cMatrix",
    "batch",
};
constexpr unsigned kOperationCount = sizeof kOperations / sizeof *kOperations;

// The operations whose results come from the correctly rounded logarithm, sine,
// cosine or arctangent.
bool Elementary(unsigned operation) {
    switch (operation) {
        case 3: case 4: case 5: case 23: case 24: return true;
        default: return false;
    }
}

// An argument for those: near 1 (the logarithm's hardest), near a multiple of pi/4
// and of the table rows of sine and cosine, or any bits. The arguments whose results
// lie closest to a rounding midpoint, searched out beforehand, are swept through the
// same methods before every run (fuzz/HardCases.h).
Double ElementaryArgument(Bytes& in) {
    switch (in.Pick(3)) {
        case 0: {  // 1 plus or minus a few units in the last place, or a power of two near it
            const int units = static_cast<int>(in.Pick(4096)) - 2048;
            const Double scale = in.Flag() ? 0x1p-52 : 0x1p-40;
            return 1.0 + units * scale;
        }
        case 1: {  // k * pi / 64 give or take a few units in the last place
            const Double near = static_cast<Double>(static_cast<int>(in.Pick(512)) - 256) * 0x1.921fb54442d18p-5;
            Double x = near;
            for (unsigned k = in.Pick(8); k > 0; --k) x = std::nextafter(x, in.Flag() ? 1e308 : -1e308);
            return x;
        }
        default: return in.AnyDouble();
    }
}

void Call(Bytes& in, Host& h, Log& log) {
    const cGenUtil util;
    const cGeom geom;
    const CInterpolation& ip = in.Flag() ? CInterpolation::Default() : CInterpolation();
    const CSort& sort = in.Flag() ? CSort::Default() : CSort();
    const cInterp2 interp;
    const cMatrixOps ops;
    const unsigned operation = in.Pick(kOperationCount + 2);
    const unsigned a = in.Pick(3), b = in.Pick(3), c = in.Pick(3);
    NewAxes(in, h, operation, {a, b, c});
    auto d = Arguments<20>(in, h);
    if (Elementary(operation) && in.Flag()) {
        d[0] = ElementaryArgument(in);
        d[1] = in.Flag() ? ElementaryArgument(in) : d[1];
    }
    Double& o1 = AnyOutput(in, h);
    Double& o2 = AnyOutput(in, h);
    Double& o3 = AnyOutput(in, h);
    log.Begin(operation < kOperationCount ? kOperations[operation] : "new values");
    log << Slot(a) << Slot(b) << Slot(c);
    for (const Double value : d) log << value;
    try {
        switch (operation) {
            case 0: Result(log, util.Min(d[0], d[1])); break;
            case 1: Result(log, util.Max(d[0], d[1])); break;
            case 2: Result(log, util.Avg(d[0], d[1])); break;
            case 3: Result(log, util.Log10(d[0])); break;
            case 4: Result(log, util.Log10Sum(d[0], d[1])); break;
            case 5: Result(log, util.LogDBSum(d[0], d[1])); break;
            case 6: Result(log, util.IsEqualAbs(d[0], d[1], d[2])); break;
            case 7: Result(log, util.IsEqualRel(d[0], d[1], d[2])); break;
            case 8: Result(log, util.IntToBin(static_cast<Integer>(in.AnyWhole()), h.text[a % 2])); break;
            case 9: h.text[a % 2] = AnyText(in); Result(log, util.BinToInt(h.text[a % 2], h.index[b % 2])); break;
            case 10: Result(log, util.LongToBin(static_cast<Long>(in.AnyWhole()), h.text[a % 2])); break;
            case 11: h.text[a % 2] = AnyText(in); Result(log, util.BinToLong(h.text[a % 2], h.whole[b % 2])); break;
            case 12: Result(log, geom.PI()); break;
            case 13: Result(log, geom.Distance2D(d[0], d[1], d[2], d[3])); break;
            case 14: Result(log, geom.Distance3D(d[0], d[1], d[2], d[3], d[4], d[5])); break;
            case 15: Result(log, geom.Line2D(d[0], d[1], d[2], d[3], o1, o2)); break;
            case 16: geom.VectorAdd(d[0], d[1], d[2], d[3], d[4], d[5], o1, o2, o3); break;
            case 17: Result(log, geom.DotProduct(d[0], d[1], d[2], d[3], d[4], d[5])); break;
            case 18: geom.CrossProduct(d[0], d[1], d[2], d[3], d[4], d[5], o1, o2, o3); break;
            case 19: geom.PlaneCoeffsFrom3Pts(d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], d[8], o1, o2, o3, o1); break;
            case 20: geom.SurfNormFrom3Pts(d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], d[8], o1, o2, o3); break;
            case 21:
                Result(log, geom.Intersect2Planes(d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], o1, o2, o3, o2, o1,
                                                  h.out[c]));
                break;
            case 22:
                Result(log, geom.Intersect3Planes(d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], d[8], d[9], d[10],
                                                  d[11], o1, o2, o3));
                break;
            case 23: geom.CartToPolar(d[0], d[1], o1, o2); break;
            case 24: geom.PolarToCart(d[0], d[1], o1, o2); break;
            case 25: Result(log, geom.DegToRad(d[0])); break;
            case 26: Result(log, geom.RadToDeg(d[0])); break;
            case 27: Result(log, geom.InLine2D(d[0], d[1], d[2], d[3], d[4], d[5], d[6])); break;
            case 28: Result(log, ip.BoundedBy(d[0], d[1], d[2])); break;
            case 29: Result(log, ip.LinearInterpolation1Way(d[0], d[1], d[2])); break;
            case 30: Result(log, ip.LinearInterpolation2Way(d[0], d[1], d[2], d[3], d[4], d[5])); break;
            case 31:
                Result(log, ip.LinearInterpolation3Way(d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], d[8], d[9], d[10]));
                break;
            case 32:
                Result(log, ip.LinearInterpolation4Way(d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], d[8], d[9], d[10],
                                                       d[11], d[12], d[13], d[14], d[15], d[16], d[17], d[18], d[19]));
                break;
            case 33: Result(log, ip.InterpolationRatio(d[0], d[1], d[2], o1)); break;
            case 34: Result(log, ip.LinearExtrapolation1Way(d[0], d[1], d[2], d[3], d[4], o1)); break;
            case 35:
                Result(log, ip.LinearExtrapolation2Way(d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], d[8], d[9], d[10],
                                                       d[11], o1));
                break;
            case 36: Result(log, ip.InterpolationOf1DArray(d[0], h.d[a], h.d[b], AnyCondition(in), o1)); break;
            case 37:
                Result(log, ip.InterpolationIndices(d[0], h.d[a], AnyCondition(in), h.index[b % 2], h.index[c % 2], o1,
                                                    h.flag[b % 2]));
                break;
            case 38: sort.BubbleSortXYPairsByX(h.v[a % 2], h.v[b % 2]); break;
            case 39: sort.BubbleSort1DArray(h.v[a % 2]); break;
            case 40: interp.SortXYPairsByX(h.d[a], h.d[b]); break;
            case 41: Result(log, interp.Interp2D(h.d[a], h.d[b], h.flag[c % 2], in.Flag() ? o1 : d[0], o2)); break;
            case 42:
                Result(log, interp.Interp2D_Extrap(h.d[a], h.d[b], static_cast<BoundaryCondition2>(AnyCondition(in)),
                                                   d[0], o1));
                break;
            case 43:
                h.grid2 = AnyGrid(in, h.d[a], h.d[b]);
                Result(log, interp.Interp3D(h.d[a], h.d[b], h.grid2, h.flag[c % 2], in.Flag() ? o1 : d[0],
                                            in.Flag() ? o2 : d[1], o3));
                break;
            case 44:
                h.grid3 = AnyGrid(in, h.d[a], h.d[b], h.d[c]);
                Result(log, interp.Interp4D(h.d[a], h.d[b], h.d[c], h.grid3, h.flag[c % 2], in.Flag() ? o1 : d[0],
                                            in.Flag() ? o2 : d[1], in.Flag() ? o3 : d[2], o3));
                break;
            case 45: {
                if (!h.m[a]) break;
                // A size allocates, so sizes stay small; subscripts may be anything.
                Long& size = h.whole[b % 2];
                size = static_cast<Long>(in.Pick(7)) - 2;
                const auto row = static_cast<Long>(in.AnyWhole()), col = static_cast<Long>(in.AnyWhole());
                switch (in.Pick(4)) {
                    case 0: h.m[a]->NumRows(size); break;
                    case 1: h.m[a]->NumCols(size); break;
                    case 2: h.m[a]->PutData(row, col, d[0]); break;
                    default: Result(log, h.m[a]->GetData(row, col)); break;
                }
                break;
            }
            case 46: Result(log, ops.MatrixTrans(h.m[a], h.m[b])); break;
            case 47: Result(log, ops.MatrixMult(h.m[a], h.m[b], h.m[c])); break;
            case 48: Result(log, ops.MatrixInvert(h.m[a], h.m[b])); break;
            case 49: Result(log, ops.SimultEqns(h.m[a], h.m[b], h.m[c])); break;
            case 50:
                switch (in.Pick(8)) {
                    case 5: case 6: case 7:  // a whole system, then solved
                        FillSystem(in, h.system);
                        Result(log, h.system.Calc(h.solution));
                        break;
                    case 0: h.whole[a % 2] = static_cast<Long>(in.Pick(6)); h.system.MatrixSize(h.whole[a % 2]); break;
                    case 1: h.system.AddToMatrix(static_cast<Long>(in.Pick(6)), static_cast<Long>(in.Pick(6)), d[0]); break;
                    case 2: h.system.AddToVector(static_cast<Long>(in.Pick(6)), d[0]); break;
                    case 3: Result(log, h.system.Calc(h.solution)); break;
                    default: {
                        const auto previous = rt::SetMessageSink([&log](const String& text) { log << text; });
                        try {
                            h.system.HelpForProgrammer();
                        } catch (...) {
                            rt::SetMessageSink(previous);
                            throw;
                        }
                        rt::SetMessageSink(previous);
                        break;
                    }
                }
                break;
            case 51: {
                const unsigned coordinates = 1 + in.Pick(3);
                log << " batch of" << std::int64_t{coordinates};
                PrepareBatch(in, h, coordinates, {&h.d[a], &h.d[b], &h.d[c]});
                const BatchOptions options{in.Pick(3)};  // 0: a thread per core
                log << " threads" << std::int64_t{options.threads} << " reasons"
                    << std::int64_t{static_cast<std::int64_t>(h.reasons.size())};
                const Span<Double> results = BatchResults(in, h);
                const Span<const Double> t0(h.batch[0]), t1(h.batch[1]), t2(h.batch[2]);
                const Span<FalseReason> reasons(h.reasons);
                const bool without = reasons.empty() && in.Flag();  // the overloads without reasons
                switch (coordinates) {
                    case 1:
                        if (in.Flag()) {
                            log << " (1-D)";
                            const BoundaryCondition condition = AnyCondition(in);
                            if (without) {
                                InterpolationOf1DArrayBatch(h.d[a], h.d[b], condition, t0, results, h.outcomes, options);
                            } else {
                                InterpolationOf1DArrayBatch(h.d[a], h.d[b], condition, t0, results, h.outcomes, reasons,
                                                            options);
                            }
                        } else if (without) {
                            Interp2DBatch(h.d[a], h.d[b], h.flag[c % 2], t0, results, h.outcomes, options);
                        } else {
                            Interp2DBatch(h.d[a], h.d[b], h.flag[c % 2], t0, results, h.outcomes, reasons, options);
                        }
                        break;
                    case 2:
                        h.grid2 = AnyGrid(in, h.d[a], h.d[b]);
                        if (without) {
                            Interp3DBatch(h.d[a], h.d[b], h.grid2, h.flag[c % 2], t0, t1, results, h.outcomes, options);
                        } else {
                            Interp3DBatch(h.d[a], h.d[b], h.grid2, h.flag[c % 2], t0, t1, results, h.outcomes, reasons,
                                          options);
                        }
                        break;
                    default:
                        h.grid3 = AnyGrid(in, h.d[a], h.d[b], h.d[c]);
                        if (without) {
                            Interp4DBatch(h.d[a], h.d[b], h.d[c], h.grid3, h.flag[c % 2], t0, t1, t2, results,
                                          h.outcomes, options);
                        } else {
                            Interp4DBatch(h.d[a], h.d[b], h.d[c], h.grid3, h.flag[c % 2], t0, t1, t2, results,
                                          h.outcomes, reasons, options);
                        }
                        break;
                }
                break;
            }
            default:  // new values for the host: arrays, Variants, matrices, flags
                switch (in.Pick(6)) {
                    case 0: h.d[a] = AnyArray(in, h); break;
                    case 1: h.v[a % 2] = AnyVariant(in, h); break;
                    case 2: h.m[a] = in.Pick(3) == 0 ? h.m[b] : AnyMatrix(in); break;
                    case 3: h.flag[a % 2] = Boolean::FromRaw(static_cast<std::int16_t>(in.AnyWhole())); break;
                    case 4: h.longs = AnyLongArray(in); h.strings = AnyStringArray(in); break;
                    default: h.variants = AnyVariantArray(in, h); break;
                }
                break;
        }
    } catch (const LibraryError& e) {
        log << " raised " << KindName(e.kind()) << " " << e.what();
    } catch (const std::exception& e) {
        log << " foreign exception " << e.what();
    }
    RecordHost(log, h);
}

}  // namespace

namespace differential {

void DIFFERENTIAL_SIDE(const std::uint8_t* data, std::size_t size, Log& log) {
    // Two threads from 16 targets on (the reference build always runs one).
    batch::SetTargetsPerThread(8);
    Bytes in(data, size);
    Host h;
    for (std::size_t k = 0; k < h.pool.size(); ++k) h.pool[k] = in.Pick(4) == 0 ? in.AnyDouble() : static_cast<Double>(k % 7);
    for (DoubleArray& a : h.d) a = AnyArray(in, h);
    h.longs = AnyLongArray(in);
    h.strings = AnyStringArray(in);
    h.variants = AnyVariantArray(in, h);
    for (Variant& v : h.v) v = AnyVariant(in, h);
    for (auto& m : h.m) m = AnyMatrix(in);
    for (int k = 0; k < kCallsPerInput && in.More(); ++k) Call(in, h, log);
}

}  // namespace differential
