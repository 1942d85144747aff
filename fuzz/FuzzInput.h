// What every fuzz target shares: hostile values read from the fuzzer's bytes, and
// the check that each library call must pass. A call may end normally or with a
// LibraryError of a declared kind and a non-empty message; it must leave the
// rounding mode and the exception masks as they were and clear no flag the host had
// set. Anything else aborts the run, which the fuzzer reports as a finding.
#pragma once

#include <array>
#include <cstdint>
#include <exception>
#include <fuzzer/FuzzedDataProvider.h>
#include <optional>

#include <Tervanix/Tervanix.h>

namespace fuzz {

using namespace tervanix;

// At most this many elements per array (and per dimension of a grid or matrix), so
// that every input runs in microseconds; the bounds themselves may lie anywhere.
constexpr Long kMaxElements = 24;
constexpr Long kMaxExtent = 6;

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : bytes_(data, size) {}

    bool More() { return bytes_.remaining_bytes() > 0; }
    int Pick(int n) { return bytes_.ConsumeIntegralInRange<int>(0, n - 1); }
    bool Flag() { return bytes_.ConsumeBool(); }

    Double AnyDouble();
    Long AnyLong();
    Integer AnyInteger();
    Boolean AnyBoolean() { return Boolean::FromRaw(static_cast<std::int16_t>(AnyInteger())); }
    String AnyText();  // mostly binary digits, with signs, spaces and strangers
    template <std::size_t N>
    std::array<Double, N> Doubles() {
        std::array<Double, N> values;
        for (Double& v : values) v = AnyDouble();
        return values;
    }

    // A one-dimensional array: never bounded, empty, or holding up to `maxCount`
    // elements between bounds anywhere in the Long range; ascending elements when
    // the input asks for them, so that table lookups get past their screening.
    DoubleArray AnyArray(Long maxCount = kMaxElements);
    LongArray AnyLongArray();
    StringArray AnyStringArray();
    // Bounds (lower, count) of one dimension: count -1 means never bounded.
    void AnyBounds(Long maxCount, Long& lower, Long& count);
    // A grid of values over the bounds of the given axes (or, now and then, others).
    DoubleArray2D AnyGrid(const DoubleArray& rows, const DoubleArray& cols);
    DoubleArray3D AnyGrid(const DoubleArray& a, const DoubleArray& b, const DoubleArray& c);

private:
    FuzzedDataProvider bytes_;
};

// The host's side of a call: rounding mode, masks and flags before it.
struct HostState {
    int rounding;
    unsigned control;  // x87 control word and MXCSR modes and masks, where there are any
    int flagsSet;
};

HostState PrepareHost(Input& in);  // sets a rounding mode and some flags from the input
void CheckHost(const HostState& before);
void CheckError(const LibraryError& e);
void CheckBoolean(Boolean b);  // every Boolean the library returns is -1 or 0
[[noreturn]] void Finding(const char* what, const char* detail);

// Runs one library call under the checks above, and gives the kind of the error it
// ended with, if any. Now and then the call runs inside an FpEnvironmentScope, which
// must give the host's environment back as well.
template <typename Call>
std::optional<ErrorKind> Checked(Input& in, Call&& call) {
    const bool scoped = in.Pick(8) == 0;
    const HostState before = PrepareHost(in);
    std::optional<ErrorKind> error;
    try {
        if (scoped) {
            FpEnvironmentScope scope;
            call();
        } else {
            call();
        }
    } catch (const LibraryError& e) {
        CheckError(e);
        error = e.kind();
    } catch (const std::exception& e) {
        Finding("an exception that is not a LibraryError", e.what());
    } catch (...) {
        Finding("an exception of unknown type", "");
    }
    CheckHost(before);
    return error;
}

}  // namespace fuzz
