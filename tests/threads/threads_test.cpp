// Eight threads call the library at once: the shared CInterpolation::Default() and
// CSort::Default() on arrays of their own, their own instances of every other class,
// and the message box through one sink. Every result, error kinds included, is
// recorded bit for bit and must equal what the same work gave on a single thread.
#include <Tervanix/Tervanix.h>
#include <Tervanix/elementary/FloatBits.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

using namespace tervanix;

namespace {

constexpr int kThreads = 8;
constexpr int kRounds = 3;

class Record {
public:
    void Add(Double v) { values_.push_back(rt::BitsOf(v)); }
    void Add(Boolean b) { values_.push_back(static_cast<std::uint64_t>(b.Raw())); }
    void Add(const String& s) { values_.insert(values_.end(), s.begin(), s.end()); }
    void AddError(const LibraryError& e) { values_.push_back(1000 + static_cast<std::uint64_t>(e.kind())); }
    bool operator==(const Record& other) const { return values_ == other.values_; }
    std::size_t size() const { return values_.size(); }

private:
    std::vector<std::uint64_t> values_;
};

// Runs a call and records its error's kind, if it ends with one.
template <typename Call>
void Try(Record& r, Call&& call) {
    try {
        call();
    } catch (const LibraryError& e) {
        r.AddError(e);
    }
}

// The same small pseudo-random numbers for the same seed on every run.
class Numbers {
public:
    explicit Numbers(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
    Double Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<Double>(state_ >> 8) / 65536.0 - 128.0;
    }

private:
    std::uint32_t state_;
};

void Interpolate(Numbers& n, Record& r) {
    const CInterpolation& ip = CInterpolation::Default();
    DoubleArray x(1, 40), y(1, 40);
    for (Long i = 1; i <= 40; ++i) {
        x(i) = i + n.Next() / 1000.0;
        y(i) = n.Next();
    }
    for (int k = 0; k < 200; ++k) {
        const Double target = n.Next() / 2.0;
        Double result = 0.0;
        Integer i1 = 0, i2 = 0;
        Double fraction = 0.0;
        Boolean extrapolated;
        Try(r, [&] { r.Add(ip.InterpolationOf1DArray(target, x, y, EXTRAPOLATE_LINEARLY, result)); });
        Try(r, [&] { r.Add(ip.InterpolationIndices(target, x, NO_EXTRAPOLATION, i1, i2, fraction, extrapolated)); });
        r.Add(result);
        r.Add(fraction);
        Try(r, [&] { r.Add(ip.LinearInterpolation2Way(n.Next(), n.Next(), n.Next(), n.Next(), n.Next(), n.Next())); });
        Try(r, [&] { r.Add(ip.LinearExtrapolation1Way(1.0, n.Next(), 1.0, n.Next(), target, result)); });
    }
}

void Sort(Numbers& n, Record& r) {
    const CSort& sort = CSort::Default();
    DoubleArray x(-5, 60), y(-5, 60);
    VariantArray mixed(1, 30);
    for (Long i = -5; i <= 60; ++i) {
        x(i) = n.Next();
        y(i) = n.Next();
    }
    for (Long i = 1; i <= 30; ++i) mixed(i) = i % 7 == 0 ? Variant(String(u"a")) : Variant(n.Next());
    Variant vx = Variant::RefTo(x), vy = Variant::RefTo(y), vm(mixed);
    sort.BubbleSortXYPairsByX(vx, vy);
    Try(r, [&] { sort.BubbleSort1DArray(vm); });  // a string beside numbers: TypeMismatch
    for (Long i = -5; i <= 60; ++i) {
        r.Add(x(i));
        r.Add(y(i));
    }
}

void Utilities(Numbers& n, Record& r) {
    const cGenUtil util;
    const cGeom geom;
    for (int k = 0; k < 100; ++k) {
        const Double a = n.Next(), b = n.Next();
        Try(r, [&] { r.Add(util.LogDBSum(a, b)); });
        Try(r, [&] { r.Add(util.Log10(a)); });  // InvalidArgument for a <= 0
        String text;
        util.LongToBin(static_cast<Long>(a * 1e6), text);
        r.Add(text);
        Double px = 0, py = 0, pz = 0;
        Try(r, [&] {
            r.Add(geom.Intersect3Planes(a, b, 1, 2, b, 3, a, 1, 1, a, b, 0, px, py, pz));
        });
        r.Add(px);
        geom.CartToPolar(a, b, px, py);
        r.Add(py);
    }
}

void Matrices(Numbers& n, Record& r) {
    cMatrix system;
    system.MatrixSize(8);
    for (Long i = 1; i <= 8; ++i) {
        system.AddToVector(i, n.Next());
        for (Long j = 1; j <= 8; ++j) system.AddToMatrix(i, j, n.Next());
    }
    auto solution = std::make_shared<Collection>();
    r.Add(system.Calc(solution));
    for (Long i = 1; i <= solution->Count(); ++i) r.Add(solution->Item(i).AsDouble());
    system.HelpForProgrammer();

    const cMatrixOps ops;
    auto m = std::make_shared<cMatrix2>();
    m->NumRows(10);
    m->NumCols(10);
    for (Long i = 1; i <= 10; ++i)
        for (Long j = 1; j <= 10; ++j) m->PutData(i, j, n.Next());
    std::shared_ptr<cMatrix2> inverse, product;
    Try(r, [&] { r.Add(ops.MatrixInvert(m, inverse)); });
    Try(r, [&] { r.Add(ops.MatrixMult(m, inverse, product)); });
    for (Long i = 1; i <= 10; ++i)
        for (Long j = 1; j <= 10; ++j) r.Add(product->GetData(i, j));

    const cInterp2 table;
    DoubleArray tx(1, 12), ty(1, 12);
    for (Long i = 1; i <= 12; ++i) {
        tx(i) = n.Next();
        ty(i) = n.Next();
    }
    Double z = 0.0;
    for (int k = 0; k < 20; ++k) Try(r, [&] { r.Add(table.Interp2D(tx, ty, true, n.Next(), z)); });
    r.Add(z);
}

Record Work(int seed) {
    Numbers n(static_cast<std::uint32_t>(seed));
    Record r;
    Interpolate(n, r);
    Sort(n, r);
    Utilities(n, r);
    Matrices(n, r);
    return r;
}

}  // namespace

int main() {
    std::atomic<std::size_t> shown{0};
    rt::SetMessageSink([&shown](const String& text) { shown += text.size(); });

    std::vector<Record> expected;
    for (int t = 0; t < kThreads; ++t) expected.push_back(Work(t));
    const std::size_t shownAlone = shown.exchange(0);

    std::atomic<int> ready{0};
    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            ++ready;
            while (ready < kThreads) std::this_thread::yield();  // all start together
            for (int round = 0; round < kRounds; ++round) {
                if (!(Work(t) == expected[t])) ++mismatches;
            }
        });
    }
    for (std::thread& thread : threads) thread.join();

    std::size_t values = 0;
    for (const Record& r : expected) values += r.size();
    const bool sameMessages = shown == shownAlone * kRounds;
    std::printf("threads: %d threads x %d rounds, %zu values each round, %d mismatching runs%s\n", kThreads, kRounds,
                values, mismatches.load(), sameMessages ? "" : ", message box text differs");
    return mismatches == 0 && sameMessages ? 0 : 1;
}
