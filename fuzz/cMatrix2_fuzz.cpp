// Sequences of calls on cMatrix2 objects: sizes that are taken, ignored (0,
// negative) or fail for want of memory, elements at any address, and copies. After
// a failed size change the matrix keeps the new counts and has no store: it must
// read 0.0 everywhere and ignore writes.
#include <limits>

#include "FuzzInput.h"

using namespace fuzz;

namespace {

// Beyond the allocation cap of the fuzz build, or beyond any address space.
constexpr Long kTooBig[] = {1 << 24, 1 << 30, std::numeric_limits<Long>::max()};

Long AnyCount(Input& in) {
    switch (in.Pick(4)) {
        case 0: return kTooBig[in.Pick(3)];
        case 1: return in.Flag() ? in.AnyLong() % 4 : std::numeric_limits<Long>::min();  // 0 or below, or small
        default: return 1 + in.Pick(kMaxExtent + 2);
    }
}

void CheckWithoutStore(Input& in, cMatrix2& m) {
    const Long row = in.AnyLong();
    const Long col = in.AnyLong();
    m.PutData(row, col, 1.0);
    if (m.GetData(row, col) != 0.0 || m.GetData(1, 1) != 0.0) Finding("a matrix without a store holds a value", "");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    cMatrix2 matrix[2];
    while (in.More()) {
        const int operation = in.Pick(6);
        cMatrix2& m = matrix[in.Pick(2)];
        const Long count = AnyCount(in);
        const Long row = in.Flag() ? in.Pick(kMaxExtent + 4) - 1 : in.AnyLong();
        const Long col = in.Flag() ? in.Pick(kMaxExtent + 4) - 1 : in.AnyLong();
        const Double value = in.AnyDouble();
        const auto error = Checked(in, [&] {
            switch (operation) {
                case 0: m.NumRows(count); break;
                case 1: m.NumCols(count); break;
                case 2: m.PutData(row, col, value); break;
                case 3: m.GetData(row, col); break;
                case 4: matrix[0] = matrix[1]; break;
                default: matrix[1] = cMatrix2(m); break;
            }
        });
        if (error == ErrorKind::OutOfMemory && operation < 2) {
            if ((operation == 0 ? m.NumRows() : m.NumCols()) != count) Finding("a failed size change lost its count", "");
            CheckWithoutStore(in, m);
            m = cMatrix2();  // every later loop over this matrix would run over the new counts
        }
    }
    return 0;
}
