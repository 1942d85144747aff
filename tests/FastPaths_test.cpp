// The operations that test their formulas once against the same steps taken one by
// one, over a grid of special values: the same value to the bit, or the same error
// with the same message.
#include <Tervanix/CInterpolation.h>

#include <functional>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace tervanix {
namespace {

using testing::Bits;
using testing::kInf;
using testing::kMax;
using testing::kNaN;

const std::vector<double> kSpecial = {0.0, -0.0, 1.0, -2.5, 0.5, 5e-324, 2.2e-308, kMax, -kMax, 1e308, kInf, -kInf, kNaN};

// The call's value, or its error's message.
std::string Result(const std::function<double()>& call) {
    try {
        const double v = call();
        return std::to_string(Bits(v));
    } catch (const LibraryError& e) {
        return std::string("error ") + e.what();
    }
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

}  // namespace
}  // namespace tervanix
