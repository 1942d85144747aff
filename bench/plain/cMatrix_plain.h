// cMatrix.Calc written plainly, without fault tests or bounds checks, for a system
// whose identity order is valid (a dense one): the yardstick for the cost of the
// library's checks. A is held by rows, n x n.
#pragma once

#include <vector>

namespace plain {

// The same steps as Calc: working copies, forward elimination, back substitution.
// False when the identity order has a zero on the diagonal or the equations are
// dependent.
bool SolveInIdentityOrder(int n, const std::vector<double>& A, const std::vector<double>& b, std::vector<double>& x);

}  // namespace plain
