#include <memory>

#include <Tervanix/cMatrix.h>
#include <Tervanix/runtime/MessageBox.h>

#include "Sections.h"

namespace fingerprint {

// Small systems with random zero patterns and magnitudes, some beyond what the
// elimination can carry, on objects that are resized and reused; sizes below 1 and
// indices outside the matrix now and then. Solution is fed after every Calc, so a
// call that failed shows the collection that it left in place.
void SimultaneousEquations(Digest& d) {
    using tervanix::Long;
    Inputs in(5);
    std::shared_ptr<tervanix::Collection> solution;
    tervanix::cMatrix m;
    for (int i = 0; i < 6000; ++i) {
        if (i % 7 == 0) m = tervanix::cMatrix();
        const Long n = static_cast<Long>(in.Next() % 8) - 1;
        Try(d, [&] { m.MatrixSize(n); });
        const std::uint64_t zeros = in.Next() % 5;
        for (Long r = 1; r <= n; ++r) {
            for (Long c = 1; c <= n; ++c) m.AddToMatrix(r, c, in.Next() % 8 < zeros ? 0.0 : in.Number());
            m.AddToVector(r, in.Number());
        }
        const Long row = static_cast<Long>(in.Next() % 9) - 1;
        const Long col = static_cast<Long>(in.Next() % 8);
        const double value = in.Number();
        Try(d, [&] { m.AddToMatrix(row, col, value); });
        Try(d, [&] { m.AddToVector(row, -value); });
        Try(d, [&] { d.Add(m.Calc(solution)); });
        if (!solution) continue;
        d.Add(std::int64_t{solution->Count()});
        for (Long k = 1; k <= solution->Count(); ++k) d.Add(solution->Item(k).AsDouble());
    }
    const tervanix::rt::MessageSink previous = tervanix::rt::SetMessageSink([&](const tervanix::String& text) { d.Add(text); });
    m.HelpForProgrammer();
    tervanix::rt::SetMessageSink(previous);
}

}  // namespace fingerprint
