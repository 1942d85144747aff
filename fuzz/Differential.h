// The differential check: the same calls, read from the same bytes, run through the
// normal library and through the reference library (every method on its plain
// step-by-step path), each side writing a line per call: the call and its
// arguments, what it returned or raised, and every output and array after it. The
// two lines of each call must be identical.
//
// The reference library is the same sources compiled with TERVANIX_STEP_BY_STEP=1
// and the namespace renamed (tervanix_reference), so that both link into one
// program; DifferentialCalls.cpp is compiled once against each. This header holds
// only what both sides share and so uses no type of the library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace differential {

// Choices read from the input bytes; past their end every choice is 0.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool More() const { return next_ < size_; }
    unsigned Pick(unsigned n);  // 0 to n - 1
    bool Flag() { return Pick(2) == 1; }
    double AnyDouble();         // hostile values, small whole numbers, raw bit patterns
    std::int64_t AnyWhole();    // Integer and Long limits and their neighbours, small numbers
    std::int64_t AnyLower();    // a lower bound: 1 mostly, else anywhere in the Long range

private:
    std::uint8_t Byte() { return next_ < size_ ? data_[next_++] : 0; }
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t next_ = 0;
};

// One line per call.
class Log {
public:
    void Begin(const char* call) {
        lines.emplace_back(call);
    }
    Log& operator<<(const char* text);
    Log& operator<<(const std::string& text);
    Log& operator<<(double value);  // its bits, every NaN written as NaN
    Log& operator<<(std::int64_t value);
    Log& operator<<(const std::u16string& text);
    std::vector<std::string> lines;
};

// Both sides, defined by DifferentialCalls.cpp under the two libraries.
void RunNormal(const std::uint8_t* data, std::size_t size, Log& log);
void RunReference(const std::uint8_t* data, std::size_t size, Log& log);

// Runs the input through both sides; the empty string when they agree, else a
// description of the first call whose lines differ.
std::string Compare(const std::uint8_t* data, std::size_t size);

}  // namespace differential
