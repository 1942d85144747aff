// The names of the batch outcomes.
#include <ostream>

#include "Tervanix/Batch.h"

namespace tervanix {

const char* ToString(BatchOutcome outcome) noexcept {
    switch (outcome) {
        case BatchOutcome::ReturnedTrue: return "ReturnedTrue";
        case BatchOutcome::ReturnedFalse: return "ReturnedFalse";
        case BatchOutcome::OverflowError: return "OverflowError";
        case BatchOutcome::SubscriptOutOfRange: return "SubscriptOutOfRange";
        case BatchOutcome::FloatingPointFault: return "FloatingPointFault";
        case BatchOutcome::InvalidArgument: return "InvalidArgument";
        case BatchOutcome::TypeMismatch: return "TypeMismatch";
        case BatchOutcome::MissingObject: return "MissingObject";
        case BatchOutcome::OutOfMemory: return "OutOfMemory";
    }
    return "UnknownOutcome";
}

std::ostream& operator<<(std::ostream& os, BatchOutcome outcome) { return os << ToString(outcome); }

}  // namespace tervanix
