// The operations that test their formulas once against the same steps taken one by
// one, over a grid of special values: the same value to the bit, or the same error
// with the same message.
#include <Tervanix/CInterpolation.h>
#include <Tervanix/CSort.h>
#include <Tervanix/cGenUtil.h>
#include <Tervanix/cGeom.h>
#include <Tervanix/cMatrixOps.h>
#include <Tervanix/runtime/Checked.h>
#include <Tervanix/runtime/MathFunctions.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "plain/cMatrixOps_plain.h"

namespace tervanix {
namespace {

using testing::Bits;
using testing::kInf;
using testing::kMax;
using testing::kNaN;

const std::vector<double> kSpecial = {0.0, -0.0, 1.0, -2.5, 0.5, 5e-324, 2.2e-308, kMax, -kMax, 1e308, kInf, -kInf, kNaN};

// What the call returned, or its error's kind and message (without the method
// named, which differs by design between a method and its steps).
std::string TextOf(const std::function<std::string()>& call) {
    try {
        return call();
    } catch (const LibraryError& e) {
        return std::string("error ") + KindName(e.kind()) + ": " + e.message();
    }
}

// The call's value to the bit, or its error.
std::string Result(const std::function<double()>& call) {
    return TextOf([&] { return std::to_string(Bits(call())); });
}

// The call's value, or its error's kind alone: where a sum of powers underflows to 0,
// the library's message names the sum and the steps' message the logarithm.
std::string ValueOrKind(const std::function<double()>& call) {
    const std::string result = Result(call);
    return result.substr(0, result.find(':'));
}

TEST(FastPaths, NestedInterpolationsEqualTheirOneWaySteps) {
    const CInterpolation& in = CInterpolation::Default();
    const auto two = [&](const double* c, double fx, double fy) {
        const double a = in.LinearInterpolation1Way(c[0], c[2], fx);
        const double b = in.LinearInterpolation1Way(c[1], c[3], fx);
        return in.LinearInterpolation1Way(a, b, fy);
    };
    const auto three = [&](const double* c, double fx, double fy, double fz) {
        const double a = two(c, fx, fy);
        const double b = two(c + 4, fx, fy);
        return in.LinearInterpolation1Way(a, b, fz);
    };
    const auto four = [&](const double* c, double fx, double fy, double fz, double fa) {
        const double a = three(c, fx, fy, fz);
        const double b = three(c + 8, fx, fy, fz);
        return in.LinearInterpolation1Way(a, b, fa);
    };
    // Corners of ordinary values, one of them replaced in turn by each special value.
    for (std::size_t corner = 0; corner < 16; ++corner) {
        for (const double special : kSpecial) {
            for (const double fraction : {0.0, 0.25, 1.0, -3.0, 1e300, kInf, kNaN}) {
                double c[16];
                for (std::size_t k = 0; k < 16; ++k) c[k] = 1.5 * static_cast<double>(k) - 7.0;
                c[corner] = special;
                const double f = corner % 2 == 0 ? fraction : 0.75;
                const std::string where = "corner " + std::to_string(corner) + " = " + std::to_string(special) +
                                          ", fraction " + std::to_string(fraction);
                EXPECT_EQ(Result([&] { return two(c, f, 0.5); }),
                          Result([&] { return in.LinearInterpolation2Way(c[0], c[1], c[2], c[3], f, 0.5); }))
                    << where;
                EXPECT_EQ(Result([&] { return three(c, 0.5, f, fraction); }),
                          Result([&] {
                              return in.LinearInterpolation3Way(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], 0.5, f,
                                                                fraction);
                          }))
                    << where;
                EXPECT_EQ(Result([&] { return four(c, f, 0.5, 0.25, fraction); }),
                          Result([&] {
                              return in.LinearInterpolation4Way(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8],
                                                                c[9], c[10], c[11], c[12], c[13], c[14], c[15], f, 0.5,
                                                                0.25, fraction);
                          }))
                    << where;
            }
        }
    }
}

// InterpolationOf1DArray by its public steps: the pair sort on Variants, then
// InterpolationIndices and the interpolation or extrapolation.
std::string TableLookUpStepByStep(double t, DoubleArray& x, DoubleArray& y, BoundaryCondition mode, double& out) {
    const CInterpolation& in = CInterpolation::Default();
    Variant vx = Variant::RefTo(x), vy = Variant::RefTo(y);
    CSort().BubbleSortXYPairsByX(vx, vy);
    Integer i1 = 0, i2 = 0;
    double f = 0;
    Boolean outside = False;
    if (!in.InterpolationIndices(t, x, mode, i1, i2, f, outside)) return "False";
    if (!outside) {
        out = in.LinearInterpolation1Way(y(i1), y(i2), f);
    } else if (mode == EXTRAPOLATE_FIXEDENDPT) {
        out = y(i2);
    } else if (mode == EXTRAPOLATE_LINEARLY) {
        in.LinearExtrapolation1Way(x(i1), y(i1), x(i2), y(i2), t, out);
    }
    return "True";
}

TEST(FastPaths, TableLookUpEqualsItsStepsOneByOne) {
    const CInterpolation& in = CInterpolation::Default();
    for (std::size_t at = 0; at < 4; ++at) {
        for (const double special : kSpecial) {
            for (const Long lower : {1, -32768, 32764}) {
                std::vector<double> xs = {4.0, -1.0, 2.0, 2.0};
                xs[at] = special;
                std::vector<double> targets = kSpecial;
                targets.insert(targets.end(), {4.0, -1.0, 2.0, 3.0, -5.0, 9.0});
                for (const double t : targets) {
                    for (const BoundaryCondition mode : {NO_EXTRAPOLATION, EXTRAPOLATE_LINEARLY, EXTRAPOLATE_FIXEDENDPT}) {
                        DoubleArray x1 = DoubleArray(lower, xs), y1 = DoubleArray(lower, {1.0, kMax, -3.0, 0.5});
                        DoubleArray x2 = x1, y2 = y1;
                        double expected = 9, actual = 9;
                        const std::string outcome = TextOf([&] { return TableLookUpStepByStep(t, x1, y1, mode, expected); });
                        const std::string got = TextOf([&] { return in.InterpolationOf1DArray(t, x2, y2, mode, actual) ? "True" : "False"; });
                        const std::string where = std::to_string(special) + " at " + std::to_string(at) + ", target " +
                                                  std::to_string(t) + ", lower " + std::to_string(lower);
                        EXPECT_EQ(outcome, got) << where;
                        EXPECT_EQ(Bits(expected), Bits(actual)) << where;
                    }
                }
            }
        }
    }
}

TEST(FastPaths, DecimalLogarithmsEqualTheirStepsOneByOne) {
    const cGenUtil util;
    const auto log10 = [](double x) { return rt::Stored(rt::Log(x) / rt::Fp(rt::kLogOf10)); };
    EXPECT_EQ(Bits(rt::kLogOf10), Bits(rt::Stored(rt::Log(10.0))));  // the constant is Log(10.0)
    std::vector<double> values = kSpecial;
    // 308.2 and 3080: each power in range, their sum beyond it.
    for (const double v : {-400.0, 400.0, 308.3, 308.26, 308.2, -323.5, -330.0, 3080.0, -3300.0, 1e-320}) values.push_back(v);
    for (const double x : values) {
        EXPECT_EQ(Result([&] { return log10(x); }), Result([&] { return util.Log10(x); })) << x;
        for (const double y : values) {
            const std::string where = std::to_string(x) + ", " + std::to_string(y);
            EXPECT_EQ(ValueOrKind([&] {
                          const double p1 = rt::Power(10.0, x), p2 = rt::Power(10.0, y);
                          return log10(rt::Stored(rt::Fp(p2) + p1));
                      }),
                      ValueOrKind([&] { return util.Log10Sum(x, y); }))
                << where;
            EXPECT_EQ(ValueOrKind([&] {
                          const double p1 = rt::Power(10.0, rt::Stored(rt::Fp(x) / 10.0));
                          const double p2 = rt::Power(10.0, rt::Stored(rt::Fp(y) / 10.0));
                          return rt::Stored(rt::Fp(log10(rt::Stored(rt::Fp(p2) + p1))) * 10.0);
                      }),
                      ValueOrKind([&] { return util.LogDBSum(x, y); }))
                << where;
        }
    }
}

// Intersect3Planes by its public steps, each value stored in turn: the result, and
// the point as left.
std::string Intersect3PlanesStepByStep(const double* p, double& X, double& Y, double& Z) {
    const cGeom g;
    double n23[3], n31[3], n12[3];
    g.CrossProduct(p[4], p[5], p[6], p[8], p[9], p[10], n23[0], n23[1], n23[2]);
    const double den = g.DotProduct(p[0], p[1], p[2], n23[0], n23[1], n23[2]);
    if (!(den < 0.0 || den > 0.0)) return "False";
    g.CrossProduct(p[8], p[9], p[10], p[0], p[1], p[2], n31[0], n31[1], n31[2]);
    g.CrossProduct(p[0], p[1], p[2], p[4], p[5], p[6], n12[0], n12[1], n12[2]);
    double m[3], t[3][3];
    for (int n = 0; n < 3; ++n) m[n] = rt::Stored(rt::Fp(p[4 * n + 3]) * -1.0);
    for (int n = 0; n < 3; ++n) t[0][n] = rt::Stored(rt::Fp(m[0]) * n23[n]);
    for (int n = 0; n < 3; ++n) t[1][n] = rt::Stored(rt::Fp(m[1]) * n31[n]);
    for (int n = 0; n < 3; ++n) t[2][n] = rt::Stored(rt::Fp(m[2]) * n12[n]);
    double* out[3] = {&X, &Y, &Z};
    for (int n = 0; n < 3; ++n) rt::Assign(*out[n], ((rt::Fp(t[0][n]) + t[1][n]) + t[2][n]) / den);
    return "True";
}

TEST(FastPaths, Intersect3PlanesEqualsItsStepsOneByOne) {
    const cGeom g;
    for (std::size_t at = 0; at < 12; ++at) {
        for (const double special : kSpecial) {
            double p[12] = {1, 2, 3, -4, 0.5, -1, 2, 7, 3, 1, -1, 2.5};
            p[at] = special;
            double expected[3] = {9, 9, 9}, actual[3] = {9, 9, 9};
            const std::string outcome =
                TextOf([&] { return Intersect3PlanesStepByStep(p, expected[0], expected[1], expected[2]); });
            const std::string got = TextOf([&] {
                return g.Intersect3Planes(p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], p[8], p[9], p[10], p[11],
                                          actual[0], actual[1], actual[2]) ? "True" : "False";
            });
            const std::string where = std::to_string(special) + " at " + std::to_string(at);
            EXPECT_EQ(outcome, got) << where;
            for (int n = 0; n < 3; ++n) EXPECT_EQ(Bits(expected[n]), Bits(actual[n])) << where << ", coordinate " << n;
        }
    }
}

// Each element of the product summed step by step from k = 1, every step tested, in
// the order (1, 1), (1, 2), ...; the first faulting step ends the product, with the
// elements before it written.
struct Product {
    std::vector<double> elements;
    bool faulted = false;
};
Product StepByStep(const std::vector<double>& a, const std::vector<double>& b, Long rows, Long inner, Long cols) {
    Product p{std::vector<double>(static_cast<std::size_t>(rows * cols), 0.0)};
    for (Long i = 0; i < rows; ++i) {
        for (Long j = 0; j < cols; ++j) {
            double s = 0.0;
            for (Long k = 0; k < inner; ++k) {
                const rt::Fp step = rt::Fp(b[static_cast<std::size_t>(k * cols + j)]) * a[static_cast<std::size_t>(i * inner + k)] + s;
                if (step.faults() != rt::kNoFault) {
                    p.faulted = true;
                    return p;
                }
                s = step.value();
            }
            p.elements[static_cast<std::size_t>(i * cols + j)] = s;
        }
    }
    return p;
}

TEST(FastPaths, MatrixProductRowsEqualTheElementsSummedStepByStep) {
    const cMatrixOps ops;
    for (Long rows = 1; rows <= 5; ++rows) {
        for (const Long inner : {1, 2, 3}) {
            for (const Long cols : {1, 2, 5}) {
                for (std::size_t at = 0; at < static_cast<std::size_t>((rows + cols) * inner); ++at) {
                    for (const double special : kSpecial) {
                        std::vector<double> a(static_cast<std::size_t>(rows * inner)), b(static_cast<std::size_t>(inner * cols));
                        for (std::size_t n = 0; n < a.size(); ++n) a[n] = 0.5 + static_cast<double>(n % 7);
                        for (std::size_t n = 0; n < b.size(); ++n) b[n] = 1e307 * static_cast<double>(n % 3);
                        (at < a.size() ? a[at] : b[at - a.size()]) = special;
                        auto A = std::make_shared<cMatrix2>(), B = std::make_shared<cMatrix2>();
                        A->NumRows(rows); A->NumCols(inner); B->NumRows(inner); B->NumCols(cols);
                        for (Long n = 0; n < rows * inner; ++n) A->PutData(n / inner + 1, n % inner + 1, a[static_cast<std::size_t>(n)]);
                        for (Long n = 0; n < inner * cols; ++n) B->PutData(n / cols + 1, n % cols + 1, b[static_cast<std::size_t>(n)]);
                        const Product expected = StepByStep(a, b, rows, inner, cols);
                        std::shared_ptr<cMatrix2> AB;
                        bool faulted = false;
                        try {
                            ops.MatrixMult(A, B, AB);
                        } catch (const LibraryError& e) {
                            faulted = e.kind() == ErrorKind::FloatingPointFault;
                        }
                        const std::string where = std::to_string(rows) + "x" + std::to_string(inner) + "x" +
                                                  std::to_string(cols) + ", " + std::to_string(special) + " at " +
                                                  std::to_string(at);
                        EXPECT_EQ(expected.faulted, faulted) << where;
                        for (Long n = 0; n < rows * cols; ++n) {
                            EXPECT_EQ(Bits(expected.elements[static_cast<std::size_t>(n)]), Bits(AB->GetData(n / cols + 1, n % cols + 1)))
                                << where << ", element " << n;
                        }
                    }
                }
            }
        }
    }
}

// MatrixInvert, which updates a row at once and redoes it step by step only when a
// value is not finite, against the inversion written out with every operation tested
// (bench/plain): the same True or False, the same error kind, the same inverse.
TEST(FastPaths, MatrixInvertEqualsTheInversionStepByStep) {
    const cMatrixOps ops;
    const std::vector<std::vector<double>> bases = {
        {2, 1, 0, 1, 3, 1, 0, 1, 4},
        {0, 1, 2, 1, 0, 1, 2, 1, 0},  // zeros on the diagonal: rows are added before the elimination
        {1e308, 1, 1, 1, -1e308, 1, 1, 1, 1e-308},
    };
    for (const std::vector<double>& base : bases) {
        for (std::size_t at = 0; at < base.size(); ++at) {
            for (const double special : kSpecial) {
                std::vector<double> m = base;
                m[at] = special;
                std::vector<double> expected;
                std::string expectedOutcome;
                try {
                    expectedOutcome = plain::MatrixInvertFaultTested(m, expected, 3) ? "True" : "False";
                } catch (const LibraryError& e) {
                    expectedOutcome = KindName(e.kind());
                }
                auto A = std::make_shared<cMatrix2>();
                A->NumRows(3);
                A->NumCols(3);
                for (Long n = 0; n < 9; ++n) A->PutData(n / 3 + 1, n % 3 + 1, m[static_cast<std::size_t>(n)]);
                std::shared_ptr<cMatrix2> inverse;
                std::string outcome;
                try {
                    outcome = ops.MatrixInvert(A, inverse) ? "True" : "False";
                } catch (const LibraryError& e) {
                    outcome = KindName(e.kind());
                }
                const std::string where = std::to_string(special) + " at " + std::to_string(at);
                ASSERT_EQ(expectedOutcome, outcome) << where;
                if (outcome != "True") continue;
                for (Long n = 0; n < 9; ++n) {
                    EXPECT_SAME_DOUBLE(expected[static_cast<std::size_t>(n)], inverse->GetData(n / 3 + 1, n % 3 + 1))
                        << where << ", element " << n;
                }
            }
        }
    }
}

}  // namespace
}  // namespace tervanix
