// Every allocation inside a library call fails in turn: the k-th one, for k = 1, 2,
// ... until the call makes fewer than k. Whatever fails, only a LibraryError may
// leave the call (OutOfMemory, or the kind the call raises anyway), and the objects
// involved work again afterwards. The start of a thread counts as an allocation: it
// fails as on a process out of threads, and a batch then loses no target.
//
// The global operator new is replaced, which AddressSanitizer does not allow, so the
// sanitizer build leaves this program out.
#include <Tervanix/Tervanix.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

// The start of a thread is made to fail by interposing pthread_create, which needs an
// ELF platform's dynamic linker; elsewhere (Windows) threads start as usual.
#if defined(__unix__)
#define TERVANIX_FAIL_THREAD_STARTS 1
#include <dlfcn.h>
#include <errno.h>
#include <pthread.h>
#endif

namespace {

long gAllocations = 0;
long gFailAt = 0;  // 0: no allocation fails

}  // namespace

// GCC takes operator delete's free() for a mismatch with the operator new it inlines.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t size) {
    if (gFailAt != 0 && ++gAllocations == gFailAt) throw std::bad_alloc();
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

#if defined(TERVANIX_FAIL_THREAD_STARTS)
// std::thread starts its threads here: the failing one is refused as for want of resources.
extern "C" int pthread_create(pthread_t* thread, const pthread_attr_t* attr, void* (*start)(void*),
                              void* arg) noexcept {
    if (gFailAt != 0 && ++gAllocations == gFailAt) return EAGAIN;
    using Create = int (*)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);
    static const Create create = [] {
        Create found;
        void* const symbol = dlsym(RTLD_NEXT, "pthread_create");
        std::memcpy(&found, &symbol, sizeof found);
        return found;
    }();
    return create(thread, attr, start, arg);
}
#endif

namespace {

using namespace tervanix;

int gProblems = 0;

void Problem(const char* name, long k, const std::string& what) {
    std::printf("FAILED %s, allocation %ld failing: %s\n", name, k, what.c_str());
    ++gProblems;
}

struct Case {
    const char* name;
    std::optional<ErrorKind> raises;     // the error the call ends with when nothing fails
    std::function<void()> call;          // made ready before, so only the call's own allocations count
    std::function<bool()> worksAgain;    // true when the objects work as before
};

// Runs the call with its k-th allocation failing; false once the call made fewer.
bool FailAllocation(const Case& c, long k) {
    gAllocations = 0;
    gFailAt = k;
    std::string outcome;
    try {
        c.call();
    } catch (const LibraryError& e) {
        const bool expected = e.kind() == ErrorKind::OutOfMemory || (c.raises && e.kind() == *c.raises);
        if (!expected) outcome = std::string("unexpected ") + e.what();
    } catch (const std::exception& e) {
        outcome = std::string("foreign exception: ") + e.what();
    } catch (...) {
        outcome = "foreign exception";
    }
    const bool reached = gAllocations >= k;
    gFailAt = 0;
    if (!outcome.empty()) Problem(c.name, k, outcome);
    if (!c.worksAgain()) Problem(c.name, k, "does not work afterwards");
    return reached;
}

std::shared_ptr<cMatrix2> Square(std::initializer_list<double> values) {
    auto m = std::make_shared<cMatrix2>();
    const Long n = values.size() == 9 ? 3 : 2;
    m->NumRows(n);
    m->NumCols(n);
    Long k = 0;
    for (double v : values) { m->PutData(k / n + 1, k % n + 1, v); ++k; }
    return m;
}

bool SameMatrix(const cMatrix2& a, const cMatrix2& b) {
    if (a.NumRows() != b.NumRows() || a.NumCols() != b.NumCols()) return false;
    for (Long i = 1; i <= a.NumRows(); ++i)
        for (Long j = 1; j <= a.NumCols(); ++j)
            if (a.GetData(i, j) != b.GetData(i, j)) return false;
    return true;
}

}  // namespace

int main() {
    const cGenUtil util;
    const cMatrixOps ops;
    const auto a = Square({4, 1, 2, 1, 5, 3, 2, 3, 6});
    const auto b = Square({1, 2, 3, 4, 5, 6, 7, 8, 9});
    std::shared_ptr<cMatrix2> result, none;
    String text;
    cMatrix system;
    std::shared_ptr<Collection> solution;
    const auto fillSystem = [&system] {
        system.MatrixSize(3);
        for (Long i = 1; i <= 3; ++i) {
            for (Long j = 1; j <= 3; ++j) system.AddToMatrix(i, j, i == j ? 4.0 : 1.0);
            system.AddToVector(i, i);
        }
    };
    fillSystem();
    const auto solves = [&] { return bool(system.Calc(solution)) && solution->Count() == 3; };
    const auto inverts = [&] { return bool(ops.MatrixInvert(a, result)) && result->NumRows() == 3; };
    StringArray words = StringArray(1, {u"pear", u"fig", u"apple", u"kiwi"});
    VariantArray values = VariantArray(1, {Variant(u"b"), Variant(u"a"), Variant(2.5), Variant(u"c")});
    Variant holdsArray = Variant(DoubleArray(1, {3.0, 1.0, 2.0}));
    DoubleArray xs(1, {3.0, 1.0, 2.0}), ys(1, {30.0, 10.0, 20.0}), tooLong(1, 40000);
    Double y = 0;
    // A batch on four threads: each target's value is its target times 10.
    std::vector<Double> targets(65536), results(targets.size());
    std::vector<BatchOutcome> outcomes(targets.size());
    for (std::size_t i = 0; i < targets.size(); ++i) targets[i] = static_cast<Double>(i % 3);
    const auto batchOnThreads = [&] {
        std::fill(outcomes.begin(), outcomes.end(), BatchOutcome::InvalidArgument);
        InterpolationOf1DArrayBatch(xs, ys, EXTRAPOLATE_LINEARLY, targets, results, outcomes, BatchOptions{4});
        for (std::size_t i = 0; i < targets.size(); ++i) {
            if (outcomes[i] != BatchOutcome::ReturnedTrue || results[i] != targets[i] * 10.0) return false;
        }
        return true;
    };
    const auto looksUp = [&] {
        return bool(CInterpolation().InterpolationOf1DArray(1.5, xs, ys, EXTRAPOLATE_LINEARLY, y)) && y == 15.0;
    };

    const std::vector<Case> cases = {
        {"IntToBin", {}, [&] { util.IntToBin(-5, text); }, [&] { return bool(util.IntToBin(5, text)) && text.size() == 16; }},
        {"LongToBin", {}, [&] { util.LongToBin(-5, text); }, [&] { return bool(util.LongToBin(5, text)) && text.size() == 32; }},
        {"HelpForProgrammer", {}, [&] { system.HelpForProgrammer(); }, solves},
        {"Log10(0)", ErrorKind::InvalidArgument, [&] { util.Log10(0.0); }, [&] { return util.Log10(100.0) == 2.0; }},
        {"Avg fault", ErrorKind::FloatingPointFault, [&] { util.Avg(1e308, 1e308); }, [&] { return util.Avg(1, 2) == 1.5; }},
        {"subscript", ErrorKind::SubscriptOutOfRange, [&] { system.AddToMatrix(0, 1, 1.0); }, solves},
        {"no array", ErrorKind::TypeMismatch, [&] { Variant empty; CSort().BubbleSort1DArray(empty); }, [] { return true; }},
        {"missing object", ErrorKind::MissingObject, [&] { ops.MatrixTrans(none, result); }, inverts},
        {"bound 40000", ErrorKind::OverflowError,
         [&] { CInterpolation().InterpolationOf1DArray(1.0, tooLong, tooLong, EXTRAPOLATE_LINEARLY, y); }, looksUp},
        {"MatrixSize", {}, [&] { system.MatrixSize(4); }, [&] { fillSystem(); return solves(); }},
        {"Calc", {}, [&] { system.Calc(solution); }, solves},
        {"MatrixTrans", {}, [&] { ops.MatrixTrans(a, result); }, inverts},
        {"MatrixMult", {}, [&] { ops.MatrixMult(a, b, result); }, inverts},
        {"MatrixInvert", {}, [&] { ops.MatrixInvert(a, result); }, inverts},
        {"SimultEqns", {}, [&] { ops.SimultEqns(a, b, result); }, inverts},
        {"sort strings", {}, [&] { Variant v = Variant::RefTo(words); CSort().BubbleSort1DArray(v); },
         [&] { return words(1) == u"apple"; }},
        {"sort Variants", ErrorKind::TypeMismatch, [&] { Variant v = Variant::RefTo(values); CSort().BubbleSort1DArray(v); },
         [] { return true; }},
        {"InterpolationOf1DArray", {}, [&] { looksUp(); }, looksUp},
        {"batch on 4 threads", {}, [&] { if (!batchOnThreads()) throw std::runtime_error("a target lost"); }, batchOnThreads},
        {"copy of cMatrix2", {}, [&] { const cMatrix2 copy = *a; }, [&] { const cMatrix2 copy = *a; return SameMatrix(copy, *a); }},
        {"assignment of cMatrix2", {}, [&] { *result = *b; }, [&] { *result = *b; return SameMatrix(*result, *b); }},
        {"copy of a Variant", {}, [&] { const Variant copy = holdsArray; }, [&] { const Variant copy = holdsArray; return copy == holdsArray; }},
        {"copy of a VariantArray", {}, [&] { const VariantArray copy = values; }, [&] { return VariantArray(values).size() == 4; }},
    };

    long attempts = 0;
    const int quiet = open("/dev/null", O_WRONLY);
    const int stderrCopy = dup(2);
    for (const Case& c : cases) {
        if (std::strcmp(c.name, "HelpForProgrammer") == 0) dup2(quiet, 2);  // the help texts are not wanted here
        long k = 1;
        while (FailAllocation(c, k)) ++k;
        attempts += k;
        dup2(stderrCopy, 2);
        std::printf("%-24s %3ld allocations\n", c.name, k - 1);
    }
    std::printf("%ld calls, %d problems\n", attempts, gProblems);
    return gProblems == 0 ? 0 : 1;
}
