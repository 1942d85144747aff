// Stand-in for <Tervanix/cMatrix2.h>: a Tervanix.cMatrix2 object.
#pragma once
#include "Proxy.h"

namespace tervanix {

class cMatrix2 {
public:
    cMatrix2();
    explicit cMatrix2(comclient::Ref object) : object_(std::move(object)) {}
    void NumRows(const Long& i);
    Long NumRows() const;
    void NumCols(const Long& i);
    Long NumCols() const;
    void PutData(const Long& row, const Long& col, const Double& value);
    Double GetData(const Long& row, const Long& col) const;
    IDispatch* Object() const { return object_.get(); }

private:
    comclient::Ref object_;
};

}  // namespace tervanix
