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

// The batch lookups: each pair of sections, single calls and batch call, has one digest.
void Lookup1DSingle(Digest& d);
void Lookup1DBatch(Digest& d);
void Lookup2DSingle(Digest& d);
void Lookup2DBatch(Digest& d);
void LookupGridsSingle(Digest& d);
void LookupGridsBatch(Digest& d);

void SharedSorting(Digest& d);
void SharedInterpolation(Digest& d);
void SharedGeometry(Digest& d);
void SharedMatrices(Digest& d);
void SharedBatch(Digest& d);

}  // namespace fingerprint
