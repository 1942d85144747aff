// cGenUtil: small numeric utilities — minimum, maximum, mean, decimal logarithms and
// decibel sums, tolerance comparisons, and two's-complement binary text.
#pragma once

#include "Tervanix/runtime/Types.h"

namespace tervanix {

class cGenUtil {
public:
    /// The smaller of X and Y; Y when they are equal (so Min(0.0, -0.0) is -0.0), X
    /// when either is a NaN.
    ///
    /// @code
    ///   cGenUtil().Min(3, -2);  // -2
    /// @endcode
    TERVANIX_API Double Min(Double X, Double Y) const;
    /// The larger of X and Y; Y when they are equal or when either is a NaN.
    ///
    /// @code
    ///   cGenUtil().Max(3, -2);  // 3
    /// @endcode
    TERVANIX_API Double Max(Double X, Double Y) const;
    /// The mean (X + Y) / 2.
    ///
    /// @throws LibraryError FloatingPointFault when X + Y overflows or is invalid
    ///         (infinities of opposite signs).
    ///
    /// @code
    ///   cGenUtil().Avg(1, 2);            // 1.5
    ///   cGenUtil().Avg(1e308, 1e308);    // throws FloatingPointFault
    /// @endcode
    TERVANIX_API Double Avg(Double X, Double Y) const;
    /// The decimal logarithm of X, formed as ln X / ln 10, so that a power of ten can
    /// come out one unit in the last place low.
    ///
    /// @throws LibraryError InvalidArgument when X <= 0.
    ///
    /// @code
    ///   cGenUtil().Log10(100);    // 2
    ///   cGenUtil().Log10(1000);   // 2.9999999999999996
    ///   cGenUtil().Log10(0);      // throws InvalidArgument
    /// @endcode
    TERVANIX_API Double Log10(Double X) const;
    /// The decimal logarithm of 10^X + 10^Y: the sum of two quantities given by their
    /// decimal logarithms.
    ///
    /// @throws LibraryError OverflowError when 10^X or 10^Y lies beyond the Double
    ///         range; FloatingPointFault when their sum does; InvalidArgument when
    ///         the sum is 0 (both powers underflow).
    ///
    /// @code
    ///   cGenUtil().Log10Sum(2, 2);     // 2.301029995663981
    ///   cGenUtil().Log10Sum(400, 0);   // throws OverflowError
    /// @endcode
    TERVANIX_API Double Log10Sum(Double X, Double Y) const;
    /// The decibel sum of two levels X and Y in dB: 10 * log10(10^(X/10) + 10^(Y/10)),
    /// the level of two incoherent sources together.
    ///
    /// @throws LibraryError as Log10Sum, for the powers of X / 10 and Y / 10.
    ///
    /// @code
    ///   cGenUtil().LogDBSum(85, 82);   // 86.76434862436486 dB
    ///   cGenUtil().LogDBSum(60, 60);   // 63.010299956639805 dB
    /// @endcode
    TERVANIX_API Double LogDBSum(Double X, Double Y) const;
    /// Whether X and Y lie within tol of each other: |X - Y| <= tol. True as well when
    /// the comparison is unordered (a NaN difference or a NaN tol).
    ///
    /// @param tol  the largest difference allowed, in the units of X and Y; the
    ///             comparison includes it.
    /// @throws LibraryError OverflowError when X - Y lies beyond the Double range;
    ///         FloatingPointFault for infinities of the same sign.
    ///
    /// @code
    ///   cGenUtil().IsEqualAbs(1.0, 1.25, 0.25);       // True
    ///   cGenUtil().IsEqualAbs(1.0, 1.5, 0.25);        // False
    ///   cGenUtil().IsEqualAbs(1e308, -1e308, 1);      // throws OverflowError
    /// @endcode
    TERVANIX_API Boolean IsEqualAbs(Double X, Double Y, Double tol) const;
    /// Whether X lies within a fraction tol of Y: |(X - Y) / Y| <= tol, measured
    /// relative to Y (not to X). True as well when the comparison is unordered.
    ///
    /// @param tol  the largest relative difference allowed (0.01 for one percent);
    ///             the comparison includes it.
    /// @throws LibraryError FloatingPointFault when Y is 0 or a step overflows.
    ///
    /// @code
    ///   cGenUtil().IsEqualRel(101, 100, 0.01);   // True
    ///   cGenUtil().IsEqualRel(100, 101, 0.001);  // False
    ///   cGenUtil().IsEqualRel(1, 0, 0.01);       // throws FloatingPointFault
    /// @endcode
    TERVANIX_API Boolean IsEqualRel(Double X, Double Y, Double tol) const;
    /// The 16-bit two's-complement text of nInt: 16 characters "0" and "1", most
    /// significant first.
    ///
    /// @param[out] sBin  replaced by the text.
    /// @return True, always.
    ///
    /// @code
    ///   String s;
    ///   cGenUtil().IntToBin(5, s);    // True: s = u"0000000000000101"
    ///   cGenUtil().IntToBin(-2, s);   // True: s = u"1111111111111110"
    /// @endcode
    TERVANIX_API Boolean IntToBin(Integer nInt, String& sBin) const;
    /// The Integer whose 16-bit two's-complement text is sBin (as IntToBin writes it).
    ///
    /// @param sBin  exactly 16 characters "0" and "1", most significant first.
    /// @param[out] nInt  the value, written only on True.
    /// @return True; False, with nInt unchanged, for any other text (another length,
    ///         another character, spaces).
    ///
    /// @code
    ///   Integer n = 7;
    ///   cGenUtil().BinToInt(u"1111111111111110", n);  // True: n = -2
    ///   cGenUtil().BinToInt(u"101", n);               // False: n = -2
    /// @endcode
    TERVANIX_API Boolean BinToInt(const String& sBin, Integer& nInt) const;
    /// The 32-bit two's-complement text of lngLong: 32 characters "0" and "1", most
    /// significant first.
    ///
    /// @param[out] sBin  replaced by the text.
    /// @return True, always.
    ///
    /// @code
    ///   String s;
    ///   cGenUtil().LongToBin(-1, s);  // True: s = u"11111111111111111111111111111111"
    /// @endcode
    TERVANIX_API Boolean LongToBin(Long lngLong, String& sBin) const;
    /// The Long whose 32-bit two's-complement text is sBin (as LongToBin writes it).
    ///
    /// @param sBin  exactly 32 characters "0" and "1", most significant first.
    /// @param[out] lngLong  the value, written only on True.
    /// @return True; False, with lngLong unchanged, for any other text.
    ///
    /// @code
    ///   Long n = 0;
    ///   cGenUtil().BinToLong(u"10000000000000000000000000000000", n);  // True: n = -2147483648
    ///   cGenUtil().BinToLong(u"0000000000000101", n);                  // False: n = -2147483648
    /// @endcode
    TERVANIX_API Boolean BinToLong(const String& sBin, Long& lngLong) const;
};

}  // namespace tervanix
