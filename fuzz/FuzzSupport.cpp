#include "FuzzInput.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <new>

#include <Tervanix/elementary/FloatBits.h>

#if defined(__x86_64__) && defined(__GLIBC__)
#define FUZZ_X86_CONTROL 1
#endif

// Allocations are capped here, below the fuzzer's own memory limit: a larger one
// fails with std::bad_alloc, as it would on a machine out of memory, so the
// library's OutOfMemory paths are driven too. The store behind the cap is malloc,
// which AddressSanitizer watches.
namespace {
constexpr std::size_t kMaxAllocation = std::size_t{64} << 20;

void* TryAllocate(std::size_t size) noexcept {
    return size > kMaxAllocation ? nullptr : std::malloc(size == 0 ? 1 : size);
}

void* Allocate(std::size_t size) {
    if (void* p = TryAllocate(size)) return p;
    throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return TryAllocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return TryAllocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace fuzz {

namespace {

constexpr Double kInf = std::numeric_limits<Double>::infinity();
constexpr Double kMax = std::numeric_limits<Double>::max();
constexpr Double kTiny = std::numeric_limits<Double>::denorm_min();
constexpr Long kLongMax = std::numeric_limits<Long>::max();
constexpr Long kLongMin = std::numeric_limits<Long>::min();

const Double kHostileDoubles[] = {
    0.0, -0.0, 1.0, -1.0, 0.5, 2.0, 10.0, 1e-12, -1e-12, 3.14159265358979,
    std::numeric_limits<Double>::quiet_NaN(), -std::numeric_limits<Double>::quiet_NaN(),
    std::numeric_limits<Double>::signaling_NaN(), kInf, -kInf, kMax, -kMax, kMax / 2, 1e154, -1e154,
    std::numeric_limits<Double>::min(), kTiny, -kTiny, 1e-308, 9007199254740992.0, 32767.5, -32768.5,
    32768.0, 2147483647.5, -2147483648.5, 2147483648.0, 4e9, -400.0, 400.0, 3080.0, -3240.0,
    45.0, 90.0, 180.0, 270.0, 360.0, -90.0,
};
const Long kHostileLongs[] = {0, 1, -1, 2, 3, 32767, 32768, -32768, -32769, 65535, 65536,
                              kLongMax, kLongMin, kLongMax - 1, kLongMin + 1, 1 << 30};
const char16_t kTextUnits[] = {u'0', u'1', u'0', u'1', u'-', u' ', u'2', u'\0', u'\u0661', u'\xD800'};

}  // namespace

Double Input::AnyDouble() {
    switch (Pick(4)) {
        case 0: return bytes_.PickValueInArray(kHostileDoubles);
        case 1: return bytes_.ConsumeIntegralInRange<int>(-8, 24);
        case 2: return bytes_.ConsumeIntegralInRange<int>(-80, 80) / 8.0;
        default: return rt::FromBits(bytes_.ConsumeIntegral<std::uint64_t>());
    }
}

Long Input::AnyLong() {
    switch (Pick(3)) {
        case 0: return bytes_.PickValueInArray(kHostileLongs);
        case 1: return bytes_.ConsumeIntegralInRange<Long>(-3, kMaxElements + 3);
        default: return bytes_.ConsumeIntegral<Long>();
    }
}

Integer Input::AnyInteger() {
    return Flag() ? static_cast<Integer>(bytes_.ConsumeIntegralInRange<int>(-3, 40)) : bytes_.ConsumeIntegral<Integer>();
}

String Input::AnyText() {
    String text(static_cast<std::size_t>(Pick(40)), u'0');
    for (char16_t& unit : text) unit = bytes_.PickValueInArray(kTextUnits);
    return text;
}

void Input::AnyBounds(Long maxCount, Long& lower, Long& count) {
    count = bytes_.ConsumeIntegralInRange<Long>(-1, maxCount);
    switch (Pick(5)) {
        case 0: lower = 1; break;
        case 1: lower = bytes_.ConsumeIntegralInRange<Long>(-3, 3); break;
        case 2: lower = 32767 - count + Pick(3); break;  // ends about the Integer limit
        case 3: lower = kLongMax - (count > 0 ? count - 1 : 0); break;
        default: lower = Flag() ? kLongMin : AnyLong(); break;
    }
    if (std::int64_t{lower} + count - 1 > kLongMax) lower = kLongMax - count + 1;
    if (count <= 0 && lower == kLongMin) lower = kLongMin + 1;  // an empty array ends one below its start
}

namespace {
// The bounds of an array the input describes, with values filled in by `value`.
template <typename T, typename Value>
rt::BasicArray<T, 1> MakeArray(Input& in, Long maxCount, Value value) {
    Long lower, count;
    in.AnyBounds(maxCount, lower, count);
    if (count < 0) return {};
    rt::BasicArray<T, 1> array(lower, static_cast<Long>(std::int64_t{lower} + count - 1));
    for (Long k = 0; k < count; ++k) array(lower + k) = value(k);
    return array;
}
}  // namespace

DoubleArray Input::AnyArray(Long maxCount) {
    if (Pick(3) == 0) return MakeArray<Double>(*this, maxCount, [this](Long) { return AnyDouble(); });
    Double next = AnyDouble();  // ascending from here, now and then with a repeat
    return MakeArray<Double>(*this, maxCount, [this, &next](Long) {
        const Double value = next;
        next = next + bytes_.ConsumeIntegralInRange<int>(0, 8) / 2.0;
        return value;
    });
}

LongArray Input::AnyLongArray() {
    return MakeArray<Long>(*this, kMaxElements, [this](Long) { return AnyLong(); });
}

StringArray Input::AnyStringArray() {
    return MakeArray<String>(*this, kMaxElements, [this](Long) { return AnyText().substr(0, 3); });
}

namespace {
// The bounds of dimension d of a grid: an axis's own bounds, or the input's.
void GridBounds(Input& in, const DoubleArray& axis, Long& lower, Long& upper) {
    if (axis.HasBounds() && in.Pick(6) != 0) {
        lower = axis.LBound();
        upper = axis.UBound();
        if (std::int64_t{upper} - lower >= kMaxExtent) upper = lower + kMaxExtent - 1;
        return;
    }
    Long count;
    in.AnyBounds(kMaxExtent, lower, count);
    upper = static_cast<Long>(std::int64_t{lower} + (count < 0 ? 0 : count) - 1);
}
}  // namespace

DoubleArray2D Input::AnyGrid(const DoubleArray& rows, const DoubleArray& cols) {
    if (Pick(10) == 0) return {};
    Long l1, u1, l2, u2;
    GridBounds(*this, rows, l1, u1);
    GridBounds(*this, cols, l2, u2);
    DoubleArray2D grid(l1, u1, l2, u2);
    for (std::int64_t i = l1; i <= u1; ++i)
        for (std::int64_t j = l2; j <= u2; ++j) grid(static_cast<Long>(i), static_cast<Long>(j)) = AnyDouble();
    return grid;
}

DoubleArray3D Input::AnyGrid(const DoubleArray& a, const DoubleArray& b, const DoubleArray& c) {
    if (Pick(10) == 0) return {};
    Long l1, u1, l2, u2, l3, u3;
    GridBounds(*this, a, l1, u1);
    GridBounds(*this, b, l2, u2);
    GridBounds(*this, c, l3, u3);
    DoubleArray3D grid(l1, u1, l2, u2, l3, u3);
    for (std::int64_t i = l1; i <= u1; ++i)
        for (std::int64_t j = l2; j <= u2; ++j)
            for (std::int64_t k = l3; k <= u3; ++k)
                grid(static_cast<Long>(i), static_cast<Long>(j), static_cast<Long>(k)) = AnyDouble();
    return grid;
}

namespace {

const int kRoundingModes[] = {FE_TONEAREST, FE_TONEAREST, FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO};
const int kFlags[] = {FE_INEXACT, FE_UNDERFLOW, FE_OVERFLOW, FE_DIVBYZERO, FE_INVALID};

unsigned ControlState() {
#ifdef FUZZ_X86_CONTROL
    std::fenv_t env;
    std::fegetenv(&env);
    constexpr unsigned kMxcsrFlags = 0x3F;  // the six sticky flags; the rest are modes and masks
    return (unsigned{env.__control_word} << 16) ^ (env.__mxcsr & ~kMxcsrFlags);
#else
    return 0;
#endif
}

}  // namespace

HostState PrepareHost(Input& in) {
    HostState host{};
    host.rounding = kRoundingModes[in.Pick(6)];
    for (int flag : kFlags) {
        if (in.Flag()) host.flagsSet |= flag;
    }
    std::fesetround(host.rounding);
    std::feclearexcept(FE_ALL_EXCEPT);
    std::feraiseexcept(host.flagsSet);
    host.control = ControlState();
    return host;
}

void CheckHost(const HostState& before) {
    if (std::fegetround() != before.rounding) Finding("the rounding mode changed", "");
    if (ControlState() != before.control) Finding("the exception masks or modes changed", "");
    if (std::fetestexcept(before.flagsSet) != before.flagsSet) Finding("a flag the host had set was cleared", "");
    std::fesetround(FE_TONEAREST);
}

void CheckError(const LibraryError& e) {
    switch (e.kind()) {
        case ErrorKind::OverflowError:
        case ErrorKind::SubscriptOutOfRange:
        case ErrorKind::FloatingPointFault:
        case ErrorKind::InvalidArgument:
        case ErrorKind::TypeMismatch:
        case ErrorKind::MissingObject:
        case ErrorKind::OutOfMemory:
            if (e.what() == nullptr || e.what()[0] == '\0') Finding("a LibraryError without a message", "");
            return;
    }
    Finding("a LibraryError of an undeclared kind", e.what());
}

void CheckBoolean(Boolean b) {
    if (b.Raw() != 0 && b.Raw() != -1) Finding("a Boolean that is neither True nor False", "");
}

void Finding(const char* what, const char* detail) {
    std::fprintf(stderr, "FINDING: %s %s\n", what, detail);
    std::abort();
}

}  // namespace fuzz
