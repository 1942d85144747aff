// Tervanix.cGenUtil.
#include "../Classes.h"

namespace tvcom {
namespace {

using Self = ValueObject<tervanix::cGenUtil>;
const tervanix::cGenUtil& Lib(Frame& f) { return f.Self<Self>().value; }

const Member kMembers[] = {
    {L"Min", {D(L"X"), D(L"Y")}, [](Frame& f) { f.Return(Lib(f).Min(f.D(0), f.D(1))); }},
    {L"Max", {D(L"X"), D(L"Y")}, [](Frame& f) { f.Return(Lib(f).Max(f.D(0), f.D(1))); }},
    {L"Avg", {D(L"X"), D(L"Y")}, [](Frame& f) { f.Return(Lib(f).Avg(f.D(0), f.D(1))); }},
    {L"Log10", {D(L"X")}, [](Frame& f) { f.Return(Lib(f).Log10(f.D(0))); }},
    {L"Log10Sum", {D(L"X"), D(L"Y")}, [](Frame& f) { f.Return(Lib(f).Log10Sum(f.D(0), f.D(1))); }},
    {L"LogDBSum", {D(L"X"), D(L"Y")}, [](Frame& f) { f.Return(Lib(f).LogDBSum(f.D(0), f.D(1))); }},
    {L"IsEqualAbs", {D(L"X"), D(L"Y"), D(L"tol")}, [](Frame& f) { f.Return(Lib(f).IsEqualAbs(f.D(0), f.D(1), f.D(2))); }},
    {L"IsEqualRel", {D(L"X"), D(L"Y"), D(L"tol")}, [](Frame& f) { f.Return(Lib(f).IsEqualRel(f.D(0), f.D(1), f.D(2))); }},
    {L"IntToBin", {{L"nInt", Arg::Integer}, {L"sBin", Arg::OutString}},
     [](Frame& f) { f.Return(Lib(f).IntToBin(f.I(0), f.S(1))); }},
    {L"BinToInt", {{L"sBin", Arg::String}, {L"nInt", Arg::OutInteger}},
     [](Frame& f) { f.Return(Lib(f).BinToInt(f.S(0), f.I(1))); }},
    {L"LongToBin", {{L"lngLong", Arg::Long}, {L"sBin", Arg::OutString}},
     [](Frame& f) { f.Return(Lib(f).LongToBin(f.L(0), f.S(1))); }},
    {L"BinToLong", {{L"sBin", Arg::String}, {L"lngLong", Arg::OutLong}},
     [](Frame& f) { f.Return(Lib(f).BinToLong(f.S(0), f.L(1))); }},
};

const ClassTable kTable = {L"cGenUtil", kMembers, static_cast<int>(std::size(kMembers))};

}  // namespace

Object* NewcGenUtil() { return new (std::nothrow) Self(kTable, Identity(ClassId::cGenUtil).iid); }

}  // namespace tvcom
