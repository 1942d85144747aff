#include <Tervanix/cMatrix.h>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace tervanix {
namespace {

using namespace testing;

using Rows = std::vector<std::vector<double>>;

cMatrix Make(const Rows& A, const std::vector<double>& b) {
    cMatrix m;
    const Long n = static_cast<Long>(b.size());
    m.MatrixSize(n);
    for (Long r = 1; r <= n; ++r) {
        m.AddToVector(r, b[r - 1]);
        for (Long c = 1; c <= n; ++c) m.AddToMatrix(r, c, A[r - 1][c - 1]);
    }
    return m;
}

// What Calc gave, to the bit: "True" and the items in hexadecimal, "False", or the
// kind of the error that ended it.
std::string Outcome(bool ok, const std::vector<double>& x) {
    std::string text = ok ? "True" : "False";
    char item[32];
    for (double v : x) {
        std::snprintf(item, sizeof item, " %a", v);
        text += item;
    }
    return text;
}

std::string Solve(const cMatrix& m) {
    std::shared_ptr<Collection> s;
    try {
        const bool ok = static_cast<bool>(m.Calc(s));
        std::vector<double> x;
        for (Long i = 1; i <= s->Count(); ++i) x.push_back(s->Item(i).AsDouble());
        return Outcome(ok, x);
    } catch (const LibraryError& e) {
        return KindName(e.kind());
    }
}

std::string Solved(const std::vector<double>& x) { return Outcome(true, x); }
const std::string kFalse = "False";

// A coefficient of magnitude 0.5 to 2 with a random sign.
double Coefficient(std::mt19937_64& gen) {
    return (gen() & 1 ? -1 : 1) * std::uniform_real_distribution<double>(0.5, 2.0)(gen);
}

TEST(cMatrixTest, SolvesInTheOrderFoundAndReportsWhatAdmitsNoSolution) {
    const struct { Rows A; std::vector<double> b; std::string expected; } cases[] = {
        {{{0}}, {4}, kFalse},
        {{{0, 1}, {1, 0}}, {3, 5}, Solved({5, 3})},             // order (2, 1)
        {{{1, 1}, {1, 0}}, {3, 1}, Solved({1, 2})},             // zero on the last diagonal position
        {{{1, 2}, {2, 4}}, {3, 6}, kFalse},                     // dependent: W(2, 2) becomes 0.0
        {{{0, 0}, {1, 1}}, {3, 6}, kFalse},                     // no order is valid
        {{{0, 2, 1}, {1, 0.1, 3}, {0.3, 1, 0}}, {1, 2, 3},      // order (2, 3, 1), not (2, 1, ...)
         Solved({6.028880866425991, 1.1913357400722027, -1.382671480144404})},
        {{{1, 1}, {0.1, 1e308}}, {1, 1}, "FloatingPointFault"},  // f * W(2, 2) overflows
        {{{1e-300, 1}, {2e-300, 2}}, {1e300, 1}, "FloatingPointFault"},  // x(1) after a dependency
    };
    for (const auto& c : cases) {
        const cMatrix m = Make(c.A, c.b);
        EXPECT_EQ(c.expected, Solve(m)) << c.A.size() << " x " << c.A.size() << ", b(1) = " << c.b[0];
        EXPECT_EQ(c.expected, Solve(m)) << "a second Calc";
    }
}

TEST(cMatrixTest, EntriesAboveNAreIgnoredAndBelowOneFailAsDoSizesWithoutMemory) {
    cMatrix m = Make({{1, 5}, {0, 1}}, {1, 1});
    m.AddToMatrix(1, 1, 2);  // replaces, does not add
    m.AddToMatrix(3, 1, 99);
    m.AddToVector(3, 99);
    EXPECT_EQ(Solved({-2, 1}), Solve(m));  // (1 - 5 * 1) / 2
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, m.AddToMatrix(1, 0, 1));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, m.AddToVector(0, 1));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, cMatrix().AddToVector(1, 1));
    EXPECT_EQ("SubscriptOutOfRange", Solve(cMatrix()));
    // N x N elements beyond the address space; then 8e18 bytes, which no allocator has
    // (AddressSanitizer's ends the program instead of failing the allocation).
    EXPECT_LIBRARY_ERROR(ErrorKind::OutOfMemory, m.MatrixSize(2147483647));
    if (!kUnderAddressSanitizer) EXPECT_LIBRARY_ERROR(ErrorKind::OutOfMemory, m.MatrixSize(1000000000));
    m.AddToMatrix(2, 2, 1);  // a failed MatrixSize keeps the arrays
}

// The literal trial: every sequence of N row numbers in lexicographic order, the
// first without a duplicate and without a zero on the diagonal; empty if none. The
// sequences without a duplicate are the permutations, met in the same order.
std::vector<int> FirstOrderByTrial(const Rows& A) {
    std::vector<int> P(A.size());
    std::iota(P.begin(), P.end(), 1);
    do {
        bool fits = true;
        for (std::size_t i = 0; i < P.size(); ++i) fits = fits && A[P[i] - 1][i] != 0.0;
        if (fits) return P;
    } while (std::next_permutation(P.begin(), P.end()));
    return {};
}

// Two orders eliminate in different sequences and round differently, so a result
// equal to the bit to that of the rows put in the trial's order shows that Calc took
// that order; where the trial finds none, Calc must give False.
TEST(cMatrixTest, RowOrderIsTheLiteralTrialsOnEveryZeroPatternUpToFourAndRandomOnesUpToSeven) {
    std::mt19937_64 gen(5);
    for (int n = 1; n <= 7; ++n) {
        Rows full(n, std::vector<double>(n)), A;
        std::vector<double> b(n);
        for (auto& row : full)
            for (double& v : row) v = Coefficient(gen);
        for (double& v : b) v = Coefficient(gen);
        for (unsigned pattern = 0; pattern < (n <= 4 ? 1u << (n * n) : 60u); ++pattern) {
            A = full;
            for (int k = 0; k < n * n; ++k) {
                const bool zero = n <= 4 ? (pattern >> k & 1) : gen() % 10 < 3 + pattern % 5;
                if (zero) A[k / n][k % n] = 0.0;
            }
            // The rows in the trial's order, whose identity order is then valid.
            Rows PA;
            std::vector<double> Pb;
            for (int p : FirstOrderByTrial(A)) {
                PA.push_back(A[p - 1]);
                Pb.push_back(b[p - 1]);
            }
            EXPECT_EQ(PA.empty() ? kFalse : Solve(Make(PA, Pb)), Solve(Make(A, b))) << "N = " << n << ", pattern " << pattern;
        }
    }
}

}  // namespace
}  // namespace tervanix
