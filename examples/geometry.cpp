// cGeom at work: the roof plane of a building through three surveyed corners, the
// ridge line where it meets a second roof plane, the point where both meet a wall,
// and a survey bearing turned from polar coordinates into offsets and back.
#include <iomanip>
#include <iostream>

#include <Tervanix/Tervanix.h>

#include "Sections.h"

using namespace tervanix;

void GeometrySection() {
    cGeom geom;
    std::cout << "== Geometry (cGeom) ==\n" << std::setprecision(17);

    // Three corners of the south roof face (x east, y north, z up, in metres).
    Double a1 = 0, b1 = 0, c1 = 0, d1 = 0;
    geom.PlaneCoeffsFrom3Pts(0, 0, 3, 10, 0, 3, 0, 4, 6, a1, b1, c1, d1);
    std::cout << "south face: " << a1 << " x + " << b1 << " y + " << c1 << " z + " << d1 << " = 0\n";

    // The north face falls the other way from the ridge: through (0, 8, 3), (10, 8, 3), (0, 4, 6).
    Double a2 = 0, b2 = 0, c2 = 0, d2 = 0;
    geom.PlaneCoeffsFrom3Pts(0, 8, 3, 0, 4, 6, 10, 8, 3, a2, b2, c2, d2);
    std::cout << "north face: " << a2 << " x + " << b2 << " y + " << c2 << " z + " << d2 << " = 0\n";

    Double px = 0, py = 0, pz = 0, ux = 0, uy = 0, uz = 0;
    if (geom.Intersect2Planes(a1, b1, c1, d1, a2, b2, c2, d2, px, py, pz, ux, uy, uz)) {
        std::cout << "ridge: through (" << px << ", " << py << ", " << pz << ") along (" << ux << ", " << uy
                  << ", " << uz << ")\n";
    }

    // The gable wall x = 10 meets both faces at the top of the gable.
    Double X = 0, Y = 0, Z = 0;
    if (geom.Intersect3Planes(a1, b1, c1, d1, a2, b2, c2, d2, 1, 0, 0, -10, X, Y, Z)) {
        std::cout << "gable top: (" << X << ", " << Y << ", " << Z << ")\n";
    }
    // Two parallel walls never meet a roof face in a single point.
    const Boolean met = geom.Intersect3Planes(1, 0, 0, 0, 2, 0, 0, -20, a1, b1, c1, d1, X, Y, Z);
    std::cout << "walls x = 0 and x = 10 with the south face: " << met << ", point still (" << X << ", " << Y
              << ", " << Z << ")\n";

    // A corner 50 m away on a bearing of 30 degrees from the x axis, and back.
    Double east = 0, north = 0, r = 0, theta = 0;
    geom.PolarToCart(50, 30, east, north);
    geom.CartToPolar(east, north, r, theta);
    std::cout << "50 m at 30 degrees: (" << east << ", " << north << "), back to " << r << " m at " << theta
              << " degrees\n";
    geom.CartToPolar(1, 1, r, theta);
    std::cout << "(1, 1) lies at " << theta << " degrees: the library's pi is " << geom.PI() << "\n\n";
}
