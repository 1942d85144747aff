#include <Tervanix/cMatrix.h>
#include <Tervanix/runtime/MessageBox.h>

#include <cstdio>
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
    bool ok = false;
    try {
        ok = static_cast<bool>(m.Calc(s));
    } catch (const LibraryError& e) {
        return KindName(e.kind());
    }
    std::vector<double> x;
    for (Long i = 1; i <= s->Count(); ++i) x.push_back(s->Item(i).AsDouble());
    return Outcome(ok, x);
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

TEST(cMatrixTest, CalcPutsANewCollectionIntoSolutionOnlyWhenItCompletes) {
    cMatrix m = Make({{1, 1}, {1, 0}}, {3, 1});
    std::shared_ptr<Collection> s;
    EXPECT_EQ(True, m.Calc(s));
    const std::shared_ptr<Collection> first = s;
    m.AddToMatrix(1, 1, 0);
    m.AddToMatrix(2, 1, 0);  // column 1 now all zeros
    EXPECT_EQ(False, m.Calc(s));
    EXPECT_NE(first, s);
    EXPECT_EQ(0, s->Count());
    const std::shared_ptr<Collection> before = s;
    m = Make({{1, 1}, {0.1, 1e308}}, {1, 1});
    EXPECT_LIBRARY_ERROR(ErrorKind::FloatingPointFault, m.Calc(s));
    EXPECT_EQ(before, s);
}

TEST(cMatrixTest, EntriesReplaceIgnoreAboveNFailBelowOneAndMatrixSizeClears) {
    cMatrix m = Make({{1, 5}, {0, 1}}, {1, 1});
    m.AddToMatrix(1, 1, 7);
    m.AddToMatrix(1, 1, 2);  // replaces, does not add
    m.AddToMatrix(3, 1, 99);
    m.AddToVector(3, 99);
    EXPECT_EQ(Solved({-2, 1}), Solve(m));  // (1 - 5 * 1) / 2
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, m.AddToMatrix(1, 0, 1));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, m.AddToVector(0, 1));
    m.MatrixSize(2);  // clears: only the entries made after it count
    m.AddToMatrix(1, 1, 1);
    m.AddToMatrix(2, 2, 1);
    m.AddToVector(1, 4);
    EXPECT_EQ(Solved({4, 0}), Solve(m));
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, cMatrix().AddToVector(1, 1));
    EXPECT_EQ("SubscriptOutOfRange", Solve(cMatrix()));
}

TEST(cMatrixTest, AFailedMatrixSizeStoresNAndKeepsTheArrays) {
    cMatrix m = Make({{2, 0}, {0, 2}}, {2, 4});
    EXPECT_LIBRARY_ERROR(ErrorKind::SubscriptOutOfRange, m.MatrixSize(-7));
    EXPECT_EQ("SubscriptOutOfRange", Solve(m));  // working data with bounds 1 to -7
    m.AddToVector(2, 1);  // the 2 x 2 arrays are still there
    // N x N elements beyond the address space; then 8e18 bytes, which no allocator
    // has (AddressSanitizer's ends the program instead of failing the allocation).
    EXPECT_LIBRARY_ERROR(ErrorKind::OutOfMemory, m.MatrixSize(2147483647));
    if (!kUnderAddressSanitizer) EXPECT_LIBRARY_ERROR(ErrorKind::OutOfMemory, m.MatrixSize(1000000000));
    m.AddToMatrix(2, 2, 1);
}

// The literal trial: every sequence of N row numbers in lexicographic order, the
// first without a duplicate and without a zero on the diagonal; empty if none.
std::vector<int> FirstOrderByTrial(const Rows& A) {
    const int n = static_cast<int>(A.size());
    std::vector<int> P(n);
    for (int i = 0; i < n; ++i) P[i] = i + 1;
    for (;;) {
        bool rejected = false;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j) rejected = rejected || P[i] == P[j];
        for (int i = 0; i < n && !rejected; ++i) rejected = A[P[i] - 1][i] == 0.0;
        if (!rejected) return P;
        int k = n - 1;
        while (k >= 0 && P[k] >= n) P[k--] = 1;
        if (k < 0) return {};
        ++P[k];
    }
}

// The system with its rows in the order P, whose identity order is then valid: Calc
// must treat it exactly as the original once it has found P.
std::string SolveInOrder(const Rows& A, const std::vector<double>& b, const std::vector<int>& P) {
    Rows PA;
    std::vector<double> Pb;
    for (int p : P) {
        PA.push_back(A[p - 1]);
        Pb.push_back(b[p - 1]);
    }
    return Solve(Make(PA, Pb));
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
            const std::vector<int> P = FirstOrderByTrial(A);
            EXPECT_EQ(P.empty() ? kFalse : SolveInOrder(A, b, P), Solve(Make(A, b))) << "N = " << n << ", pattern " << pattern;
        }
    }
}

TEST(cMatrixTest, HelpShowsFourTextsWithCarriageReturnLineFeedBetweenLines) {
    const std::vector<std::vector<String>> boxes = {
        {u"This class solves a system of N simultaneous equations.  The simultaneous equations are",
         u"represented by an N x N matrix.  The non-homogeneous terms are represented",
         u"by a N-sized vector.  The solution is returned as an N-sized vector inside a collection."},
        {u"The user must perform the following steps.", u"", u"    * Create an instance of the class.",
         u"    * Indicate the number of simultaneous equations by setting the MatrixSize property.",
         u"    * Populate the N x N matrix using the AddToMatrix method.",
         u"    * Populate the N-sized non-homogeneous vector using the AddToVector method.",
         u"    * Call for the solution using the Calc method.  The solution vector is returned in a collection."},
        {u"Setting the MatrixSize property clears the matrix and the vector, and resets their size",
         u"accordingly.  There is no limit on the size of the matrix.  Failure to",
         u"produce a solution is most likely caused by two or more of the simultaneous",
         u"equations being dependent."},
        {u"Build 1.0.0.1 of Tervanix was the first Tervanix DLL to contain this matrix class.",
         u"Build 1.0.0.2 of Tervanix fixed an error in which the original matrix & vector data was changed after each calculation.",
         u"Build 1.0.0.3 of Tervanix fixed an error in which the calculation successfully rearranged rows to eliminate zeroes",
         u"     on the diagonal (in most cases), but failed to rearrange the rows at all if there was a zero on the last diagonal."},
    };
    std::vector<String> shown;
    const rt::MessageSink previous = rt::SetMessageSink([&](const String& text) { shown.push_back(text); });
    cMatrix().HelpForProgrammer();
    rt::SetMessageSink(previous);
    ASSERT_EQ(boxes.size(), shown.size());
    for (std::size_t k = 0; k < boxes.size(); ++k) {
        String expected = boxes[k][0];
        for (std::size_t line = 1; line < boxes[k].size(); ++line) expected += u"\r\n" + boxes[k][line];
        EXPECT_EQ(expected, shown[k]) << "box " << k + 1;
    }
}

}  // namespace
}  // namespace tervanix
