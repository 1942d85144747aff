#include "Tervanix/runtime/Array.h"

#include "Tervanix/runtime/LibraryError.h"
#include "Tervanix/runtime/MessageText.h"

namespace tervanix::rt {

namespace {

static_assert(sizeof RefusedAccess::message == LibraryError::kMessageCapacity, "the whole text is kept");

thread_local RefusedAccess lastRefused;

[[noreturn]] void RaiseRefused(const RefusedAccess& refused) {
    lastRefused = refused;
    Raise(ErrorKind::SubscriptOutOfRange, refused.message);
}

}  // namespace

const RefusedAccess& LastRefusedAccess() noexcept {
    return lastRefused;
}

void RaiseNoBounds() {
    RefusedAccess refused;
    refused.noBounds = true;
    CopyCut(refused.message, "the array has never been given bounds; make it with bounds first");
    RaiseRefused(refused);
}

void RaiseSubscript(Long subscript, int dimension, Long lower, Long upper) {
    MessageText<> text;
    text << "subscript " << subscript << " lies outside the bounds " << lower << " to " << upper
         << " of dimension " << dimension;
    RefusedAccess refused{false, subscript, dimension, lower, upper};
    CopyCut(refused.message, text.c_str());
    RaiseRefused(refused);
}

void RaiseDimension(int dimension, int rank) {
    MessageText<> text;
    text << "dimension " << dimension << " asked of an array with " << rank
         << (rank == 1 ? " dimension" : " dimensions");
    Raise(ErrorKind::SubscriptOutOfRange, text.c_str());
}

void RaiseBadBounds(Long lower, Long upper) {
    MessageText<> text;
    text << "upper bound " << upper << " lies below lower bound " << lower;
    Raise(ErrorKind::SubscriptOutOfRange, text.c_str());
}

void RaiseOutOfMemory(std::size_t elements) {
    MessageText<> text;
    text << "no memory for an array of " << elements << " elements";
    Raise(ErrorKind::OutOfMemory, text.c_str());
}

void RaiseBoundBeyondLong(bool negative, std::uintmax_t magnitude) {
    MessageText<> text;
    text << "array bound " << (negative ? "-" : "") << magnitude
         << " lies outside the Long range -2147483648 to 2147483647";
    Raise(ErrorKind::SubscriptOutOfRange, text.c_str());
}

void RaiseValuesBeyondLong(Long lower, std::size_t count) {
    MessageText<> text;
    text << count << " values from lower bound " << lower << " would end beyond the Long range of bounds";
    Raise(ErrorKind::SubscriptOutOfRange, text.c_str());
}

std::size_t ElementCount(const std::int64_t* extents, int rank, std::size_t elementSize) {
    // Multiplications that report overflow, not divisions: this runs for every array
    // made, borrowed ones included, and a division costs tens of cycles.
    std::size_t count = 1;
    for (int d = 0; d < rank; ++d) {
        std::size_t next = 0, bytes = 0;
        if (__builtin_mul_overflow(count, static_cast<std::size_t>(extents[d]), &next) ||
            __builtin_mul_overflow(next, elementSize, &bytes) || bytes > kMaxArrayBytes) {
            Raise(ErrorKind::OutOfMemory, "the array's size exceeds the address space");
        }
        count = next;
    }
    return count;
}

}  // namespace tervanix::rt
