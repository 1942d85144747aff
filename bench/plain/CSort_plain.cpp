#include "plain/CSort_plain.h"

namespace plain {

namespace {

// GCC turns the two loads and the two stores of an exchange into one 16-byte load
// and store, which the next comparison's overlapping load then waits for (a failed
// store-to-load forward). That makes the yardstick slower than the scalar code a
// plain bubble sort stands for, so GCC is asked for scalar code here.
#if defined(__GNUC__) && !defined(__clang__)
#define PLAIN_SCALAR __attribute__((optimize("no-tree-slp-vectorize")))
#else
#define PLAIN_SCALAR
#endif

template <bool kWithY>
PLAIN_SCALAR void Sort(double* x, double* y, int n) {
    int hi = n - 1;
    bool sorted = false;
    while (hi != 0 && !sorted) {
        sorted = true;
        for (int i = 0; i != hi; ++i) {
            const double a = x[i], b = x[i + 1];
            if (a > b) {
                x[i] = b;
                x[i + 1] = a;
                if (kWithY) {
                    const double t = y[i];
                    y[i] = y[i + 1];
                    y[i + 1] = t;
                }
                sorted = false;
            }
        }
        --hi;
    }
}

}  // namespace

void BubbleSort(double* x, int n) { Sort<false>(x, nullptr, n); }
void BubbleSortPairs(double* x, double* y, int n) { Sort<true>(x, y, n); }

}  // namespace plain
