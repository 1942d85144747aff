// Tervanix.CSort: every object calls the library's default instance
// (CSort::Default()). The data is sorted in place: the caller's array receives each
// element that moved.
#include "../Classes.h"

namespace tvcom {
namespace {

const tervanix::CSort& Lib(Frame&) { return tervanix::CSort::Default(); }

const Member kMembers[] = {
    {L"BubbleSortXYPairsByX", {{L"vXData", Arg::Data}, {L"vYData", Arg::Data}},
     [](Frame& f) { Lib(f).BubbleSortXYPairsByX(f.Data(0), f.Data(1)); }},
    {L"BubbleSort1DArray", {{L"vXData", Arg::Data}}, [](Frame& f) { Lib(f).BubbleSort1DArray(f.Data(0)); }},
};

const ClassTable kTable = {L"CSort", kMembers, static_cast<int>(std::size(kMembers))};

}  // namespace

Object* NewCSort() { return new (std::nothrow) ValueObject<char>(kTable, Identity(ClassId::CSort).iid); }

}  // namespace tvcom
