#include <string>

#include "Tervanix/BatchSteps.h"

namespace tervanix::batch {

namespace {

// Below this many targets per thread, one thread does the work.
constexpr std::size_t kTargetsPerThread = 16384;

}  // namespace

void RequireSameLength(std::size_t targets, std::initializer_list<std::size_t> others) {
    for (const std::size_t size : others) {
        if (size != targets) {
            rt::Raise(ErrorKind::InvalidArgument, "the batch's spans differ in length: " + std::to_string(targets) +
                                                      " targets, a span of " + std::to_string(size));
        }
    }
}

BatchOutcome OutcomeOf(ErrorKind kind) noexcept {
    switch (kind) {
        case ErrorKind::OverflowError: return BatchOutcome::OverflowError;
        case ErrorKind::SubscriptOutOfRange: return BatchOutcome::SubscriptOutOfRange;
        case ErrorKind::FloatingPointFault: return BatchOutcome::FloatingPointFault;
        case ErrorKind::InvalidArgument: return BatchOutcome::InvalidArgument;
        case ErrorKind::TypeMismatch: return BatchOutcome::TypeMismatch;
        case ErrorKind::MissingObject: return BatchOutcome::MissingObject;
        case ErrorKind::OutOfMemory: return BatchOutcome::OutOfMemory;
    }
    return BatchOutcome::InvalidArgument;
}

unsigned ThreadsFor(const BatchOptions& options, std::size_t count) noexcept {
    std::size_t threads = options.threads;
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    return static_cast<unsigned>(std::max<std::size_t>(1, std::min(threads, count / kTargetsPerThread)));
}

}  // namespace tervanix::batch
