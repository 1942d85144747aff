// Tervanix.cGeom.
#include "../Classes.h"

namespace tvcom {
namespace {

using Self = ValueObject<tervanix::cGeom>;
const tervanix::cGeom& Lib(Frame& f) { return f.Self<Self>().value; }

const Member kMembers[] = {
    {L"PI", {}, [](Frame& f) { f.Return(Lib(f).PI()); }},
    {L"Distance2D", {D(L"x1"), D(L"y1"), D(L"x2"), D(L"y2")},
     [](Frame& f) { f.Return(Lib(f).Distance2D(f.D(0), f.D(1), f.D(2), f.D(3))); }},
    {L"Distance3D", {D(L"x1"), D(L"y1"), D(L"z1"), D(L"x2"), D(L"y2"), D(L"z2")},
     [](Frame& f) { f.Return(Lib(f).Distance3D(f.D(0), f.D(1), f.D(2), f.D(3), f.D(4), f.D(5))); }},
    {L"Line2D", {D(L"x1"), D(L"y1"), D(L"x2"), D(L"y2"), OutD(L"m"), OutD(L"B")},
     [](Frame& f) { f.Return(Lib(f).Line2D(f.D(0), f.D(1), f.D(2), f.D(3), f.D(4), f.D(5))); }},
    {L"VectorAdd",
     {D(L"v1i"), D(L"v1j"), D(L"v1k"), D(L"v2i"), D(L"v2j"), D(L"v2k"), OutD(L"v3i"), OutD(L"v3j"), OutD(L"v3k")},
     [](Frame& f) { Lib(f).VectorAdd(f.D(0), f.D(1), f.D(2), f.D(3), f.D(4), f.D(5), f.D(6), f.D(7), f.D(8)); }},
    {L"DotProduct", {D(L"v1i"), D(L"v1j"), D(L"v1k"), D(L"v2i"), D(L"v2j"), D(L"v2k")},
     [](Frame& f) { f.Return(Lib(f).DotProduct(f.D(0), f.D(1), f.D(2), f.D(3), f.D(4), f.D(5))); }},
    {L"CrossProduct",
     {D(L"v1i"), D(L"v1j"), D(L"v1k"), D(L"v2i"), D(L"v2j"), D(L"v2k"), OutD(L"v3i"), OutD(L"v3j"), OutD(L"v3k")},
     [](Frame& f) { Lib(f).CrossProduct(f.D(0), f.D(1), f.D(2), f.D(3), f.D(4), f.D(5), f.D(6), f.D(7), f.D(8)); }},
    {L"PlaneCoeffsFrom3Pts",
     {D(L"x1"), D(L"y1"), D(L"z1"), D(L"x2"), D(L"y2"), D(L"z2"), D(L"x3"), D(L"y3"), D(L"z3"), OutD(L"A"),
      OutD(L"B"), OutD(L"c"), OutD(L"d")},
     [](Frame& f) {
         Lib(f).PlaneCoeffsFrom3Pts(f.D(0), f.D(1), f.D(2), f.D(3), f.D(4), f.D(5), f.D(6), f.D(7), f.D(8), f.D(9),
                                    f.D(10), f.D(11), f.D(12));
     }},
    {L"SurfNormFrom3Pts",
     {D(L"x1"), D(L"y1"), D(L"z1"), D(L"x2"), D(L"y2"), D(L"z2"), D(L"x3"), D(L"y3"), D(L"z3"), OutD(L"A"),
      OutD(L"B"), OutD(L"c")},
     [](Frame& f) {
         Lib(f).SurfNormFrom3Pts(f.D(0), f.D(1), f.D(2), f.D(3), f.D(4), f.D(5), f.D(6), f.D(7), f.D(8), f.D(9),
                                 f.D(10), f.D(11));
     }},
    {L"Intersect2Planes",
     {D(L"a1"), D(L"b1"), D(L"c1"), D(L"d1"), D(L"a2"), D(L"b2"), D(L"c2"), D(L"d2"), OutD(L"v3i"), OutD(L"v3j"),
      OutD(L"v3k"), OutD(L"v4i"), OutD(L"v4j"), OutD(L"v4k")},
     [](Frame& f) {
         f.Return(Lib(f).Intersect2Planes(f.D(0), f.D(1), f.D(2), f.D(3), f.D(4), f.D(5), f.D(6), f.D(7), f.D(8),
                                          f.D(9), f.D(10), f.D(11), f.D(12), f.D(13)));
     }},
    {L"Intersect3Planes",
     {D(L"a1"), D(L"b1"), D(L"c1"), D(L"d1"), D(L"a2"), D(L"b2"), D(L"c2"), D(L"d2"), D(L"a3"), D(L"b3"), D(L"c3"),
      D(L"d3"), OutD(L"X"), OutD(L"Y"), OutD(L"Z")},
     [](Frame& f) {
         f.Return(Lib(f).Intersect3Planes(f.D(0), f.D(1), f.D(2), f.D(3), f.D(4), f.D(5), f.D(6), f.D(7), f.D(8),
                                          f.D(9), f.D(10), f.D(11), f.D(12), f.D(13), f.D(14)));
     }},
    {L"CartToPolar", {D(L"X"), D(L"Y"), OutD(L"r"), OutD(L"theta")},
     [](Frame& f) { Lib(f).CartToPolar(f.D(0), f.D(1), f.D(2), f.D(3)); }},
    {L"PolarToCart", {D(L"r"), D(L"theta"), OutD(L"X"), OutD(L"Y")},
     [](Frame& f) { Lib(f).PolarToCart(f.D(0), f.D(1), f.D(2), f.D(3)); }},
    {L"DegToRad", {D(L"deg")}, [](Frame& f) { f.Return(Lib(f).DegToRad(f.D(0))); }},
    {L"RadToDeg", {D(L"rad")}, [](Frame& f) { f.Return(Lib(f).RadToDeg(f.D(0))); }},
    {L"InLine2D", {D(L"x1"), D(L"y1"), D(L"x2"), D(L"y2"), D(L"x3"), D(L"y3"), D(L"tol")},
     [](Frame& f) { f.Return(Lib(f).InLine2D(f.D(0), f.D(1), f.D(2), f.D(3), f.D(4), f.D(5), f.D(6))); }},
};

const ClassTable kTable = {L"cGeom", kMembers, static_cast<int>(std::size(kMembers))};

}  // namespace

Object* NewcGeom() { return new (std::nothrow) Self(kTable, Identity(ClassId::cGeom).iid); }

}  // namespace tvcom
