// Tervanix.cMatrixOps: the matrices are cMatrix2 objects of this component; a result
// the library delivers as a new matrix arrives in the caller's variable as a new
// cMatrix2 object.
#include "../Classes.h"

namespace tvcom {
namespace {

using Self = ValueObject<tervanix::cMatrixOps>;
const tervanix::cMatrixOps& Lib(Frame& f) { return f.Self<Self>().value; }
constexpr Param In(const wchar_t* name) { return {name, Arg::Matrix}; }
constexpr Param Out(const wchar_t* name) { return {name, Arg::OutMatrix}; }

const Member kMembers[] = {
    {L"MatrixTrans", {In(L"Original"), Out(L"Transposed")}, [](Frame& f) { f.Return(Lib(f).MatrixTrans(f.M(0), f.M(1))); }},
    {L"MatrixMult", {In(L"A"), In(L"B"), Out(L"AB")}, [](Frame& f) { f.Return(Lib(f).MatrixMult(f.M(0), f.M(1), f.M(2))); }},
    {L"MatrixInvert", {In(L"Original"), Out(L"Inverted")}, [](Frame& f) { f.Return(Lib(f).MatrixInvert(f.M(0), f.M(1))); }},
    {L"SimultEqns", {In(L"Coeffs"), In(L"Vector"), Out(L"Solution")},
     [](Frame& f) { f.Return(Lib(f).SimultEqns(f.M(0), f.M(1), f.M(2))); }},
};

const ClassTable kTable = {L"cMatrixOps", kMembers, static_cast<int>(std::size(kMembers))};

}  // namespace

Object* NewcMatrixOps() { return new (std::nothrow) Self(kTable, Identity(ClassId::cMatrixOps).iid); }

}  // namespace tvcom
