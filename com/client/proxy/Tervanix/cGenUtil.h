// Stand-in for <Tervanix/cGenUtil.h>: calls Tervanix.cGenUtil.
#pragma once
#include "Proxy.h"

namespace tervanix {

class cGenUtil {
public:
    cGenUtil();
    Double Min(Double X, Double Y) const;
    Double Max(Double X, Double Y) const;
    Double Avg(Double X, Double Y) const;
    Double Log10(Double X) const;
    Double Log10Sum(Double X, Double Y) const;
    Double LogDBSum(Double X, Double Y) const;
    Boolean IsEqualAbs(Double X, Double Y, Double tol) const;
    Boolean IsEqualRel(Double X, Double Y, Double tol) const;
    Boolean IntToBin(Integer nInt, String& sBin) const;
    Boolean BinToInt(const String& sBin, Integer& nInt) const;
    Boolean LongToBin(Long lngLong, String& sBin) const;
    Boolean BinToLong(const String& sBin, Long& lngLong) const;

private:
    comclient::Ref object_;
};

}  // namespace tervanix
