// CInterpolation at work: the density of water read from a short table against
// temperature, entered out of order, inside the table and beyond both of its ends.
#include <iomanip>
#include <iostream>

#include <Tervanix/Tervanix.h>

#include "Sections.h"

using namespace tervanix;

namespace {

void PrintTable(const DoubleArray& temperature, const DoubleArray& density) {
    for (Long i = temperature.LBound(); i <= temperature.UBound(); ++i) {
        std::cout << "  " << std::setw(5) << temperature(i) << " C  " << density(i) << " kg/m3\n";
    }
}

const char* Name(BoundaryCondition condition) {
    switch (condition) {
        case NO_EXTRAPOLATION: return "NO_EXTRAPOLATION";
        case EXTRAPOLATE_LINEARLY: return "EXTRAPOLATE_LINEARLY";
        case EXTRAPOLATE_FIXEDENDPT: return "EXTRAPOLATE_FIXEDENDPT";
    }
    return "?";
}

}  // namespace

void TableLookupSection() {
    std::cout << "== Table lookup (CInterpolation) ==\n" << std::setprecision(6);

    // Liquid water at atmospheric pressure, as typed in from two sources: out of order.
    const Double temperatures[] = {20, 80, 0, 40, 100, 10, 60};
    const Double densities[] = {998.21, 971.80, 999.84, 992.22, 958.35, 999.70, 983.20};
    DoubleArray temperature(1, 7), density(1, 7);
    for (Long i = 1; i <= 7; ++i) {
        temperature(i) = temperatures[i - 1];
        density(i) = densities[i - 1];
    }
    std::cout << "as entered:\n";
    PrintTable(temperature, density);

    // The shared instance serves without creating one. The lookup sorts the caller's
    // table by temperature in place, each density moving with its temperature.
    const CInterpolation& table = CInterpolation::Default();
    Double rho = 0;
    table.InterpolationOf1DArray(30.0, temperature, density, NO_EXTRAPOLATION, rho);
    std::cout << "after the first lookup the table is in order:\n";
    PrintTable(temperature, density);
    std::cout << "density at 30 C: " << rho << " kg/m3 (halfway between 20 C and 40 C)\n";

    // Beyond the table: superheated liquid at 110 C, and supercooled at -5 C.
    for (Double t : {110.0, -5.0}) {
        for (BoundaryCondition condition : {NO_EXTRAPOLATION, EXTRAPOLATE_LINEARLY, EXTRAPOLATE_FIXEDENDPT}) {
            rho = 0;
            const Boolean found = table.InterpolationOf1DArray(t, temperature, density, condition, rho);
            std::cout << "density at " << std::setw(4) << t << " C with " << std::setw(22) << std::left
                      << Name(condition) << std::right << ": ";
            if (found) {
                std::cout << rho << " kg/m3\n";
            } else {
                std::cout << "no value (False)\n";
            }
        }
    }

    // Where the lookup finds 30 C, without sorting (the table is in order now).
    Integer below = 0, above = 0;
    Double fraction = 0;
    Boolean outside = false;
    table.InterpolationIndices(30.0, temperature, NO_EXTRAPOLATION, below, above, fraction, outside);
    std::cout << "30 C lies between positions " << below << " and " << above << " at fraction " << fraction
              << "\n\n";
}
