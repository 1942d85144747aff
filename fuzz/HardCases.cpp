#include "HardCases.h"

#include <cmath>
#include <cstdint>

#include "../tools/rounding/HardCase.h"

namespace differential {

namespace {

// cGeom's pi (cGeom.PI), which DegToRad multiplies by.
constexpr double kClassPi = 0x1.921fb54442d11p+1;

// The angle in degrees whose (theta * pi) / 180 is x, searched next to x * 180 / pi;
// NaN when none is, or when it is one of the angles PolarToCart takes apart.
double DegreesFor(double x) {
    double up = x * 180.0 / kClassPi, down = up;
    for (int step = 0; step <= 8; ++step) {
        for (const double theta : {up, down}) {
            if ((theta * kClassPi) / 180.0 == x && theta != 0.0 && theta != 90.0 && theta != 180.0 && theta != 270.0) {
                return theta;
            }
        }
        up = std::nextafter(up, HUGE_VAL);
        down = std::nextafter(down, -HUGE_VAL);
    }
    return NAN;
}

std::vector<double> Degrees(const std::vector<double>& radians) {
    std::vector<double> degrees;
    for (const double x : radians) {
        const double theta = DegreesFor(x);
        if (theta == theta) degrees.push_back(theta);
    }
    return degrees;
}

}  // namespace

const std::vector<double>& HardCases(Elementary f) {
    using namespace rounding;
    static const std::vector<double> lists[] = {ArgumentsOf(kLogHardCases), ArgumentsOf(kExp2HardCases),
                                                ArgumentsOf(kExp10HardCases), ArgumentsOf(kSinHardCases),
                                                ArgumentsOf(kCosHardCases), ArgumentsOf(kAtanHardCases)};
    return lists[static_cast<int>(f)];
}

const std::vector<double>& HardDegrees(Elementary f) {
    static const std::vector<double> sin = Degrees(HardCases(Elementary::kSin));
    static const std::vector<double> cos = Degrees(HardCases(Elementary::kCos));
    static const std::vector<double> none;
    return f == Elementary::kSin ? sin : f == Elementary::kCos ? cos : none;
}

std::string CompareHardCases(std::size_t& calls) {
    Log normal, reference;
    RunNormalHardCases(normal);
    RunReferenceHardCases(reference);
    calls = normal.lines.size();
    for (std::size_t k = 0; k < normal.lines.size() || k < reference.lines.size(); ++k) {
        const std::string a = k < normal.lines.size() ? normal.lines[k] : "(no call)";
        const std::string b = k < reference.lines.size() ? reference.lines[k] : "(no call)";
        if (a != b) return "hard case " + std::to_string(k + 1) + "\n  normal build:    " + a + "\n  reference build: " + b;
    }
    return {};
}

}  // namespace differential
