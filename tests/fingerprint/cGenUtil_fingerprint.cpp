#include <Tervanix/cGenUtil.h>

#include "Sections.h"

namespace fingerprint {

void GeneralUtilities(Digest& d) {
    const tervanix::cGenUtil util;
    Inputs in(2);
    for (int i = 0; i < 20000; ++i) {
        const double x = in.Number(), y = in.Number(), tol = in.Number();
        d.Add(util.Min(x, y));
        d.Add(util.Max(x, y));
        Try(d, [&] { d.Add(util.Avg(x, y)); });
        Try(d, [&] { d.Add(util.Log10(x)); });
        Try(d, [&] { d.Add(util.Log10Sum(x / 1e4, y / 1e4)); });
        Try(d, [&] { d.Add(util.LogDBSum(x / 1e3, y / 1e3)); });
        Try(d, [&] { d.Add(util.IsEqualAbs(x, y, tol)); });
        Try(d, [&] { d.Add(util.IsEqualRel(x, y, tol)); });
        tervanix::String text;
        util.LongToBin(static_cast<tervanix::Long>(in.Next()), text);
        d.Add(text);
    }
}

}  // namespace fingerprint
