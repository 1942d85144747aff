#include <Tervanix/cGenUtil.h>

#include "Binding.h"
#include "Strings.h"

using namespace tervanix;
using namespace tervanix::c;

namespace {

const cGenUtil util;

// The body of a method that writes binary text: the text goes to the caller by `deliver`.
template <typename Write, typename Deliver>
tvx_status TextOf(const char* where, Write write, Deliver deliver) noexcept {
    return Guard(where, [&] {
        String text;
        const Boolean done = write(text);
        deliver(text);
        return Verdict(done);
    });
}

}  // namespace

extern "C" {

tvx_status tvx_cGenUtil_Min(double X, double Y, double* result) {
    return ResultOf("cGenUtil.Min", result, [&] { return util.Min(X, Y); });
}

tvx_status tvx_cGenUtil_Max(double X, double Y, double* result) {
    return ResultOf("cGenUtil.Max", result, [&] { return util.Max(X, Y); });
}

tvx_status tvx_cGenUtil_Avg(double X, double Y, double* result) {
    return ResultOf("cGenUtil.Avg", result, [&] { return util.Avg(X, Y); });
}

tvx_status tvx_cGenUtil_Log10(double X, double* result) {
    return ResultOf("cGenUtil.Log10", result, [&] { return util.Log10(X); });
}

tvx_status tvx_cGenUtil_Log10Sum(double X, double Y, double* result) {
    return ResultOf("cGenUtil.Log10Sum", result, [&] { return util.Log10Sum(X, Y); });
}

tvx_status tvx_cGenUtil_LogDBSum(double X, double Y, double* result) {
    return ResultOf("cGenUtil.LogDBSum", result, [&] { return util.LogDBSum(X, Y); });
}

tvx_status tvx_cGenUtil_IsEqualAbs(double X, double Y, double tol) {
    return Guard("cGenUtil.IsEqualAbs", [&] { return Verdict(util.IsEqualAbs(X, Y, tol)); });
}

tvx_status tvx_cGenUtil_IsEqualRel(double X, double Y, double tol) {
    return Guard("cGenUtil.IsEqualRel", [&] { return Verdict(util.IsEqualRel(X, Y, tol)); });
}

tvx_status tvx_cGenUtil_IntToBin(int16_t nInt, uint16_t* sBin, int32_t capacity, int32_t* length) {
    return TextOf(
        "cGenUtil.IntToBin", [&](String& text) { return util.IntToBin(nInt, text); },
        [&](const String& text) { c::ToUnits(text, sBin, capacity, length, "sBin"); });
}

tvx_status tvx_cGenUtil_BinToInt(const uint16_t* sBin, int32_t length, int16_t* nInt) {
    return Guard("cGenUtil.BinToInt",
                 [&] { return Verdict(util.BinToInt(c::FromUnits(sBin, length, "sBin"), Ref(nInt, "nInt"))); });
}

tvx_status tvx_cGenUtil_LongToBin(int32_t lngLong, uint16_t* sBin, int32_t capacity, int32_t* length) {
    return TextOf(
        "cGenUtil.LongToBin", [&](String& text) { return util.LongToBin(lngLong, text); },
        [&](const String& text) { c::ToUnits(text, sBin, capacity, length, "sBin"); });
}

tvx_status tvx_cGenUtil_BinToLong(const uint16_t* sBin, int32_t length, int32_t* lngLong) {
    return Guard("cGenUtil.BinToLong",
                 [&] { return Verdict(util.BinToLong(c::FromUnits(sBin, length, "sBin"), Ref(lngLong, "lngLong"))); });
}

tvx_status tvx_cGenUtil_IntToBinUtf8(int16_t nInt, char* sBin, size_t capacity) {
    return TextOf(
        "cGenUtil.IntToBin", [&](String& text) { return util.IntToBin(nInt, text); },
        [&](const String& text) { c::ToUtf8(text, sBin, capacity, "sBin"); });
}

tvx_status tvx_cGenUtil_BinToIntUtf8(const char* sBin, int16_t* nInt) {
    return Guard("cGenUtil.BinToInt",
                 [&] { return Verdict(util.BinToInt(c::FromUtf8(sBin, "sBin"), Ref(nInt, "nInt"))); });
}

tvx_status tvx_cGenUtil_LongToBinUtf8(int32_t lngLong, char* sBin, size_t capacity) {
    return TextOf(
        "cGenUtil.LongToBin", [&](String& text) { return util.LongToBin(lngLong, text); },
        [&](const String& text) { c::ToUtf8(text, sBin, capacity, "sBin"); });
}

tvx_status tvx_cGenUtil_BinToLongUtf8(const char* sBin, int32_t* lngLong) {
    return Guard("cGenUtil.BinToLong",
                 [&] { return Verdict(util.BinToLong(c::FromUtf8(sBin, "sBin"), Ref(lngLong, "lngLong"))); });
}

}  // extern "C"
