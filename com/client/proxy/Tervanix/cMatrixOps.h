// Stand-in for <Tervanix/cMatrixOps.h>: calls Tervanix.cMatrixOps with cMatrix2 objects.
#pragma once
#include "cMatrix2.h"

namespace tervanix {

class cMatrixOps {
public:
    cMatrixOps();
    Boolean MatrixTrans(const std::shared_ptr<cMatrix2>& Original, std::shared_ptr<cMatrix2>& Transposed) const;
    Boolean MatrixMult(const std::shared_ptr<cMatrix2>& A, const std::shared_ptr<cMatrix2>& B,
                       std::shared_ptr<cMatrix2>& AB) const;
    Boolean MatrixInvert(const std::shared_ptr<cMatrix2>& Original, std::shared_ptr<cMatrix2>& Inverted) const;
    Boolean SimultEqns(const std::shared_ptr<cMatrix2>& Coeffs, const std::shared_ptr<cMatrix2>& Vector,
                       std::shared_ptr<cMatrix2>& Solution) const;

private:
    comclient::Ref object_;
};

}  // namespace tervanix
