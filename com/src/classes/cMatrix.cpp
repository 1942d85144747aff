// Tervanix.cMatrix. Calc's Solution receives a collection object (Count, Item from 1,
// For Each) when the library gives a new collection.
#include "../Classes.h"
#include "../MessageSink.h"

namespace tvcom {
namespace {

using Self = ValueObject<tervanix::cMatrix>;
tervanix::cMatrix& Lib(Frame& f) { return f.Self<Self>().value; }

const Member kMembers[] = {
    {L"MatrixSize", {{L"X", Arg::Long}}, [](Frame& f) { Lib(f).MatrixSize(f.L(0)); }},
    {L"AddToMatrix", {{L"row", Arg::Long}, {L"col", Arg::Long}, D(L"value")},
     [](Frame& f) { Lib(f).AddToMatrix(f.L(0), f.L(1), f.D(2)); }},
    {L"AddToVector", {{L"row", Arg::Long}, D(L"value")}, [](Frame& f) { Lib(f).AddToVector(f.L(0), f.D(1)); }},
    {L"Calc", {{L"Solution", Arg::OutCollection}}, [](Frame& f) { f.Return(Lib(f).Calc(f.C(0))); }},
    {L"HelpForProgrammer", {}, [](Frame& f) {
         ClearMessages();
         Lib(f).HelpForProgrammer();
     }},
    // The texts of the messages HelpForProgrammer showed (or would have shown, in a
    // process with no desktop) in its last call on this thread: an array from 0.
    {L"LastMessages", {}, [](Frame& f) { f.Return(LastMessages()); }},
};

const ClassTable kTable = {L"cMatrix", kMembers, static_cast<int>(std::size(kMembers))};

}  // namespace

Object* NewcMatrix() { return new (std::nothrow) Self(kTable, Identity(ClassId::cMatrix).iid); }

}  // namespace tvcom
