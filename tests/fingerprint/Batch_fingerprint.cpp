// The batch lookups over many tables, each target's outcome and value fed as the
// single call's result would be; every section runs twice, once target by target with
// the single call and once with the batch call, and the two digests must be equal.
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include <Tervanix/Batch.h>
#include <Tervanix/CInterpolation.h>
#include <Tervanix/cInterp2.h>

#include "Sections.h"

namespace fingerprint {

namespace {

using tervanix::BatchOutcome;
using tervanix::Boolean;
using tervanix::DoubleArray;
using tervanix::DoubleArray2D;
using tervanix::DoubleArray3D;
using tervanix::Long;

constexpr std::size_t kTargets = 64;

// A target's outcome and slot, fed as Try feeds a single call's: the error kind, or
// the Boolean; then the slot.
void AddOutcome(Digest& d, BatchOutcome outcome, double slot) {
    if (outcome == BatchOutcome::ReturnedTrue || outcome == BatchOutcome::ReturnedFalse) {
        d.Add(Boolean(outcome == BatchOutcome::ReturnedTrue));
    } else {
        d.AddError(tervanix::LibraryError(static_cast<tervanix::ErrorKind>(static_cast<int>(outcome) - 2), ""));
    }
    d.Add(slot);
}

void AddSingle(Digest& d, const std::function<Boolean(double&)>& call, double& slot) {
    try {
        d.Add(call(slot));
    } catch (const tervanix::LibraryError& e) {
        d.AddError(e);
    }
    d.Add(slot);
}

// X values with repeats, now and then unsorted, a NaN or an extreme.
DoubleArray TableX(Inputs& in, Long lower, Long size, bool distinct) {
    DoubleArray a(lower, lower + size - 1);
    double v = static_cast<double>(in.Next() % 21) - 10.0;
    for (Long i = lower; i < lower + size; ++i) {
        const std::uint64_t r = in.Next();
        a(i) = r % 50 == 0 ? in.Number() : v;
        v += distinct ? static_cast<double>(r % 7 + 1) / 4.0 : static_cast<double>(r % 3) / 2.0;
    }
    if (in.Next() % 3 == 0) std::swap(a(lower), a(lower + size - 1));
    return a;
}

std::vector<double> Targets(Inputs& in, const DoubleArray& x) {
    std::vector<double> t(kTargets);
    for (double& v : t) {
        const Long i = x.LBound() + static_cast<Long>(in.Next() % static_cast<std::uint64_t>(x.size()));
        v = in.Next() % 3 == 0 ? in.Number() : x(i) + static_cast<double>(in.Next() % 5) / 4.0 - 0.5;
    }
    return t;
}

void Lookup1D(Digest& d, bool batch) {
    Inputs in(101);
    const tervanix::CInterpolation single;
    for (int table = 0; table < 300; ++table) {
        const Long lower = static_cast<Long>(in.Next() % 5) - 2;
        const Long size = 1 + static_cast<Long>(in.Next() % 40);
        DoubleArray x = TableX(in, lower, size, false);
        DoubleArray y = FilledArray<DoubleArray>(lower, size - (in.Next() % 20 == 0 ? 1 : 0), [&] { return in.Number(); });
        const auto mode = static_cast<tervanix::BoundaryCondition>(in.Next() % 4);
        const std::vector<double> targets = Targets(in, x);
        std::vector<double> slots(kTargets, 0.5);
        if (batch) {
            std::vector<BatchOutcome> outcomes(kTargets);
            Try(d, [&] {
                tervanix::InterpolationOf1DArrayBatch(x, y, mode, targets, slots, outcomes);
                for (std::size_t i = 0; i < kTargets; ++i) AddOutcome(d, outcomes[i], slots[i]);
            });
        } else {
            for (std::size_t i = 0; i < kTargets; ++i) {
                AddSingle(d, [&](double& out) { return single.InterpolationOf1DArray(targets[i], x, y, mode, out); }, slots[i]);
            }
        }
        AddElements(d, x);
    }
}

void Lookup2D(Digest& d, bool batch) {
    Inputs in(202);
    const tervanix::cInterp2 single;
    for (int table = 0; table < 300; ++table) {
        const Long size = 1 + static_cast<Long>(in.Next() % 40);
        DoubleArray x = TableX(in, in.Next() % 10 == 0 ? 0 : 1, size, in.Next() % 4 != 0);
        DoubleArray y = FilledArray<DoubleArray>(x.LBound(), size, [&] { return in.Number(); });
        const Boolean allow = in.Next() % 2 == 0;
        const std::vector<double> targets = Targets(in, x);
        std::vector<double> slots(kTargets, 0.5);
        if (batch) {
            std::vector<BatchOutcome> outcomes(kTargets);
            tervanix::Interp2DBatch(x, y, allow, targets, slots, outcomes);
            for (std::size_t i = 0; i < kTargets; ++i) AddOutcome(d, outcomes[i], slots[i]);
        } else {
            for (std::size_t i = 0; i < kTargets; ++i) {
                AddSingle(d, [&](double& out) { return single.Interp2D(x, y, allow, targets[i], out); }, slots[i]);
            }
        }
        AddElements(d, x);
    }
}

void LookupGrids(Digest& d, bool batch) {
    Inputs in(303);
    const tervanix::cInterp2 single;
    for (int table = 0; table < 200; ++table) {
        const Long nw = 2 + static_cast<Long>(in.Next() % 3), nx = 2 + static_cast<Long>(in.Next() % 6),
                   ny = 2 + static_cast<Long>(in.Next() % 12);
        const DoubleArray w = TableX(in, 1, nw, in.Next() % 8 != 0), x = TableX(in, 1, nx, true),
                          y = TableX(in, 1, ny, true);
        DoubleArray2D z2(1, nx, 1, ny);
        DoubleArray3D z3(1, nw, 1, nx, 1, ny);
        for (double& v : z2) v = in.Number();
        for (double& v : z3) v = in.Number();
        const Boolean allow = in.Next() % 2 == 0;
        const std::vector<double> tw = Targets(in, w), tx = Targets(in, x), ty = Targets(in, y);
        std::vector<double> slots3(kTargets, 0.5), slots4(kTargets, 0.5);
        if (batch) {
            std::vector<BatchOutcome> outcomes3(kTargets), outcomes4(kTargets);
            tervanix::Interp3DBatch(x, y, z2, allow, tx, ty, slots3, outcomes3);
            tervanix::Interp4DBatch(w, x, y, z3, allow, tw, tx, ty, slots4, outcomes4);
            for (std::size_t i = 0; i < kTargets; ++i) AddOutcome(d, outcomes3[i], slots3[i]);
            for (std::size_t i = 0; i < kTargets; ++i) AddOutcome(d, outcomes4[i], slots4[i]);
        } else {
            for (std::size_t i = 0; i < kTargets; ++i) {
                AddSingle(d, [&](double& out) { return single.Interp3D(x, y, z2, allow, tx[i], ty[i], out); }, slots3[i]);
            }
            for (std::size_t i = 0; i < kTargets; ++i) {
                AddSingle(d, [&](double& out) { return single.Interp4D(w, x, y, z3, allow, tw[i], tx[i], ty[i], out); },
                          slots4[i]);
            }
        }
    }
}

}  // namespace

void Lookup1DSingle(Digest& d) { Lookup1D(d, false); }
void Lookup1DBatch(Digest& d) { Lookup1D(d, true); }
void Lookup2DSingle(Digest& d) { Lookup2D(d, false); }
void Lookup2DBatch(Digest& d) { Lookup2D(d, true); }
void LookupGridsSingle(Digest& d) { LookupGrids(d, false); }
void LookupGridsBatch(Digest& d) { LookupGrids(d, true); }

}  // namespace fingerprint
