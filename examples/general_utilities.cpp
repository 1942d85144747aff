// cGenUtil at work: the sound level of two machines running together, and the
// binary text of register values read from a device.
#include <iomanip>
#include <iostream>

#include <Tervanix/Tervanix.h>

#include "Sections.h"

using namespace tervanix;

void GeneralUtilitiesSection() {
    cGenUtil util;
    std::cout << "== General utilities (cGenUtil) ==\n" << std::setprecision(17);

    // Sound levels add as powers: 85 dB and 82 dB together are not 167 dB.
    const Double pump = 85.0, fan = 82.0;
    std::cout << "pump " << pump << " dB + fan " << fan << " dB = " << util.LogDBSum(pump, fan) << " dB\n";
    std::cout << "two equal 60 dB sources: " << util.LogDBSum(60.0, 60.0) << " dB\n";

    // A measured level within half a decibel of the specified one?
    std::cout << "84.6 dB within 0.5 dB of 85 dB: " << util.IsEqualAbs(84.6, 85.0, 0.5) << '\n';

    // Register values as two's-complement binary text and back.
    for (Integer reg : {Integer{5}, Integer{-1}, Integer{-32768}, Integer{32767}}) {
        String text;
        util.IntToBin(reg, text);
        Integer back = 0;
        util.BinToInt(text, back);
        std::cout << "register " << std::setw(6) << reg << " -> " << rt::ToUtf8(text) << " -> " << back << '\n';
    }
    Integer untouched = 42;
    const Boolean ok = util.BinToInt(u"01010101010101012", untouched);
    std::cout << "17-character text read back: " << ok << ", value still " << untouched << "\n\n";
}
