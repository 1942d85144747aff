// One section per class; each feeds the digest with thousands of results.
#pragma once

#include "Digest.h"

namespace fingerprint {

void GeneralUtilities(Digest& d);
void Interpolation(Digest& d);
void Sorting(Digest& d);
void MatrixContainer(Digest& d);
void MatrixOperations(Digest& d);
void TableInterpolation(Digest& d);
void Geometry(Digest& d);
void SimultaneousEquations(Digest& d);

}  // namespace fingerprint
