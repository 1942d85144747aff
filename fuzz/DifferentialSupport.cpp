#include "Differential.h"

#include <algorithm>
#include <cfenv>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <limits>

#include <Tervanix/elementary/FloatBits.h>
#include <Tervanix/runtime/FalseReason.h>
#include <Tervanix/runtime/MatrixTiles.h>

namespace differential {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMax = std::numeric_limits<double>::max();

const double kHostileDoubles[] = {
    0.0, -0.0, 1.0, -1.0, 0.5, 2.0, 10.0, 1e-12, 3.14159265358979, std::numeric_limits<double>::quiet_NaN(),
    -std::numeric_limits<double>::quiet_NaN(), kInf, -kInf, kMax, -kMax, kMax / 2, 1e154, -1e154, 1e308,
    std::numeric_limits<double>::min(), std::numeric_limits<double>::denorm_min(),
    -std::numeric_limits<double>::denorm_min(), 32767.0, 32767.5, -32768.5, 2147483647.5, -2147483648.5,
    45.0, 90.0, 180.0, 270.0, 360.0,
};

const std::int64_t kHostileWholes[] = {
    0, 1, -1, 2, 3, 5, 32767, -32768, 32766, 2147483647, -2147483647 - 1, 2147483646, 65535, 65536,
};

}  // namespace

unsigned Bytes::Pick(unsigned n) {
    if (n <= 1) return 0;
    unsigned value = Byte();
    if (n > 256) value = value << 8 | Byte();
    return value % n;
}

double Bytes::AnyDouble() {
    switch (Pick(4)) {
        case 0: return kHostileDoubles[Pick(sizeof kHostileDoubles / sizeof *kHostileDoubles)];
        case 1: {
            std::uint64_t bits = 0;
            for (int k = 0; k < 8; ++k) bits = bits << 8 | Byte();
            return tervanix::rt::FromBits(bits);
        }
        default: return static_cast<double>(static_cast<int>(Pick(41)) - 20) / (Flag() ? 1.0 : 4.0);
    }
}

std::int64_t Bytes::AnyWhole() {
    if (Flag()) return static_cast<int>(Pick(11)) - 3;
    const std::int64_t value = kHostileWholes[Pick(sizeof kHostileWholes / sizeof *kHostileWholes)];
    return Flag() ? -value : value;
}

std::int64_t Bytes::AnyLower() {
    switch (Pick(8)) {
        case 0: return AnyWhole();
        case 1: return 0;
        case 2: return -32768;
        case 3: return 32760;
        default: return 1;
    }
}

Log& Log::operator<<(const char* text) {
    lines.back() += text;
    return *this;
}

Log& Log::operator<<(const std::string& text) {
    lines.back() += text;
    return *this;
}

Log& Log::operator<<(double value) {
    if (std::isnan(value)) return *this << " NaN";
    char text[32];
    std::snprintf(text, sizeof text, " %a", value);
    return *this << text;
}

Log& Log::operator<<(std::int64_t value) {
    char text[32];
    std::snprintf(text, sizeof text, " %" PRId64, value);
    return *this << text;
}

Log& Log::operator<<(const std::u16string& text) {
    lines.back() += " \"";
    for (const char16_t c : text) {
        if (c >= 32 && c < 127 && c != '"' && c != '\\') {
            lines.back() += static_cast<char>(c);
        } else {
            char escaped[16];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            lines.back() += escaped;
        }
    }
    lines.back() += '"';
    return *this;
}

namespace {

// The line up to the host's state: the call, its arguments and its outcome.
std::string CallOf(const std::string& line) { return line.substr(0, line.find(" |")); }

// Up to 80 characters of the line around position `at`.
std::string Around(const std::string& line, std::size_t at) {
    const std::size_t from = at < 40 ? 0 : at - 40;
    return (from > 0 ? "..." : "") + line.substr(from, 80) + (from + 80 < line.size() ? "..." : "");
}

// The first call whose lines differ, described; empty when every line agrees.
std::string FirstDifference(const Log& normal, const Log& reference, const char* normalName) {
    const std::size_t calls = std::max(normal.lines.size(), reference.lines.size());
    for (std::size_t k = 0; k < calls; ++k) {
        const std::string a = k < normal.lines.size() ? normal.lines[k] : "(no call)";
        const std::string b = k < reference.lines.size() ? reference.lines[k] : "(no call)";
        if (a == b) continue;
        std::size_t at = 0;
        while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
        return "call " + std::to_string(k + 1) + ": " + CallOf(a) + "\n  " + normalName + ":    " + Around(a, at) +
               "\n  reference build: " + Around(b, at) + "\n  (whole lines: normal, then reference)\n" + a +
               "\n" + b;
    }
    return {};
}

}  // namespace

// The normal library runs each input twice where the processor has AVX2: with the
// matrix tiles' AVX2 vectors and with their vectors of two Doubles, which every other
// processor takes (tervanix::rt::UseTileVectors), so that one machine checks both.
// Each run starts from the thread's last False as the first found it.
std::string Compare(const std::uint8_t* data, std::size_t size) {
    using tervanix::rt::TileVectors;
    tervanix::rt::LastFalse before;
    tervanix::rt::SaveLastFalse(before);
    Log reference;
    std::feclearexcept(FE_ALL_EXCEPT);
    RunReference(data, size, reference);
    std::feclearexcept(FE_ALL_EXCEPT);
    const bool avx2 = tervanix::rt::UseTileVectors(TileVectors::Avx2);
    for (const TileVectors vectors : {TileVectors::Pairs, TileVectors::Avx2}) {
        if (vectors == TileVectors::Avx2 && !avx2) break;
        tervanix::rt::UseTileVectors(vectors);
        tervanix::rt::RestoreLastFalse(before);
        Log normal;
        RunNormal(data, size, normal);
        std::feclearexcept(FE_ALL_EXCEPT);
        const std::string difference = FirstDifference(
            normal, reference, vectors == TileVectors::Pairs ? "normal build (tiles in pairs)" : "normal build (AVX2)");
        if (!difference.empty()) {
            tervanix::rt::UseTileVectors(TileVectors::Processor);
            return difference;
        }
    }
    tervanix::rt::UseTileVectors(TileVectors::Processor);
    return {};
}

}  // namespace differential
