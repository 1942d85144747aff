// cInterp2 at work: a pump curve measured in no particular order, looked up inside
// and beyond its ends, and the efficiency map of a motor against speed and torque,
// then against supply voltage as well.
#include <iomanip>
#include <iostream>

#include <Tervanix/Tervanix.h>

#include "Sections.h"

using namespace tervanix;

namespace {

void PrintArray(const char* name, const DoubleArray& a) {
    std::cout << name << " =";
    for (Long i = a.LBound(); i <= a.UBound(); ++i) std::cout << ' ' << a(i);
    std::cout << '\n';
}

void PumpCurve() {
    // Head (m) against flow (m3/h), in the order the readings were taken.
    DoubleArray flow(1, 5), head(1, 5);
    const Double flows[] = {40, 0, 20, 50, 30}, heads[] = {21.5, 32, 28.5, 15, 25.5};
    for (Long i = 1; i <= 5; ++i) {
        flow(i) = flows[i - 1];
        head(i) = heads[i - 1];
    }
    const cInterp2 table;
    Double h = 0;
    const Double q = 35.0;
    table.Interp2D(flow, head, false, q, h);
    std::cout << "head at " << q << " m3/h: " << h << " m\n";
    PrintArray("flow, now sorted", flow);
    PrintArray("head, alongside ", head);

    // Beyond the last reading: no answer, the line of the last interval, or the end point.
    const Double beyond = 60.0;
    h = -1;
    const Boolean found = table.Interp2D(flow, head, false, beyond, h);
    std::cout << "head at " << beyond << " m3/h, extrapolation forbidden: " << found << " (h still " << h << ")\n";
    table.Interp2D_Extrap(flow, head, EXTRAP_LINEARLY, beyond, h);
    std::cout << "  extrapolated linearly: " << h << " m\n";
    table.Interp2D_Extrap(flow, head, EXTRAP_FIXEDENDPT, beyond, h);
    std::cout << "  held at the last reading: " << h << " m\n";
}

void MotorMap() {
    // Efficiency (%) at speed (rpm, first subscript) and torque (N m, second).
    DoubleArray speed(1, 3), torque(1, 3);
    DoubleArray2D efficiency(1, 3, 1, 3);
    const Double speeds[] = {1000, 2000, 3000}, torques[] = {10, 20, 40};
    const Double map[3][3] = {{82, 86, 84}, {85, 90, 88}, {83, 89, 87}};
    for (Long i = 1; i <= 3; ++i) {
        speed(i) = speeds[i - 1];
        torque(i) = torques[i - 1];
        for (Long j = 1; j <= 3; ++j) efficiency(i, j) = map[i - 1][j - 1];
    }
    const cInterp2 table;
    Double eta = 0;
    table.Interp3D(speed, torque, efficiency, false, 2500.0, 30.0, eta);
    std::cout << "efficiency at 2500 rpm, 30 N m: " << eta << " %\n";
    eta = -1;
    const Boolean found = table.Interp3D(speed, torque, efficiency, false, 3500.0, 30.0, eta);
    std::cout << "at 3500 rpm, extrapolation forbidden: " << found << " (eta still " << eta << ")\n";
    table.Interp3D(speed, torque, efficiency, true, 3500.0, 30.0, eta);
    std::cout << "  extrapolated from the edge cell: " << eta << " %\n";

    // The same map at two supply voltages (first subscript), the 400 V one a point lower.
    DoubleArray voltage(1, 2);
    voltage(1) = 380;
    voltage(2) = 400;
    DoubleArray3D byVoltage(1, 2, 1, 3, 1, 3);
    for (Long i = 1; i <= 3; ++i) {
        for (Long j = 1; j <= 3; ++j) {
            byVoltage(1, i, j) = map[i - 1][j - 1];
            byVoltage(2, i, j) = map[i - 1][j - 1] - 1;
        }
    }
    table.Interp4D(voltage, speed, torque, byVoltage, false, 390.0, 2500.0, 30.0, eta);
    std::cout << "efficiency at 390 V, 2500 rpm, 30 N m: " << eta << " %\n";
    table.Interp4D(voltage, speed, torque, byVoltage, true, 420.0, 2500.0, 30.0, eta);
    std::cout << "  at 420 V, extrapolated: " << eta << " %\n";
}

}  // namespace

void TableInterpolationSection() {
    std::cout << "== Table interpolation (cInterp2) ==\n" << std::setprecision(17);
    PumpCurve();
    MotorMap();
    std::cout << '\n';
}
