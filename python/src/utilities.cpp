// cGenUtil and cGeom.
#include <Tervanix/cGenUtil.h>
#include <Tervanix/cGeom.h>

#include "binder.h"
#include "docstrings.h"
#include "module.h"

namespace tervanix::py_binding {

void BindUtilities(py::module_& m) {
    py::class_<cGenUtil> util(m, "cGenUtil", ReferenceText("cGenUtil"));
    util.def(py::init<>(), kNewInstanceDoc);
    Def<&cGenUtil::Min>(util, "Min", {"X", "Y"});
    Def<&cGenUtil::Max>(util, "Max", {"X", "Y"});
    Def<&cGenUtil::Avg>(util, "Avg", {"X", "Y"});
    Def<&cGenUtil::Log10>(util, "Log10", {"X"});
    Def<&cGenUtil::Log10Sum>(util, "Log10Sum", {"X", "Y"});
    Def<&cGenUtil::LogDBSum>(util, "LogDBSum", {"X", "Y"});
    Def<&cGenUtil::IsEqualAbs>(util, "IsEqualAbs", {"X", "Y", "tol"});
    Def<&cGenUtil::IsEqualRel>(util, "IsEqualRel", {"X", "Y", "tol"});
    Def<&cGenUtil::IntToBin>(util, "IntToBin", {"nInt", "sBin"});
    Def<&cGenUtil::BinToInt>(util, "BinToInt", {"sBin", "nInt"});
    Def<&cGenUtil::LongToBin>(util, "LongToBin", {"lngLong", "sBin"});
    Def<&cGenUtil::BinToLong>(util, "BinToLong", {"sBin", "lngLong"});

    py::class_<cGeom> geom(m, "cGeom", ReferenceText("cGeom"));
    geom.def(py::init<>(), kNewInstanceDoc);
    Def<&cGeom::PI>(geom, "PI", {});
    Def<&cGeom::Distance2D>(geom, "Distance2D", {"x1", "y1", "x2", "y2"});
    Def<&cGeom::Distance3D>(geom, "Distance3D", {"x1", "y1", "z1", "x2", "y2", "z2"});
    Def<&cGeom::Line2D>(geom, "Line2D", {"x1", "y1", "x2", "y2", "m", "B"});
    Def<&cGeom::VectorAdd>(geom, "VectorAdd", {"v1i", "v1j", "v1k", "v2i", "v2j", "v2k", "v3i", "v3j", "v3k"});
    Def<&cGeom::DotProduct>(geom, "DotProduct", {"v1i", "v1j", "v1k", "v2i", "v2j", "v2k"});
    Def<&cGeom::CrossProduct>(geom, "CrossProduct", {"v1i", "v1j", "v1k", "v2i", "v2j", "v2k", "v3i", "v3j", "v3k"});
    Def<&cGeom::PlaneCoeffsFrom3Pts>(geom, "PlaneCoeffsFrom3Pts",
        {"x1", "y1", "z1", "x2", "y2", "z2", "x3", "y3", "z3", "A", "B", "c", "d"});
    Def<&cGeom::SurfNormFrom3Pts>(geom, "SurfNormFrom3Pts",
        {"x1", "y1", "z1", "x2", "y2", "z2", "x3", "y3", "z3", "A", "B", "c"});
    Def<&cGeom::Intersect2Planes>(geom, "Intersect2Planes",
        {"a1", "b1", "c1", "d1", "a2", "b2", "c2", "d2", "v3i", "v3j", "v3k", "v4i", "v4j", "v4k"});
    Def<&cGeom::Intersect3Planes>(geom, "Intersect3Planes",
        {"a1", "b1", "c1", "d1", "a2", "b2", "c2", "d2", "a3", "b3", "c3", "d3", "X", "Y", "Z"});
    Def<&cGeom::CartToPolar>(geom, "CartToPolar", {"X", "Y", "r", "theta"});
    Def<&cGeom::PolarToCart>(geom, "PolarToCart", {"r", "theta", "X", "Y"});
    Def<&cGeom::DegToRad>(geom, "DegToRad", {"deg"});
    Def<&cGeom::RadToDeg>(geom, "RadToDeg", {"rad"});
    Def<&cGeom::InLine2D>(geom, "InLine2D", {"x1", "y1", "x2", "y2", "x3", "y3", "tol"});
}

}  // namespace tervanix::py_binding
