// cGenUtil and cGeom.
#include <Tervanix/cGenUtil.h>
#include <Tervanix/cGeom.h>

#include "binder.h"
#include "module.h"

namespace tervanix::py_binding {

void BindUtilities(py::module_& m) {
    py::class_<cGenUtil> util(m, "cGenUtil");
    util.def(py::init<>());
    Def(util, "Min", &cGenUtil::Min, {"X", "Y"});
    Def(util, "Max", &cGenUtil::Max, {"X", "Y"});
    Def(util, "Avg", &cGenUtil::Avg, {"X", "Y"});
    Def(util, "Log10", &cGenUtil::Log10, {"X"});
    Def(util, "Log10Sum", &cGenUtil::Log10Sum, {"X", "Y"});
    Def(util, "LogDBSum", &cGenUtil::LogDBSum, {"X", "Y"});
    Def(util, "IsEqualAbs", &cGenUtil::IsEqualAbs, {"X", "Y", "tol"});
    Def(util, "IsEqualRel", &cGenUtil::IsEqualRel, {"X", "Y", "tol"});
    Def(util, "IntToBin", &cGenUtil::IntToBin, {"nInt", "sBin"});
    Def(util, "BinToInt", &cGenUtil::BinToInt, {"sBin", "nInt"});
    Def(util, "LongToBin", &cGenUtil::LongToBin, {"lngLong", "sBin"});
    Def(util, "BinToLong", &cGenUtil::BinToLong, {"sBin", "lngLong"});

    py::class_<cGeom> geom(m, "cGeom");
    geom.def(py::init<>());
    Def(geom, "PI", &cGeom::PI, {});
    Def(geom, "Distance2D", &cGeom::Distance2D, {"x1", "y1", "x2", "y2"});
    Def(geom, "Distance3D", &cGeom::Distance3D, {"x1", "y1", "z1", "x2", "y2", "z2"});
    Def(geom, "Line2D", &cGeom::Line2D, {"x1", "y1", "x2", "y2", "m", "B"});
    Def(geom, "VectorAdd", &cGeom::VectorAdd, {"v1i", "v1j", "v1k", "v2i", "v2j", "v2k", "v3i", "v3j", "v3k"});
    Def(geom, "DotProduct", &cGeom::DotProduct, {"v1i", "v1j", "v1k", "v2i", "v2j", "v2k"});
    Def(geom, "CrossProduct", &cGeom::CrossProduct, {"v1i", "v1j", "v1k", "v2i", "v2j", "v2k", "v3i", "v3j", "v3k"});
    Def(geom, "PlaneCoeffsFrom3Pts", &cGeom::PlaneCoeffsFrom3Pts,
        {"x1", "y1", "z1", "x2", "y2", "z2", "x3", "y3", "z3", "A", "B", "c", "d"});
    Def(geom, "SurfNormFrom3Pts", &cGeom::SurfNormFrom3Pts,
        {"x1", "y1", "z1", "x2", "y2", "z2", "x3", "y3", "z3", "A", "B", "c"});
    Def(geom, "Intersect2Planes", &cGeom::Intersect2Planes,
        {"a1", "b1", "c1", "d1", "a2", "b2", "c2", "d2", "v3i", "v3j", "v3k", "v4i", "v4j", "v4k"});
    Def(geom, "Intersect3Planes", &cGeom::Intersect3Planes,
        {"a1", "b1", "c1", "d1", "a2", "b2", "c2", "d2", "a3", "b3", "c3", "d3", "X", "Y", "Z"});
    Def(geom, "CartToPolar", &cGeom::CartToPolar, {"X", "Y", "r", "theta"});
    Def(geom, "PolarToCart", &cGeom::PolarToCart, {"r", "theta", "X", "Y"});
    Def(geom, "DegToRad", &cGeom::DegToRad, {"deg"});
    Def(geom, "RadToDeg", &cGeom::RadToDeg, {"rad"});
    Def(geom, "InLine2D", &cGeom::InLine2D, {"x1", "y1", "x2", "y2", "x3", "y3", "tol"});
}

}  // namespace tervanix::py_binding
