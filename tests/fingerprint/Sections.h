// One section per class; each feeds the digest with thousands of results.
#pragma once

#include "Digest.h"

namespace fingerprint {

void GeneralUtilities(Digest& d);
void SimultaneousEquations(Digest& d);

}  // namespace fingerprint
