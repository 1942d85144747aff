// cGenUtil: small numeric utilities — minimum, maximum, mean, decimal logarithms and
// decibel sums, tolerance comparisons, and two's-complement binary text.
#pragma once

#include "Tervanix/runtime/Types.h"

namespace tervanix {

class cGenUtil {
public:
    TERVANIX_API Double Min(Double X, Double Y) const;
    TERVANIX_API Double Max(Double X, Double Y) const;
    TERVANIX_API Double Avg(Double X, Double Y) const;
    TERVANIX_API Double Log10(Double X) const;
    TERVANIX_API Double Log10Sum(Double X, Double Y) const;
    TERVANIX_API Double LogDBSum(Double X, Double Y) const;
    TERVANIX_API Boolean IsEqualAbs(Double X, Double Y, Double tol) const;
    TERVANIX_API Boolean IsEqualRel(Double X, Double Y, Double tol) const;
    TERVANIX_API Boolean IntToBin(Integer nInt, String& sBin) const;
    TERVANIX_API Boolean BinToInt(const String& sBin, Integer& nInt) const;
    TERVANIX_API Boolean LongToBin(Long lngLong, String& sBin) const;
    TERVANIX_API Boolean BinToLong(const String& sBin, Long& lngLong) const;
};

}  // namespace tervanix
