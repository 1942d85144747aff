// Bubble sorts written plainly over raw Doubles: the same comparisons and exchanges as
// CSort, stopping early in the same way, without Variants or checked subscripts.
#pragma once

namespace plain {

void BubbleSort(double* x, int n);
void BubbleSortPairs(double* x, double* y, int n);

}  // namespace plain
