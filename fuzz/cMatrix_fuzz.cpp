// Sequences of calls on cMatrix objects: sizes that fail (0, negative, beyond any
// store), coefficients at any subscripts, before and after a size was set, whole
// systems with many zeros (so that rows must be rearranged), Calc into an empty or a
// filled Collection variable, and the help texts.
#include <limits>
#include <memory>

#include "FuzzInput.h"

using namespace fuzz;

namespace {

Long AnySize(Input& in) {
    const Long failing[] = {0, -1, std::numeric_limits<Long>::min(), std::numeric_limits<Long>::max(), 1500000000};
    return in.Pick(4) == 0 ? failing[in.Pick(5)] : 1 + in.Pick(kMaxExtent + 2);
}

Long AnySubscript(Input& in) { return in.Flag() ? in.Pick(kMaxExtent + 4) - 1 : in.AnyLong(); }

// The help texts go to a sink that only checks that there is something to show.
const bool kSinkSet = [] {
    rt::SetMessageSink([](const String& text) {
        if (text.empty()) Finding("an empty message box", "");
    });
    return true;
}();

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    cMatrix matrix[2];
    std::shared_ptr<Collection> solution;
    while (in.More()) {
        const int operation = in.Pick(8);
        cMatrix& m = matrix[in.Pick(2)];
        const Long order = AnySize(in);
        const Long row = AnySubscript(in);
        const Long col = AnySubscript(in);
        const Double value = in.AnyDouble();
        if (operation == 5) solution = in.Flag() ? nullptr : std::make_shared<Collection>();
        Checked(in, [&] {
            switch (operation) {
                case 0: m.MatrixSize(order); break;
                case 1:
                case 2: m.AddToMatrix(row, col, value); break;
                case 3: m.AddToVector(row, value); break;
                case 4: CheckBoolean(m.Calc(solution)); break;
                case 5: m.HelpForProgrammer(); break;
                case 6: matrix[0] = matrix[1]; break;
                default:
                    for (Long r = 1; r <= kMaxExtent + 2; ++r) {
                        m.AddToVector(r, in.AnyDouble());
                        for (Long c = 1; c <= kMaxExtent + 2; ++c) m.AddToMatrix(r, c, in.Pick(3) == 0 ? 0.0 : in.AnyDouble());
                    }
                    break;
            }
        });
    }
    return 0;
}
