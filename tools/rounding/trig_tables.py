#!/usr/bin/env python3
"""Writes calculations/Tervanix/elementary/TrigTables.h: the constants of the correctly
rounded sine, cosine and arctangent, computed with 1600-bit arithmetic (Debian's
python3-mpmath) and rounded to nearest.

    python3 tools/rounding/trig_tables.py > calculations/Tervanix/elementary/TrigTables.h
"""
from mpmath import atan, cos, floor, log, mp, mpf, pi, sin

mp.prec = 1600


def dd(v):
    """v as hi + lo, each rounded to nearest."""
    hi = float(v)
    return hi, float(v - mpf(hi))


def head_and_rest(v):
    """v >= 0 as a head rounded to 27 significant bits and the double nearest v - head."""
    if v == 0:
        return 0.0, 0.0
    e = int(floor(log(v, 2))) + 1
    head = float(floor(v * mpf(2) ** (27 - e) + mpf(1) / 2) / mpf(2) ** (27 - e))
    return head, float(v - mpf(head))


def wide(v):
    """v > 0 as m * 2^(e - 256) with m in [2^255, 2^256) truncated: (limbs, e)."""
    e = int(floor(log(v, 2))) + 1
    m = int(floor(v * mpf(2) ** (256 - e)))
    if m >= 2**256:
        e += 1
    elif m < 2**255:
        e -= 1
    m = int(floor(v * mpf(2) ** (256 - e)))
    assert 2**255 <= m < 2**256
    limbs = ", ".join("0x%08X" % ((m >> (32 * i)) & 0xFFFFFFFF) for i in range(8))
    return "{{%s}, %d}" % (limbs, e)


def main():
    out = [
        "// Constants of the correctly rounded sine, cosine and arctangent, each the double (or",
        "// double-double hi + lo) nearest the exact value, written as hexadecimal literals so",
        "// that they are exact. tools/rounding/trig_tables.py writes this file.",
        "#pragma once",
        "",
        "#include <cstdint>",
        "",
        "namespace tervanix::rt::trig {",
        "",
        "// sin and cos of j*pi/1024 for j = 0..511: each as a head of 27 bits (so that its",
        "// product with a number of 26 bits is exact) and the double nearest the rest: sin",
        "// head, sin rest, cos head, cos rest.",
        "inline constexpr double kSinCosTable[512][4] = {",
    ]
    for j in range(512):
        row = head_and_rest(sin(j * pi / 1024)) + head_and_rest(cos(j * pi / 1024))
        out.append("    {%s, %s, %s, %s}," % tuple(float.hex(v) for v in row))
    # The arctangent's rows: the binade [2^e, 2^(e+1)) for e = -10..60 cut into 2^k
    # pieces by the top k bits of the mantissa, k = e + 9 below 1 and 9 - e from 2 on
    # (8 in [1, 2), never below 0), so that t = (x - c)/(1 + c x) for the middle c of
    # the piece holding x stays within 2^-10.
    binades, rows, first = [], [], 0
    for e in range(-10, 61):
        k = max(0, e + 9) if e < 0 else 8 if e == 0 else max(0, 9 - e)
        binades.append((52 - k, first))
        for m in range(2**k):
            rows.append(mpf(2)**e * (1 + (mpf(m) + mpf(1) / 2) / 2**k))
        first += 2**k
    out += ["};", "// The rows of the arctangent for x in [2^e, 2^(e+1)), e = -10..60: the row of x is",
            "// first + (its mantissa's bits >> shift), and its middle c has the bits of x above",
            "// shift and then a 1.",
            "struct AtanBinade {", "    unsigned shift;", "    int first;", "};",
            "inline constexpr AtanBinade kAtanBinades[%d] = {" % len(binades)]
    for i in range(0, len(binades), 6):
        out.append("    " + " ".join("{%d, %d}," % b for b in binades[i:i + 6]))
    out += ["};", "// atan c for the middle c of each row, as a double-double (hi, lo).",
            "inline constexpr double kAtanTable[%d][2] = {" % len(rows)]
    for c in rows:
        assert mpf(float(c)) == c
        out.append("    {%s, %s}," % tuple(float.hex(v) for v in dd(atan(c))))
    out.append("};")

    words, f = [], 2 / pi
    for _ in range(48):
        f *= 2**32
        words.append(int(floor(f)))
        f -= words[-1]
    out += ["// The bits of 2/pi after the binary point, 32 to a word, most significant first.",
            "inline constexpr std::uint32_t kTwoOverPiBits[%d] = {" % len(words)]
    for i in range(0, len(words), 6):
        out.append("    " + " ".join("0x%08X," % w for w in words[i:i + 6]))
    out.append("};")

    half = pi / 2
    p1 = floor(half * 2**32) / 2**32
    p2 = floor((half - p1) * 2**65) / 2**65
    p3 = floor((half - p1 - p2) * 2**98) / 2**98
    p4 = mpf(float(half - p1 - p2 - p3))
    out += ["// pi/2 in four pieces: the first three of 33 bits each, so that their products",
            "// with a whole number below 2^20 are exact; the last rounded."]
    for name, v in (("kHalfPi1", p1), ("kHalfPi2", p2), ("kHalfPi3", p3), ("kHalfPi4", p4)):
        assert mpf(float(v)) == v
        out.append("inline constexpr double %s = %s;" % (name, float.hex(float(v))))
    hi, lo = dd(half)
    out.append("inline constexpr double kHalfPiHi = %s;" % float.hex(hi))
    out.append("inline constexpr double kHalfPiLo = %s;" % float.hex(lo))

    out += ["",
            "// For the multiprecision path: values of 256 bits, m * 2^(exponent - 256) with the",
            "// integer m in [2^255, 2^256) given by 32-bit limbs, least significant first.",
            "struct WideConstant {", "    std::uint32_t limb[8];", "    int exponent;", "};",
            "inline constexpr WideConstant kWideHalfPi = %s;" % wide(half),
            "// atan(j/16) for j = 1..16.",
            "inline constexpr WideConstant kWideAtanTable[16] = {"]
    for j in range(1, 17):
        out.append("    %s," % wide(atan(mpf(j) / 16)))
    out += ["};", "", "}  // namespace tervanix::rt::trig"]
    print("\n".join(out))


if __name__ == "__main__":
    main()
