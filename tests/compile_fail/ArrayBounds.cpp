// Array bounds are whole numbers: each CASE below 1 to 3 must not compile, while
// CASE 0, the same arrays written correctly, must (so a failure for another reason,
// such as a missing header, cannot pass for the intended one).
#include <Tervanix/runtime/Array.h>

using tervanix::DoubleArray;

void Make() {
#if CASE == 0
    DoubleArray y{10, 20};
    DoubleArray z(1, 3);
    DoubleArray w(1, {1.0, 3.0});
#elif CASE == 1
    DoubleArray y{10.0, 20.0};
#elif CASE == 2
    DoubleArray z(1.0, 3.0);
#elif CASE == 3
    DoubleArray w(1.0, {1.0, 3.0});
#endif
}
