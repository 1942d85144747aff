// Tervanix.cInterp2. The grids' subscripts are in the order the host writes them:
// ZValues(i, j) of the host is ZValues(i, j) of the library.
#include "../Classes.h"

namespace tvcom {
namespace {

using Self = ValueObject<tervanix::cInterp2>;
const tervanix::cInterp2& Lib(Frame& f) { return f.Self<Self>().value; }
constexpr Param T(const wchar_t* name) { return {name, Arg::Table}; }
constexpr Param Allow() { return {L"bAllowExtrap", Arg::Boolean}; }

const Member kMembers[] = {
    {L"SortXYPairsByX", {T(L"XValues"), T(L"YValues")}, [](Frame& f) { Lib(f).SortXYPairsByX(f.Table(0), f.Table(1)); }},
    {L"Interp2D", {T(L"XValues"), T(L"YValues"), Allow(), D(L"X"), OutD(L"Y")},
     [](Frame& f) { f.Return(Lib(f).Interp2D(f.Table(0), f.Table(1), f.B(2), f.D(3), f.D(4))); }},
    {L"Interp3D", {T(L"XValues"), T(L"YValues"), {L"ZValues", Arg::Grid2}, Allow(), D(L"X"), D(L"Y"), OutD(L"Z")},
     [](Frame& f) { f.Return(Lib(f).Interp3D(f.Table(0), f.Table(1), f.Grid2(2), f.B(3), f.D(4), f.D(5), f.D(6))); }},
    {L"Interp4D",
     {T(L"WValues"), T(L"XValues"), T(L"YValues"), {L"ZValues", Arg::Grid3}, Allow(), D(L"W"), D(L"X"), D(L"Y"),
      OutD(L"Z")},
     [](Frame& f) {
         f.Return(Lib(f).Interp4D(f.Table(0), f.Table(1), f.Table(2), f.Grid3(3), f.B(4), f.D(5), f.D(6), f.D(7),
                                  f.D(8)));
     }},
    {L"Interp2D_Extrap", {T(L"XValues"), T(L"YValues"), {L"ExtrapMethod", Arg::Enum}, D(L"X"), OutD(L"Y")},
     [](Frame& f) {
         f.Return(Lib(f).Interp2D_Extrap(f.Table(0), f.Table(1), static_cast<tervanix::BoundaryCondition2>(f.L(2)),
                                         f.D(3), f.D(4)));
     }},
};

const ClassTable kTable = {L"cInterp2", kMembers, static_cast<int>(std::size(kMembers))};

}  // namespace

Object* NewcInterp2() { return new (std::nothrow) Self(kTable, Identity(ClassId::cInterp2).iid); }

}  // namespace tvcom
