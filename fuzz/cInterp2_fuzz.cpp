// Every operation of cInterp2 with tables and grids of any bounds (the same array as
// X and Y too), grids of values whose bounds match their axes or not, any Boolean
// and BoundaryCondition2 value, and an output that is also the lookup's input.
#include "FuzzInput.h"

using namespace fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const cInterp2 interp;
    DoubleArray axis[3] = {in.AnyArray(kMaxExtent), in.AnyArray(kMaxExtent), in.AnyArray(kMaxExtent)};
    DoubleArray2D grid2 = in.AnyGrid(axis[0], axis[1]);
    DoubleArray3D grid3 = in.AnyGrid(axis[0], axis[1], axis[2]);
    Double value[2] = {in.AnyDouble(), in.AnyDouble()};
    while (in.More()) {
        const int operation = in.Pick(7);
        DoubleArray& a = axis[in.Pick(3)];
        DoubleArray& b = axis[in.Pick(3)];
        DoubleArray& c = axis[in.Pick(3)];
        const Boolean extrapolate = in.AnyBoolean();
        const auto d = in.Doubles<3>();
        Double& result = value[in.Pick(2)];
        const Double& target = in.Flag() ? value[in.Pick(2)] : d[0];
        Checked(in, [&] {
            switch (operation) {
                case 0: interp.SortXYPairsByX(a, b); break;
                case 1: CheckBoolean(interp.Interp2D(a, b, extrapolate, target, result)); break;
                case 2: CheckBoolean(interp.Interp3D(a, b, grid2, extrapolate, target, d[1], result)); break;
                case 3: CheckBoolean(interp.Interp4D(a, b, c, grid3, extrapolate, target, d[1], d[2], result)); break;
                case 4: {
                    const auto method = static_cast<BoundaryCondition2>(in.Flag() ? in.Pick(3) : in.AnyLong());
                    CheckBoolean(interp.Interp2D_Extrap(a, b, method, target, result));
                    break;
                }
                case 5: a = in.AnyArray(kMaxExtent); break;
                default:
                    grid2 = in.AnyGrid(a, b);
                    grid3 = in.AnyGrid(a, b, c);
                    break;
            }
        });
    }
    return 0;
}
