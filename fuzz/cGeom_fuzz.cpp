// Every operation of cGeom with hostile numbers; the outputs of a call are drawn
// from three variables, so that two outputs of one call may be the same variable.
#include "FuzzInput.h"

using namespace fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const cGeom geom;
    Double out[3] = {0.0, 0.0, 0.0};
    while (in.More()) {
        const int operation = in.Pick(18);
        const auto d = in.Doubles<12>();
        Double* o[6];
        for (Double*& p : o) p = &out[in.Pick(3)];
        Checked(in, [&] {
            switch (operation) {
                case 0: geom.PI(); break;
                case 1: geom.Distance2D(d[0], d[1], d[2], d[3]); break;
                case 2: geom.Distance3D(d[0], d[1], d[2], d[3], d[4], d[5]); break;
                case 3: CheckBoolean(geom.Line2D(d[0], d[1], d[2], d[3], *o[0], *o[1])); break;
                case 4: geom.VectorAdd(d[0], d[1], d[2], d[3], d[4], d[5], *o[0], *o[1], *o[2]); break;
                case 5: geom.DotProduct(d[0], d[1], d[2], d[3], d[4], d[5]); break;
                case 6: geom.CrossProduct(d[0], d[1], d[2], d[3], d[4], d[5], *o[0], *o[1], *o[2]); break;
                case 7:
                    geom.PlaneCoeffsFrom3Pts(d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], d[8], *o[0], *o[1],
                                             *o[2], *o[3]);
                    break;
                case 8:
                    geom.SurfNormFrom3Pts(d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], d[8], *o[0], *o[1], *o[2]);
                    break;
                case 9:
                    CheckBoolean(geom.Intersect2Planes(d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], *o[0], *o[1],
                                                       *o[2], *o[3], *o[4], *o[5]));
                    break;
                case 10:
                    CheckBoolean(geom.Intersect3Planes(d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], d[8], d[9],
                                                       d[10], d[11], *o[0], *o[1], *o[2]));
                    break;
                case 11: geom.CartToPolar(d[0], d[1], *o[0], *o[1]); break;
                case 12: geom.PolarToCart(d[0], d[1], *o[0], *o[1]); break;
                case 13: geom.DegToRad(d[0]); break;
                case 14: geom.RadToDeg(d[0]); break;
                default: CheckBoolean(geom.InLine2D(d[0], d[1], d[2], d[3], d[4], d[5], d[6])); break;
            }
        });
    }
    return 0;
}
