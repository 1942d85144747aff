// Tervanix.CInterpolation: every object calls the library's default instance
// (CInterpolation::Default()), since the class holds no state.
#include "../Classes.h"

namespace tvcom {
namespace {

const tervanix::CInterpolation& Lib(Frame&) { return tervanix::CInterpolation::Default(); }
tervanix::BoundaryCondition Condition(Long value) { return static_cast<tervanix::BoundaryCondition>(value); }

const Member kMembers[] = {
    {L"BoundedBy", {D(L"dCheckVal"), D(L"dLowerBound"), D(L"dUpperBound")},
     [](Frame& f) { f.Return(Lib(f).BoundedBy(f.D(0), f.D(1), f.D(2))); }},
    {L"LinearInterpolation1Way", {D(L"dXIdx1"), D(L"dXIdx2"), D(L"dXFraction")},
     [](Frame& f) { f.Return(Lib(f).LinearInterpolation1Way(f.D(0), f.D(1), f.D(2))); }},
    {L"LinearInterpolation2Way",
     {D(L"dXIdx11"), D(L"dXIdx12"), D(L"dXIdx21"), D(L"dXIdx22"), D(L"dXFraction"), D(L"dYFraction")},
     [](Frame& f) { f.Return(Lib(f).LinearInterpolation2Way(f.D(0), f.D(1), f.D(2), f.D(3), f.D(4), f.D(5))); }},
    {L"LinearInterpolation3Way",
     {D(L"dXIdx111"), D(L"dXIdx121"), D(L"dXIdx211"), D(L"dXIdx221"), D(L"dXIdx112"), D(L"dXIdx122"),
      D(L"dXIdx212"), D(L"dXIdx222"), D(L"dXFraction"), D(L"dYFraction"), D(L"dZFraction")},
     [](Frame& f) {
         f.Return(Lib(f).LinearInterpolation3Way(f.D(0), f.D(1), f.D(2), f.D(3), f.D(4), f.D(5), f.D(6), f.D(7),
                                                 f.D(8), f.D(9), f.D(10)));
     }},
    {L"LinearInterpolation4Way",
     {D(L"dX1111"), D(L"dX1211"), D(L"dX2111"), D(L"dX2211"), D(L"dX1121"), D(L"dX1221"), D(L"dX2121"),
      D(L"dX2221"), D(L"dX1112"), D(L"dX1212"), D(L"dX2112"), D(L"dX2212"), D(L"dX1122"), D(L"dX1222"),
      D(L"dX2122"), D(L"dX2222"), D(L"dXFraction"), D(L"dYFraction"), D(L"dZFraction"), D(L"dAFraction")},
     [](Frame& f) {
         f.Return(Lib(f).LinearInterpolation4Way(f.D(0), f.D(1), f.D(2), f.D(3), f.D(4), f.D(5), f.D(6), f.D(7),
                                                 f.D(8), f.D(9), f.D(10), f.D(11), f.D(12), f.D(13), f.D(14),
                                                 f.D(15), f.D(16), f.D(17), f.D(18), f.D(19)));
     }},
    {L"InterpolationRatio", {D(L"dIndex1"), D(L"dIndex2"), D(L"dValue"), OutD(L"dInterpFrac")},
     [](Frame& f) { f.Return(Lib(f).InterpolationRatio(f.D(0), f.D(1), f.D(2), f.D(3))); }},
    {L"LinearExtrapolation1Way", {D(L"dX1"), D(L"dY1"), D(L"dX2"), D(L"dY2"), D(L"dX3"), OutD(L"dY3")},
     [](Frame& f) { f.Return(Lib(f).LinearExtrapolation1Way(f.D(0), f.D(1), f.D(2), f.D(3), f.D(4), f.D(5))); }},
    {L"LinearExtrapolation2Way",
     {D(L"dX11"), D(L"dY11"), D(L"dX12"), D(L"dY12"), D(L"dZ1"), D(L"dX21"), D(L"dY21"), D(L"dX22"), D(L"dY22"),
      D(L"dZ2"), D(L"dX3"), D(L"dZ3"), OutD(L"dY3")},
     [](Frame& f) {
         f.Return(Lib(f).LinearExtrapolation2Way(f.D(0), f.D(1), f.D(2), f.D(3), f.D(4), f.D(5), f.D(6), f.D(7),
                                                 f.D(8), f.D(9), f.D(10), f.D(11), f.D(12)));
     }},
    {L"InterpolationOf1DArray",
     {D(L"dXTarget"), {L"dXArray", Arg::Table}, {L"dYArray", Arg::Table}, {L"eExtrapolationType", Arg::Enum},
      OutD(L"dYResult")},
     [](Frame& f) {
         f.Return(Lib(f).InterpolationOf1DArray(f.D(0), f.Table(1), f.Table(2), Condition(f.L(3)), f.D(4)));
     }},
    {L"InterpolationIndices",
     {D(L"dXTarget"), {L"dXArray", Arg::Table}, {L"eExtrapolationType", Arg::Enum}, {L"nXIndex1", Arg::OutInteger},
      {L"nXIndex2", Arg::OutInteger}, OutD(L"dInterpFraction"), {L"bExtrapolationNeeded", Arg::OutBoolean}},
     [](Frame& f) {
         f.Return(Lib(f).InterpolationIndices(f.D(0), f.Table(1), Condition(f.L(2)), f.I(3), f.I(4), f.D(5), f.B(6)));
     }},
};

const ClassTable kTable = {L"CInterpolation", kMembers, static_cast<int>(std::size(kMembers))};

}  // namespace

Object* NewCInterpolation() {
    return new (std::nothrow) ValueObject<char>(kTable, Identity(ClassId::CInterpolation).iid);
}

}  // namespace tvcom
