// Every operation of CInterpolation, on the shared instance or an own one, with
// hostile numbers, tables of any bounds (the same array as X and Y too), any
// BoundaryCondition value and outputs that alias each other.
#include <tuple>

#include "FuzzInput.h"

using namespace fuzz;

namespace {
BoundaryCondition AnyCondition(Input& in) {
    return static_cast<BoundaryCondition>(in.Flag() ? in.Pick(3) : in.AnyLong());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const CInterpolation own;
    const CInterpolation& ip = in.Flag() ? CInterpolation::Default() : own;
    Double out[2] = {0.0, 0.0};
    Integer index[2] = {0, 0};
    Boolean flag;
    DoubleArray x = in.AnyArray();
    DoubleArray y = in.AnyArray();
    while (in.More()) {
        const int operation = in.Pick(11);
        const auto d = in.Doubles<20>();
        Double& o1 = out[in.Pick(2)];
        Double& o2 = out[in.Pick(2)];
        DoubleArray& table = in.Flag() ? x : y;
        DoubleArray& values = in.Flag() ? y : table;
        const BoundaryCondition condition = AnyCondition(in);
        Checked(in, [&] {
            switch (operation) {
                case 0: CheckBoolean(ip.BoundedBy(d[0], d[1], d[2])); break;
                case 1: ip.LinearInterpolation1Way(d[0], d[1], d[2]); break;
                case 2: ip.LinearInterpolation2Way(d[0], d[1], d[2], d[3], d[4], d[5]); break;
                case 3: ip.LinearInterpolation3Way(d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], d[8], d[9], d[10]); break;
                case 4: std::apply([&](auto... v) { ip.LinearInterpolation4Way(v...); }, d); break;
                case 5: CheckBoolean(ip.InterpolationRatio(d[0], d[1], d[2], o1)); break;
                case 6: CheckBoolean(ip.LinearExtrapolation1Way(d[0], d[1], d[2], d[3], d[4], o1)); break;
                case 7:
                    CheckBoolean(ip.LinearExtrapolation2Way(d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], d[8],
                                                            d[9], d[10], d[11], o1));
                    break;
                case 8: CheckBoolean(ip.InterpolationOf1DArray(d[0], table, values, condition, o2)); break;
                case 9:
                    CheckBoolean(ip.InterpolationIndices(d[0], table, condition, index[in.Pick(2)],
                                                         index[in.Pick(2)], o2, flag));
                    CheckBoolean(flag);
                    break;
                default: (in.Flag() ? x : y) = in.AnyArray(); break;
            }
        });
    }
    return 0;
}
