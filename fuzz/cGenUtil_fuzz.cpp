// Every operation of cGenUtil with hostile numbers, any Integer and Long, binary
// texts of any length and characters, and an output String that is also the input.
#include "FuzzInput.h"

using namespace fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const cGenUtil util;
    String text = in.AnyText();
    Integer integer = 0;
    Long whole = 0;
    while (in.More()) {
        const int operation = in.Pick(13);
        const auto d = in.Doubles<3>();
        const Integer i = in.AnyInteger();
        const Long l = in.AnyLong();
        Checked(in, [&] {
            switch (operation) {
                case 0: util.Min(d[0], d[1]); break;
                case 1: util.Max(d[0], d[1]); break;
                case 2: util.Avg(d[0], d[1]); break;
                case 3: util.Log10(d[0]); break;
                case 4: util.Log10Sum(d[0], d[1]); break;
                case 5: util.LogDBSum(d[0], d[1]); break;
                case 6: CheckBoolean(util.IsEqualAbs(d[0], d[1], d[2])); break;
                case 7: CheckBoolean(util.IsEqualRel(d[0], d[1], d[2])); break;
                case 8: CheckBoolean(util.IntToBin(i, text)); break;
                case 9: CheckBoolean(util.BinToInt(text, integer)); break;
                case 10: CheckBoolean(util.LongToBin(l, text)); break;
                case 11: CheckBoolean(util.BinToLong(text, whole)); break;
                default: text = in.AnyText(); break;
            }
        });
    }
    return 0;
}
