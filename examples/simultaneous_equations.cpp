// cMatrix at work: the branch currents of a small resistor network, from Kirchhoff's
// laws written as three equations, once in a convenient order, once in an order that
// puts a zero on the diagonal, and once with two equations that say the same thing.
//
// A 12 V source drives I1 through R1 = 2 ohm into R2 = 3 ohm (I2) and R3 = 6 ohm
// (I3) in parallel:
//   node:        I1 -   I2 -   I3 = 0
//   outer loop: 2 I1 + 3 I2        = 12
//   inner loop:        3 I2 - 6 I3 = 0
#include <iomanip>
#include <iostream>
#include <memory>

#include <Tervanix/Tervanix.h>

#include "Sections.h"

using namespace tervanix;

namespace {

struct Equation {
    Double coefficients[3];
    Double constant;
};

void SolveAndPrint(const char* title, const Equation (&equations)[3]) {
    cMatrix network;
    network.MatrixSize(3);
    for (Long row = 1; row <= 3; ++row) {
        for (Long col = 1; col <= 3; ++col) network.AddToMatrix(row, col, equations[row - 1].coefficients[col - 1]);
        network.AddToVector(row, equations[row - 1].constant);
    }
    std::shared_ptr<Collection> currents;
    const Boolean solved = network.Calc(currents);
    std::cout << title << ": " << solved;
    for (Long i = 1; i <= currents->Count(); ++i) std::cout << (i == 1 ? "  " : ", ") << 'I' << i << " = " << currents->Item(i).AsDouble() << " A";
    std::cout << '\n';
}

}  // namespace

void SimultaneousEquationsSection() {
    std::cout << "== Simultaneous equations (cMatrix) ==\n" << std::setprecision(17);

    SolveAndPrint("node, outer loop, inner loop", {{{1, -1, -1}, 0}, {{2, 3, 0}, 12}, {{0, 3, -6}, 0}});

    // The inner loop first has no I1, so the rows are taken in the order (2, 1, 3);
    // the elimination then runs in another order and rounds differently.
    SolveAndPrint("inner loop, outer loop, node", {{{0, 3, -6}, 0}, {{2, 3, 0}, 12}, {{1, -1, -1}, 0}});

    // The node equation replaced by twice the inner loop: the currents are not fixed.
    SolveAndPrint("inner loop, outer loop, inner loop doubled", {{{0, 3, -6}, 0}, {{2, 3, 0}, 12}, {{0, 6, -12}, 0}});
    std::cout << '\n';
}
