// One section per class; each feeds the digest with thousands of results.
#pragma once

#include "Digest.h"

// The sections of the eight classes, in the order of expected.txt: X(name, function).
// The Windows component's client (com/client) computes these through IDispatch.
#define TERVANIX_FINGERPRINT_CLASS_SECTIONS(X)      \
    X("cGenUtil", fingerprint::GeneralUtilities)     \
    X("CInterpolation", fingerprint::Interpolation)  \
    X("CSort", fingerprint::Sorting)                 \
    X("cMatrix2", fingerprint::MatrixContainer)      \
    X("cMatrixOps", fingerprint::MatrixOperations)   \
    X("cInterp2", fingerprint::TableInterpolation)   \
    X("cGeom", fingerprint::Geometry)                \
    X("cMatrix", fingerprint::SimultaneousEquations)

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
