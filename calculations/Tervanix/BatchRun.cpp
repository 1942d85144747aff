#include "Tervanix/BatchSteps.h"
#include "Tervanix/runtime/MessageText.h"

namespace tervanix::batch {

namespace {

// Below this many targets per thread, one thread does the work.
constexpr std::size_t kTargetsPerThread = 16384;

}  // namespace

void RequireSameLength(std::size_t targets, std::initializer_list<std::size_t> others) {
    for (const std::size_t size : others) {
        if (size != targets) {
            rt::MessageText<> text;
            text << "the batch's spans differ in length: " << targets << " targets, a span of " << size
                 << "; pass one result and one outcome for each target";
            rt::Raise(ErrorKind::InvalidArgument, text.c_str());
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
