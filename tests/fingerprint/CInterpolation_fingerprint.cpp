#include <Tervanix/CInterpolation.h>

#include "Sections.h"

namespace fingerprint {

using namespace tervanix;

namespace {

void Primitives(Digest& d, Inputs& in) {
    const CInterpolation& interp = CInterpolation::Default();
    for (int i = 0; i < 20000; ++i) {
        double v[20];
        for (double& x : v) x = in.Number();
        d.Add(interp.BoundedBy(v[0], v[1], v[2]));
        d.Add(interp.BoundedBy(v[3], v[3], v[4]));
        Try(d, [&] { d.Add(interp.LinearInterpolation1Way(v[0], v[1], v[2] / 1e3)); });
        Try(d, [&] { d.Add(interp.LinearInterpolation2Way(v[0], v[1], v[2], v[3], v[4] / 1e3, v[5] / 1e3)); });
        Try(d, [&] {
            d.Add(interp.LinearInterpolation3Way(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8] / 1e3,
                                                 v[9] / 1e3, v[10] / 1e3));
        });
        Try(d, [&] {
            d.Add(interp.LinearInterpolation4Way(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10],
                                                 v[11], v[12], v[13], v[14], v[15], v[16] / 1e3, v[17] / 1e3,
                                                 v[18] / 1e3, v[19] / 1e3));
        });
        // Every output is fed after the call, whether it ended in a result or an error.
        Double out = v[19];
        Try(d, [&] { d.Add(interp.InterpolationRatio(v[0], v[1], (i % 4 == 0) ? v[0] : v[2], out)); });
        d.Add(out);
        Try(d, [&] { d.Add(interp.LinearExtrapolation1Way(v[3], v[4], (i % 8 == 0) ? v[3] : v[5], v[6], v[7], out)); });
        d.Add(out);
        Try(d, [&] {
            d.Add(interp.LinearExtrapolation2Way(v[8], v[9], v[10], v[11], v[12], v[13], v[14], v[15], v[16], v[17],
                                                 v[18], (i % 4 == 0) ? v[12] : v[0], out));
        });
        d.Add(out);
    }
}

// Tables of up to seven points with bounds somewhere in the Integer range, now and
// then beyond it, and X values with frequent ties and in any order.
Long RandomLowerBound(Inputs& in) {
    switch (in.Next() % 8) {
        case 0: return 32767 - static_cast<Long>(in.Next() % 9);
        case 1: return -32768 - static_cast<Long>(in.Next() % 3);
        case 2: return -static_cast<Long>(in.Next() % 100);
        default: return static_cast<Long>(in.Next() % 3);
    }
}

void TableLookups(Digest& d, Inputs& in) {
    const CInterpolation& interp = CInterpolation::Default();
    for (int i = 0; i < 20000; ++i) {
        const Long lo = RandomLowerBound(in);
        const Long count = static_cast<Long>(in.Next() % 8);  // 0 to 7 points
        const bool small = in.Next() % 2 == 0;
        DoubleArray x = FilledArray<DoubleArray>(lo, count, [&] { return small ? static_cast<double>(in.Next() % 9) - 4.0 : in.Number(); });
        // Y mostly matches X, sometimes starts lower or ends sooner.
        const Long yLo = lo - static_cast<Long>(in.Next() % 4 == 0 ? 1 : 0);
        const Long yCount = count + 1 - static_cast<Long>(in.Next() % 3);
        DoubleArray y = FilledArray<DoubleArray>(yLo, yCount < 0 ? 0 : yCount, [&] { return in.Number(); });
        const Double t = small ? static_cast<double>(in.Next() % 21) / 2.0 - 5.0 : in.Number();
        const auto mode = static_cast<BoundaryCondition>(static_cast<std::int32_t>(in.Next() % 5) - 1);

        Integer n1 = 11, n2 = 22;
        Double f = 0.25;
        Boolean outside = Boolean::FromRaw(3);
        Try(d, [&] { d.Add(interp.InterpolationIndices(t, x, mode, n1, n2, f, outside)); });
        d.Add(std::int64_t{n1});
        d.Add(std::int64_t{n2});
        d.Add(f);
        d.Add(outside);

        Double result = 0.5;
        Try(d, [&] { d.Add(interp.InterpolationOf1DArray(t, x, y, mode, result)); });
        d.Add(result);
        AddElements(d, x);
        AddElements(d, y);
    }
}

}  // namespace

void Interpolation(Digest& d) {
    Inputs in(3);
    Primitives(d, in);
    TableLookups(d, in);
}

}  // namespace fingerprint
