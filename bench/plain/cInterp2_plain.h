// cInterp2's lookups written plainly over std::vector, without bound, overflow or
// fault checks: the same steps (table check, sort pass, order checks, bracket
// search, formulas), subscript i of a table being element i - 1 of its vector.
#pragma once

#include <vector>

namespace plain {

bool Interp2D(std::vector<double>& x, std::vector<double>& y, bool allowExtrap, double X, double& Y);

// z holds ZValues(i, j) at (i - 1) * ny + (j - 1).
bool Interp3D(const std::vector<double>& x, const std::vector<double>& y, const std::vector<double>& z,
              bool allowExtrap, double X, double Y, double& Z);

// z holds ZValues(i, j, k) at ((i - 1) * nx + (j - 1)) * ny + (k - 1).
bool Interp4D(const std::vector<double>& w, const std::vector<double>& x, const std::vector<double>& y,
              const std::vector<double>& z, bool allowExtrap, double W, double X, double Y, double& Z);

}  // namespace plain
