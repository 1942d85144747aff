// Tervanix.cMatrix2: NumRows and NumCols are properties (read and assigned), PutData
// and GetData methods. The object shares its matrix with the library, so a matrix
// that cMatrixOps changes in place changes for every variable that refers to it.
#include "../Classes.h"

namespace tvcom {
namespace {

class MatrixObject : public Object {
public:
    MatrixObject(const ClassTable& table, MatrixPtr m) : Object(table, Identity(ClassId::cMatrix2).iid), matrix(std::move(m)) {}
    MatrixPtr* AsMatrix() override { return &matrix; }
    MatrixPtr matrix;
};

tervanix::cMatrix2& Lib(Frame& f) { return *f.Self<MatrixObject>().matrix; }

const Member kMembers[] = {
    {L"NumRows", {}, [](Frame& f) { f.Return(Lib(f).NumRows()); }, [](Frame& f) { Lib(f).NumRows(f.L(0)); }},
    {L"NumCols", {}, [](Frame& f) { f.Return(Lib(f).NumCols()); }, [](Frame& f) { Lib(f).NumCols(f.L(0)); }},
    {L"PutData", {{L"row", Arg::Long}, {L"col", Arg::Long}, D(L"value")},
     [](Frame& f) { Lib(f).PutData(f.L(0), f.L(1), f.D(2)); }},
    {L"GetData", {{L"row", Arg::Long}, {L"col", Arg::Long}}, [](Frame& f) { f.Return(Lib(f).GetData(f.L(0), f.L(1))); }},
};

const ClassTable kTable = {L"cMatrix2", kMembers, static_cast<int>(std::size(kMembers))};

}  // namespace

IDispatch* NewMatrixObject(MatrixPtr matrix) {
    Object* object = new (std::nothrow) MatrixObject(kTable, std::move(matrix));
    if (object == nullptr) throw std::bad_alloc();
    return object;
}

Object* NewcMatrix2() {
    try {
        return new MatrixObject(kTable, std::make_shared<tervanix::cMatrix2>());
    } catch (...) {
        return nullptr;
    }
}

}  // namespace tvcom
