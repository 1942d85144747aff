#include "Tervanix/runtime/Checked.h"

#include <algorithm>
#include <utility>

#include "Tervanix/elementary/FloatBits.h"
#include "Tervanix/runtime/LibraryError.h"
#include "Tervanix/runtime/MessageText.h"

namespace tervanix::rt {

namespace {

bool IsSignalingNaN(Double x) noexcept {
    if (!std::isnan(x)) return false;
    return (BitsOf(x) & (std::uint64_t{1} << 51)) == 0;  // the quiet bit is clear
}

// An operation that faulted, with its operands.
struct FaultRecord {
    const char* function;  // for a one-operand function, else nullptr
    char op;
    std::uint8_t faults;
    Double a;
    Double b;

    // Finite operands: the fault began here rather than being carried on.
    bool FromFiniteOperands() const noexcept { return std::isfinite(a) && std::isfinite(b); }
    // The same order on every build, for choosing among faults of equal standing.
    bool Before(const FaultRecord& other) const noexcept {
        const std::uint64_t key[] = {BitsOf(a), BitsOf(b), static_cast<std::uint64_t>(op)};
        const std::uint64_t otherKey[] = {BitsOf(other.a), BitsOf(other.b), static_cast<std::uint64_t>(other.op)};
        return std::lexicographical_compare(key, key + 3, otherKey, otherKey + 3);
    }
};

constexpr unsigned kRecordShift = 8;

struct FaultRecords {
    FaultRecord slots[kFaultRecordSlots];
    unsigned next = 0;
};

thread_local FaultRecords tFaultRecords;

// The record to name among those of `state`.
const FaultRecord* ChosenRecord(std::uint64_t state) noexcept {
    const FaultRecord* chosen = nullptr;
    for (unsigned n = 0; n < kFaultRecordSlots; ++n) {
        if ((state >> (kRecordShift + n) & 1u) == 0) continue;
        const FaultRecord& r = tFaultRecords.slots[n];
        if (chosen == nullptr || (r.FromFiniteOperands() && !chosen->FromFiniteOperands()) ||
            (r.FromFiniteOperands() == chosen->FromFiniteOperands() && r.Before(*chosen))) {
            chosen = &r;
        }
    }
    return chosen;
}

void AppendFaultNames(MessageText<>& text, std::uint8_t faults) noexcept {
    const char* separator = "";
    for (const auto& [bit, name] : {std::pair{kInvalidOperation, "invalid-operation"},
                                    std::pair{kDivisionByZero, "division-by-zero"}, std::pair{kOverflow, "overflow"}}) {
        if ((faults & bit) == 0) continue;
        text << separator << name;
        separator = " and ";
    }
}

}  // namespace

std::uint8_t ClassifyNonFinite(Double a, Double b, Double r, char op) noexcept {
    const bool nanOperand = std::isnan(a) || std::isnan(b);
    if (std::isnan(r)) {
        // A NaN from NaN operands is propagated quietly unless one of them signals.
        if (!nanOperand) return kInvalidOperation;
        return (IsSignalingNaN(a) || IsSignalingNaN(b)) ? kInvalidOperation : kNoFault;
    }
    // An infinity from finite operands: a finite non-zero number divided by zero,
    // or a rounded result beyond the largest Double. An infinite operand passes on
    // its infinity without raising anything.
    if (nanOperand || !std::isfinite(a) || !std::isfinite(b)) return kNoFault;
    if (op == '/' && b == 0.0) return kDivisionByZero;
    return kOverflow;
}

std::uint64_t RecordNonFinite(Double a, Double b, Double r, char op, const char* function) noexcept {
    const std::uint8_t faults = ClassifyNonFinite(a, b, r, op);
    if (faults == kNoFault) return kNoFault;
    FaultRecords& all = tFaultRecords;
    const unsigned slot = all.next;
    all.next = (slot + 1) % kFaultRecordSlots;
    all.slots[slot] = {function, op, faults, a, b};
    return faults | std::uint64_t{1} << (kRecordShift + slot);
}

void RaiseFpFault(std::uint64_t state, Double value) {
    MessageText<> text;
    if (const FaultRecord* record = ChosenRecord(state)) {
        if (record->function != nullptr) {
            text << record->function << '(' << record->a << ')';
        } else {
            text << record->a << ' ' << record->op << ' ' << record->b;
        }
        text << " raised ";
        AppendFaultNames(text, record->faults);
    } else {
        text << "a Double operation raised ";
        AppendFaultNames(text, static_cast<std::uint8_t>(state & kFaultBitsMask));
        text << " (value " << value << ')';
    }
    Raise(ErrorKind::FloatingPointFault, text.c_str());
}

void RaiseDifferenceOverflow(Double a, Double b) {
    MessageText<> text;
    text << '|' << a << " - " << b << "| lies beyond the Double range, so it cannot be compared";
    Raise(ErrorKind::OverflowError, text.c_str());
}

}  // namespace tervanix::rt
