// tervanix_com_units: the component's value conversions (com/src/Convert.cpp,
// com/src/Errors.cpp) called directly on VARIANTs of every kind a host can pass, most
// of which no script produces (a Boolean whose raw value is 1, a Currency, a Decimal,
// 64-bit integers, typed arrays of every element type with lower bounds 0, 1 and -5,
// 2-D and 3-D arrays), and then through the DLL's own class factory and Invoke, to
// see the argument named in the error. Needs no registration.
//
// Usage: tervanix_com_units.exe PATH\tervanix_com.dll
// Prints "FAILED: ..." for each check that fails and ends with
// "com units: N passed, M failed".
#include <windows.h>
#include <oleauto.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "Convert.h"
#include "Errors.h"

namespace {

using tervanix::Boolean;
using tervanix::DoubleArray;
using tervanix::DoubleArray2D;
using tervanix::DoubleArray3D;
using tervanix::Integer;
using tervanix::Long;
using tervanix::String;
using tervanix::Variant;
using tvcom::BindingError;

int g_passed = 0, g_failed = 0;

bool Check(const std::string& name, bool ok) {
    if (ok) ++g_passed;
    else {
        ++g_failed;
        std::printf("FAILED: %s\n", name.c_str());
    }
    return ok;
}

// The call must be refused with the run-time error `number` and exactly `text` (the
// part of the message that follows the argument's name).
void Refused(const std::string& name, int number, const std::string& text, const std::function<void()>& call) {
    try {
        call();
        Check(name + ": no error", false);
    } catch (const BindingError& e) {
        if (!Check(name, e.number == number && e.text == text)) {
            std::printf("  got %d \"%s\", expected %d \"%s\"\n", e.number, e.text.c_str(), number, text.c_str());
        }
    } catch (const tervanix::LibraryError& e) {
        Check(name + ": a LibraryError instead: " + e.what(), false);
    }
}

template <typename T>
bool Returns(const std::string& name, const std::function<T()>& call, T expected) {
    try {
        const T got = call();
        return Check(name, got == expected);
    } catch (const BindingError& e) {
        return Check(name + ": refused with " + std::to_string(e.number) + " " + e.text, false);
    }
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// ---- VARIANTs ----

struct Var {  // an owned VARIANT
    VARIANT v;
    Var() { VariantInit(&v); }
    ~Var() { VariantClear(&v); }
    Var(const Var&) = delete;
    Var& operator=(const Var&) = delete;
    VARIANT* operator&() { return &v; }
};

VARIANT Make(VARTYPE t) {
    VARIANT v;
    VariantInit(&v);
    v.vt = t;
    return v;
}
VARIANT R8(double x) { VARIANT v = Make(VT_R8); v.dblVal = x; return v; }
VARIANT R4(float x) { VARIANT v = Make(VT_R4); v.fltVal = x; return v; }
VARIANT I2(short x) { VARIANT v = Make(VT_I2); v.iVal = x; return v; }
VARIANT I4(LONG x) { VARIANT v = Make(VT_I4); v.lVal = x; return v; }
VARIANT I8(LONGLONG x) { VARIANT v = Make(VT_I8); v.llVal = x; return v; }
VARIANT UI1(BYTE x) { VARIANT v = Make(VT_UI1); v.bVal = x; return v; }
VARIANT UI4(ULONG x) { VARIANT v = Make(VT_UI4); v.ulVal = x; return v; }
VARIANT RawBool(short raw) { VARIANT v = Make(VT_BOOL); v.boolVal = raw; return v; }
VARIANT Cy(LONGLONG tenThousandths) { VARIANT v = Make(VT_CY); v.cyVal.int64 = tenThousandths; return v; }
VARIANT Date(double days) { VARIANT v = Make(VT_DATE); v.date = days; return v; }
VARIANT Dec(double x) {
    VARIANT d = R8(x), v = Make(VT_EMPTY);
    VariantChangeType(&v, &d, 0, VT_DECIMAL);
    return v;
}
VARIANT Text(const wchar_t* s) { VARIANT v = Make(VT_BSTR); v.bstrVal = SysAllocString(s); return v; }
VARIANT Missing() { VARIANT v = Make(VT_ERROR); v.scode = DISP_E_PARAMNOTFOUND; return v; }
VARIANT RefTo(VARIANT* inner) { VARIANT v = Make(VT_BYREF | VT_VARIANT); v.pvarVal = inner; return v; }

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// A minimal object, for "an object where a number is needed".
struct Dummy : IDispatch {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return DISP_E_MEMBERNOTFOUND;
    }
} g_dummy;

VARIANT Object(IDispatch* p) { VARIANT v = Make(VT_DISPATCH); v.pdispVal = p; return v; }

// ---- SAFEARRAYs ----

// A SAFEARRAY of `type` with the given (lower bound, count) per dimension, first
// dimension first, whose element at subscripts s is value(s) (stored with
// SafeArrayPutElement, so the platform, not the component, decides where it goes).
SAFEARRAY* Filled(VARTYPE type, std::vector<std::pair<LONG, ULONG>> dims,
                  const std::function<double(const LONG*)>& value) {
    std::vector<SAFEARRAYBOUND> b;
    for (auto& d : dims) b.push_back({d.second, d.first});
    SAFEARRAY* sa = SafeArrayCreate(type, static_cast<UINT>(b.size()), b.data());
    const int rank = static_cast<int>(dims.size());
    std::vector<LONG> s(rank);
    for (int d = 0; d < rank; ++d) s[d] = dims[d].first;
    for (;;) {
        VARIANT d = R8(value(s.data())), e;
        VariantInit(&e);
        if (type == VT_VARIANT) {
            SafeArrayPutElement(sa, s.data(), &d);
        } else {
            VariantChangeType(&e, &d, 0, type);
            if (type == VT_BSTR) SafeArrayPutElement(sa, s.data(), e.bstrVal);
            else if (type == VT_DECIMAL) SafeArrayPutElement(sa, s.data(), &e.decVal);
            else SafeArrayPutElement(sa, s.data(), &e.llVal);
            VariantClear(&e);
        }
        int d2 = rank - 1;
        while (d2 >= 0 && s[d2] == dims[d2].first + static_cast<LONG>(dims[d2].second) - 1) s[d2] = dims[d2].first, --d2;
        if (d2 < 0) return sa;
        ++s[d2];
    }
}

SAFEARRAY* Row(VARTYPE type, LONG lower, std::vector<double> values) {
    return Filled(type, {{lower, static_cast<ULONG>(values.size())}},
                  [&](const LONG* s) { return values[static_cast<size_t>(s[0] - lower)]; });
}

// The element at subscripts s, as a VARIANT (a copy).
VARIANT At(SAFEARRAY* sa, std::vector<LONG> s) {
    VARTYPE t = VT_EMPTY;
    SafeArrayGetVartype(sa, &t);
    VARIANT v;
    VariantInit(&v);
    if (t == VT_VARIANT) {
        SafeArrayGetElement(sa, s.data(), &v);
    } else {
        v.vt = t;
        if (t == VT_BSTR) SafeArrayGetElement(sa, s.data(), &v.bstrVal);
        else if (t == VT_DECIMAL) SafeArrayGetElement(sa, s.data(), &v.decVal);
        else SafeArrayGetElement(sa, s.data(), &v.llVal);
    }
    return v;
}

double AsDouble(VARIANT v) {
    VARIANT d;
    VariantInit(&d);
    VariantChangeType(&d, &v, 0, VT_R8);
    VariantClear(&v);
    return d.dblVal;
}

// The ways a host passes an array: by value, in a Variant variable, typed by
// reference, fixed-size by reference (FADF_FIXEDSIZE, as VBA's Dim x(1 To 3)).
enum class Shape { ByValue, InVariant, TypedByRef, FixedByRef };
const Shape kShapes[] = {Shape::ByValue, Shape::InVariant, Shape::TypedByRef, Shape::FixedByRef};
const char* NameOf(Shape s) {
    switch (s) {
        case Shape::ByValue: return "by value";
        case Shape::InVariant: return "in a Variant variable";
        case Shape::TypedByRef: return "typed by reference";
        default: return "fixed-size by reference";
    }
}

// A host's argument holding the array `sa` in `shape`. Owns the array.
struct Passed {
    SAFEARRAY* sa;
    VARIANT inner, outer;
    Passed(SAFEARRAY* array, Shape shape) : sa(array) {
        VARTYPE t = VT_EMPTY;
        if (sa) SafeArrayGetVartype(sa, &t);
        VariantInit(&inner);
        VariantInit(&outer);
        switch (shape) {
            case Shape::ByValue: outer.vt = VT_ARRAY | t; outer.parray = sa; break;
            case Shape::InVariant: inner.vt = VT_ARRAY | t; inner.parray = sa; outer = RefTo(&inner); break;
            case Shape::FixedByRef:
                sa->fFeatures |= FADF_FIXEDSIZE;
                [[fallthrough]];
            case Shape::TypedByRef: outer.vt = VT_BYREF | VT_ARRAY | t; outer.pparray = &sa; break;
        }
    }
    ~Passed() {
        if (sa) {
            sa->fFeatures &= static_cast<USHORT>(~FADF_FIXEDSIZE);
            SafeArrayDestroy(sa);
        }
    }
    Passed(const Passed&) = delete;
    Passed& operator=(const Passed&) = delete;
    const VARIANT* operator&() const { return &outer; }
};

// ---- the scalar conversions ----

void WholeNumbers() {
    using F = std::function<Integer()>;
    const struct { double in; Integer out; } halfToEven[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {2.4999999999999996, 2},
        {2.5000000000000004, 3}, {32766.5, 32766}, {32767.49, 32767}, {-32768.5, -32768}, {-32767.5, -32768}};
    for (const auto& c : halfToEven) {
        VARIANT v = R8(c.in);
        Returns<Integer>("Integer from the Double " + std::to_string(c.in) + " rounds half to even",
                         F([&] { return tvcom::ReadInteger(&v); }), c.out);
    }
    const struct { double in; Long out; } longs[] = {
        {2.5, 2}, {-3.5, -4}, {2147483646.5, 2147483646}, {2147483647.4, 2147483647}, {-2147483648.5, -2147483647 - 1},
        {1e9 + 0.5, 1000000000}};
    for (const auto& c : longs) {
        VARIANT v = R8(c.in);
        Returns<Long>("Long from the Double " + std::to_string(c.in) + " rounds half to even",
                      std::function<Long()>([&] { return tvcom::ReadLong(&v); }), c.out);
    }
    const char* integerRange = "does not fit an Integer (-32768 to 32767)";
    const char* longRange = "does not fit a Long (-2147483648 to 2147483647)";
    for (double out : {32767.5, 32768.0, -32768.5000001, -40000.0, 1e300, kInf, -kInf}) {
        VARIANT v = R8(out);
        Refused("Integer from " + std::to_string(out) + " is error 6", 6, integerRange, [&] { tvcom::ReadInteger(&v); });
    }
    for (double out : {2147483647.5, -2147483648.5000005, 3e9, kInf}) {
        VARIANT v = R8(out);
        Refused("Long from " + std::to_string(out) + " is error 6", 6, longRange, [&] { tvcom::ReadLong(&v); });
    }
    {
        // A NaN lies in no range: CInt of it is an overflow, never some number.
        VARIANT v = R8(kNaN);
        Refused("Integer from a NaN is error 6", 6, integerRange, [&] { tvcom::ReadInteger(&v); });
        Refused("Long from a NaN is error 6", 6, longRange, [&] { tvcom::ReadLong(&v); });
        VARIANT f = R4(std::numeric_limits<float>::quiet_NaN());
        Refused("Integer from a Single NaN is error 6", 6, integerRange, [&] { tvcom::ReadInteger(&f); });
        double nan = kNaN;
        VARIANT ref = Make(VT_BYREF | VT_R8);
        ref.pdblVal = &nan;
        Refused("Long from a NaN by reference is error 6", 6, longRange, [&] { tvcom::ReadLong(&ref); });
    }
    {
        // A Boolean is -1 or 0 as a whole number too, whatever raw value its host gave True.
        VARIANT one = RawBool(1), zero = RawBool(0);
        VARIANT_BOOL raw = 2;
        VARIANT ref = Make(VT_BYREF | VT_BOOL);
        ref.pboolVal = &raw;
        Returns<Integer>("Integer from a Boolean whose raw value is 1", F([&] { return tvcom::ReadInteger(&one); }), -1);
        Returns<Long>("Long from a Boolean whose raw value is 1", std::function<Long()>([&] { return tvcom::ReadLong(&one); }), -1);
        Returns<Long>("Long from a Boolean by reference whose raw value is 2",
                      std::function<Long()>([&] { return tvcom::ReadLong(&ref); }), -1);
        Returns<Integer>("Integer from False", F([&] { return tvcom::ReadInteger(&zero); }), 0);
    }
    {
        VARIANT big = I4(32768), small = I4(-32769), edge = I4(-32768), l8 = I8(2147483648LL), l8ok = I8(-2147483648LL);
        Refused("Integer from the Long 32768 is error 6", 6, integerRange, [&] { tvcom::ReadInteger(&big); });
        Refused("Integer from the Long -32769 is error 6", 6, integerRange, [&] { tvcom::ReadInteger(&small); });
        Returns<Integer>("Integer from the Long -32768", F([&] { return tvcom::ReadInteger(&edge); }), -32768);
        Refused("Long from a 64-bit 2^31 is error 6", 6, longRange, [&] { tvcom::ReadLong(&l8); });
        Returns<Long>("Long from a 64-bit -2^31", std::function<Long()>([&] { return tvcom::ReadLong(&l8ok); }),
                      -2147483647 - 1);
        VARIANT u4 = UI4(4000000000u);
        Refused("Long from an unsigned 4e9 is error 6", 6, longRange, [&] { tvcom::ReadLong(&u4); });
    }
    // Every numeric type converts, with the same rounding.
    const struct { const char* what; VARIANT v; Integer out; } kinds[] = {
        {"Single 2.5", R4(2.5f), 2}, {"Single 3.5", R4(3.5f), 4}, {"Currency 2.5", Cy(25000), 2},
        {"Currency -3.5", Cy(-35000), -4}, {"Decimal 2.5", Dec(2.5), 2}, {"Decimal 3.5", Dec(3.5), 4},
        {"Byte 255", UI1(255), 255}, {"Boolean True", RawBool(VARIANT_TRUE), -1}, {"Date 2.5", Date(2.5), 2},
        {"a 64-bit 7", I8(7), 7}, {"Long 12", I4(12), 12}};
    for (const auto& k : kinds) {
        VARIANT v = k.v;
        Returns<Integer>(std::string("Integer from the ") + k.what, F([&] { return tvcom::ReadInteger(&v); }), k.out);
    }
    // By reference, and through a by-reference Variant.
    double d = 4.5;
    VARIANT ref = Make(VT_BYREF | VT_R8);
    ref.pdblVal = &d;
    VARIANT inner = R8(5.5), outer = RefTo(&inner), outer2 = RefTo(&outer);
    Returns<Integer>("Integer from a Double by reference", F([&] { return tvcom::ReadInteger(&ref); }), 4);
    Returns<Integer>("Integer from a Variant by reference", F([&] { return tvcom::ReadInteger(&outer2); }), 6);
    short i2 = -7;
    VARIANT refI2 = Make(VT_BYREF | VT_I2);
    refI2.piVal = &i2;
    Returns<Long>("Long from an Integer by reference", std::function<Long()>([&] { return tvcom::ReadLong(&refI2); }), -7);
}

void NotNumbers() {
    struct Case {
        const char* what;
        VARIANT v;
        const char* described;
    };
    VARIANT array = Make(VT_ARRAY | VT_R8);
    array.parray = Row(VT_R8, 0, {1, 2});
    Case cases[] = {{"Empty", Make(VT_EMPTY), "is Empty"},
                    {"Null", Make(VT_NULL), "is Null"},
                    {"text", Text(L"3"), "holds text"},
                    {"an object", Object(&g_dummy), "is an object"},
                    {"a missing argument", Missing(), "is missing"},
                    {"an array", array, "is an array"}};
    for (Case& c : cases) {
        VARIANT* v = &c.v;
        const std::string d = c.described;
        Refused(std::string("a Double from ") + c.what, 13, d + "; pass a number", [&] { tvcom::ReadDouble(v); });
        Refused(std::string("an Integer from ") + c.what, 13, d + "; pass a whole number", [&] { tvcom::ReadInteger(v); });
        Refused(std::string("a Long from ") + c.what, 13, d + "; pass a whole number", [&] { tvcom::ReadLong(v); });
        Refused(std::string("a Boolean from ") + c.what, 13, d + "; pass True or False", [&] { tvcom::ReadBoolean(v); });
        // The same, in a Variant passed by reference.
        VARIANT ref = RefTo(v);
        Refused(std::string("a Double from ") + c.what + " by reference", 13, d + "; pass a number",
                [&] { tvcom::ReadDouble(&ref); });
    }
    VARIANT nothing = Object(nullptr);
    Refused("a Double from Nothing", 13, "is Nothing; pass a number", [&] { tvcom::ReadDouble(&nothing); });
    Refused("a Long from Nothing", 13, "is Nothing; pass a whole number", [&] { tvcom::ReadLong(&nothing); });
    // Text is never read as a number, in any locale, even when it looks like one.
    VARIANT sure = Text(L"1.5");
    Refused("a Double from the text 1.5", 13, "holds text; pass a number", [&] { tvcom::ReadDouble(&sure); });
    VARIANT sureRef = Make(VT_BYREF | VT_BSTR);
    sureRef.pbstrVal = &sure.bstrVal;
    Refused("a Double from text by reference", 13, "holds text; pass a number", [&] { tvcom::ReadDouble(&sureRef); });
    VariantClear(&sure);
    VariantClear(&cases[2].v);
    SafeArrayDestroy(array.parray);
}

void Doubles() {
    using F = std::function<double()>;
    const struct { const char* what; VARIANT v; double out; } kinds[] = {
        {"Double", R8(0.1), 0.1}, {"Single 0.1", R4(0.1f), static_cast<double>(0.1f)}, {"Integer", I2(-5), -5},
        {"Long", I4(70000), 70000}, {"Byte", UI1(200), 200}, {"unsigned Long", UI4(4000000000u), 4e9},
        {"64-bit", I8(1LL << 53), 9007199254740992.0}, {"Currency 1.2345", Cy(12345), 1.2345},
        {"Decimal 0.1", Dec(0.1), 0.1}, {"Date", Date(45000.25), 45000.25},
        {"Boolean True (-1)", RawBool(VARIANT_TRUE), -1}, {"Boolean False", RawBool(VARIANT_FALSE), 0},
        {"a Boolean whose raw value is 1", RawBool(1), -1}, {"a Boolean whose raw value is 2", RawBool(2), -1}};
    for (const auto& k : kinds) {
        VARIANT v = k.v;
        Returns<double>(std::string("a Double from a ") + k.what, F([&] { return tvcom::ReadDouble(&v); }), k.out);
    }
    // Special values pass unchanged, bit for bit.
    for (double x : {-0.0, kInf, -kInf, 4.9e-324}) {
        VARIANT v = R8(x);
        Check("the Double " + std::to_string(x) + " passes bit for bit", SameBits(tvcom::ReadDouble(&v), x));
    }
    VARIANT n = R8(kNaN);
    Check("a NaN passes as a NaN", std::isnan(tvcom::ReadDouble(&n)));
    VARIANT bref = Make(VT_BYREF | VT_BOOL);
    VARIANT_BOOL raw = 1;
    bref.pboolVal = &raw;
    Returns<double>("a Double from a Boolean by reference whose raw value is 1",
                    F([&] { return tvcom::ReadDouble(&bref); }), -1);
}

void Booleans() {
    const struct { const char* what; VARIANT v; bool out; } kinds[] = {
        {"True", RawBool(VARIANT_TRUE), true}, {"False", RawBool(VARIANT_FALSE), false},
        {"raw 1", RawBool(1), true}, {"raw 2", RawBool(2), true}, {"the Long 2", I4(2), true},
        {"the Integer -1", I2(-1), true}, {"the Integer 0", I2(0), false}, {"the Double 0.1", R8(0.1), true},
        {"the Double 0", R8(0.0), false}, {"the Double -0", R8(-0.0), false}, {"the Double 1e-300", R8(1e-300), true},
        {"the Currency 0.0001", Cy(1), true}, {"the Decimal 0", Dec(0), false}, {"the Byte 1", UI1(1), true}};
    for (const auto& k : kinds) {
        VARIANT v = k.v;
        try {
            const Boolean b = tvcom::ReadBoolean(&v);
            // Whatever the host's raw value, the library sees True as -1 and False as 0.
            Check(std::string("the Boolean from ") + k.what, b.Raw() == (k.out ? -1 : 0));
        } catch (const BindingError& e) {
            Check(std::string("the Boolean from ") + k.what + ": refused: " + e.text, false);
        }
    }
    VARIANT_BOOL raw = 1;
    VARIANT ref = Make(VT_BYREF | VT_BOOL);
    ref.pboolVal = &raw;
    Check("a Boolean by reference whose raw value is 1 is True", tvcom::ReadBoolean(&ref).Raw() == -1);
    // Written back: True is -1 in every variable.
    VARIANT target = Make(VT_EMPTY), out = RefTo(&target);
    tvcom::WriteBoolean(&out, tervanix::True);
    Check("a Boolean output is VT_BOOL -1", target.vt == VT_BOOL && target.boolVal == VARIANT_TRUE);
    LONG asLong = 5;
    VARIANT typed = Make(VT_BYREF | VT_I4);
    typed.plVal = &asLong;
    tvcom::WriteBoolean(&typed, tervanix::True);
    Check("True written into a Long variable is -1", asLong == -1);
    tvcom::WriteBoolean(&typed, tervanix::False);
    Check("False written into a Long variable is 0", asLong == 0);
}

void Strings() {
    VARIANT s = Text(L"a\u00e9\U0001F600");
    const String got = tvcom::ReadString(&s);
    Check("text keeps its UTF-16 code units", got == String(u"a\u00e9\U0001F600"));
    VARIANT ref = Make(VT_BYREF | VT_BSTR);
    ref.pbstrVal = &s.bstrVal;
    Check("text by reference", tvcom::ReadString(&ref) == String(u"a\u00e9\U0001F600"));
    VariantClear(&s);
    VARIANT none = Make(VT_BSTR);
    none.bstrVal = nullptr;
    Check("a null BSTR is the empty text", tvcom::ReadString(&none).empty());
    VARIANT nul = Make(VT_BSTR);
    nul.bstrVal = SysAllocStringLen(L"a\0b", 3);
    Check("text with a NUL inside keeps it", tvcom::ReadString(&nul).size() == 3);
    VariantClear(&nul);
    VARIANT number = R8(1), empty = Make(VT_EMPTY);
    Refused("a number where text is needed", 13, "holds a value of type 5; pass text", [&] { tvcom::ReadString(&number); });
    Refused("Empty where text is needed", 13, "is Empty; pass text", [&] { tvcom::ReadString(&empty); });
    // Written into the caller's variable: a Variant receives a String, a typed String
    // variable its text; a variable of a number type cannot hold text.
    VARIANT target = Make(VT_EMPTY), out = RefTo(&target);
    tvcom::WriteString(&out, u"1011");
    Check("a String output into a Variant", target.vt == VT_BSTR && std::wcscmp(target.bstrVal, L"1011") == 0);
    VariantClear(&target);
    double d = 7;
    VARIANT typed = Make(VT_BYREF | VT_R8);
    typed.pdblVal = &d;
    Refused("text into a Double variable", 13, "cannot hold the output: the variable's type differs",
            [&] { tvcom::WriteString(&typed, u"abc"); });
    Check("the Double variable kept its value", d == 7);
}

void Outputs() {
    // A Variant variable receives the output's own type, whatever it held.
    VARIANT held = Text(L"old"), ref = RefTo(&held);
    tvcom::WriteDouble(&ref, 2.5);
    Check("a Double output into a Variant that held text", held.vt == VT_R8 && held.dblVal == 2.5);
    tvcom::WriteInteger(&ref, 3);
    Check("an Integer output into a Variant", held.vt == VT_I2 && held.iVal == 3);
    tvcom::WriteLong(&ref, 70000);
    Check("a Long output into a Variant", held.vt == VT_I4 && held.lVal == 70000);
    // Through two by-reference Variants, and into a typed variable behind one.
    double d = 0;
    VARIANT typed = Make(VT_BYREF | VT_R8);
    typed.pdblVal = &d;
    VARIANT viaVariant = RefTo(&typed);
    tvcom::WriteDouble(&viaVariant, -0.0);
    Check("a Double output reaches the typed variable behind a Variant", SameBits(d, -0.0));
    // A typed variable receives the value converted to its type.
    short i = 0;
    VARIANT intVar = Make(VT_BYREF | VT_I2);
    intVar.piVal = &i;
    tvcom::WriteDouble(&intVar, 2.5);
    Check("a Double output into an Integer variable rounds half to even", i == 2);
    tvcom::WriteDouble(&intVar, -3.5);
    Check("a Double output into an Integer variable rounds -3.5 to -4", i == -4);
    Refused("a Double output beyond an Integer variable's range", 6,
            "cannot hold the output: it does not fit the variable's type", [&] { tvcom::WriteDouble(&intVar, 40000); });
    Check("the Integer variable kept its value", i == -4);
    Refused("a NaN output into an Integer variable", 6, "cannot hold the output: it does not fit the variable's type",
            [&] { tvcom::WriteDouble(&intVar, kNaN); });
    LONG l = 0;
    VARIANT longVar = Make(VT_BYREF | VT_I4);
    longVar.plVal = &l;
    Refused("a NaN output into a Long variable", 6, "cannot hold the output: it does not fit the variable's type",
            [&] { tvcom::WriteDouble(&longVar, kNaN); });
    Check("the Long variable kept its value", l == 0);
    float f = 0;
    VARIANT singleVar = Make(VT_BYREF | VT_R4);
    singleVar.pfltVal = &f;
    tvcom::WriteLong(&singleVar, 16777217);
    Check("a Long output into a Single variable", f == 16777216.0f);
    // An argument passed by value receives nothing.
    VARIANT byValue = R8(1);
    tvcom::WriteDouble(&byValue, 9);
    Check("an argument passed by value is not written", byValue.vt == VT_R8 && byValue.dblVal == 1);
    VariantClear(&held);
    // A scalar Variant of the library as a VARIANT.
    VARIANT v = Make(VT_EMPTY);
    tvcom::StoreVariant(&v, Variant(Integer(4)));
    Check("StoreVariant: Integer", v.vt == VT_I2 && v.iVal == 4);
    tvcom::StoreVariant(&v, Variant(tervanix::True));
    Check("StoreVariant: True is -1", v.vt == VT_BOOL && v.boolVal == VARIANT_TRUE);
    tvcom::StoreVariant(&v, Variant(String(u"x")));
    Check("StoreVariant: String", v.vt == VT_BSTR && std::wcscmp(v.bstrVal, L"x") == 0);
    tvcom::StoreVariant(&v, Variant());
    Check("StoreVariant: Empty", v.vt == VT_EMPTY);
}

// ---- arrays ----

// A 1-D array of numbers is read with its own bounds in every shape and element type.
void OneDimension() {
    const VARTYPE types[] = {VT_R8, VT_R4, VT_I2, VT_I4, VT_UI1, VT_CY, VT_DECIMAL, VT_BOOL, VT_VARIANT};
    for (LONG lower : {0L, 1L, -5L}) {
        for (Shape shape : kShapes) {
            for (VARTYPE t : types) {
                const std::vector<double> values = t == VT_BOOL ? std::vector<double>{-1, 0, -1} : std::vector<double>{3, 1, 2};
                Passed arg(Row(t, lower, values), shape);
                const std::string name = "a 1-D array of type " + std::to_string(t) + " from " + std::to_string(lower) +
                                         ", " + NameOf(shape);
                try {
                    DoubleArray out;
                    tvcom::ReadNumbers(tvcom::FindArray(&arg, 1), out);
                    bool ok = out.LBound(1) == lower && out.UBound(1) == lower + 2;
                    for (LONG k = 0; ok && k < 3; ++k) ok = out(lower + k) == values[static_cast<size_t>(k)];
                    Check(name, ok);
                } catch (const BindingError& e) {
                    Check(name + ": refused: " + e.text, false);
                }
            }
        }
    }
    // An array never given bounds (a dynamic array before ReDim) reaches the library as such.
    SAFEARRAY* none = nullptr;
    VARIANT unbounded = Make(VT_BYREF | VT_ARRAY | VT_R8);
    unbounded.pparray = &none;
    DoubleArray out(1, 2);
    tvcom::ReadNumbers(tvcom::FindArray(&unbounded, 1), out);
    Check("an array never given bounds is read as one", !out.HasBounds());
    // An empty array (Array() in VBScript: bounds 0 to -1).
    SAFEARRAYBOUND b = {0, 0};
    Passed empty(SafeArrayCreate(VT_VARIANT, 1, &b), Shape::ByValue);
    DoubleArray e;
    tvcom::ReadNumbers(tvcom::FindArray(&empty, 1), e);
    Check("an empty array keeps its bounds 0 to -1", e.HasBounds() && e.LBound(1) == 0 && e.UBound(1) == -1);
}

void ArrayRefusals() {
    Passed text(Row(VT_BSTR, 1, {1, 2}), Shape::ByValue);
    DoubleArray out;
    Refused("an array of text", 13, "is an array of text; pass an array of numbers",
            [&] { tvcom::ReadNumbers(tvcom::FindArray(&text, 1), out); });
    // An element that is no number is named by its subscripts.
    SAFEARRAY* mixed = Row(VT_VARIANT, -5, {1, 2, 3});
    LONG at = -4;
    VARIANT s = Text(L"2");
    SafeArrayPutElement(mixed, &at, &s);
    VariantClear(&s);
    Passed m(mixed, Shape::InVariant);
    Refused("text inside an array of numbers", 13, ": element (-4) holds text; pass a number",
            [&] { tvcom::ReadNumbers(tvcom::FindArray(&m, 1), out); });
    SAFEARRAY* holes = Row(VT_VARIANT, 1, {1, 2});
    at = 2;
    VARIANT empty = Make(VT_EMPTY);
    SafeArrayPutElement(holes, &at, &empty);
    Passed h(holes, Shape::TypedByRef);
    Refused("Empty inside an array of numbers", 13, ": element (2) is Empty; pass a number",
            [&] { tvcom::ReadNumbers(tvcom::FindArray(&h, 1), out); });
    SAFEARRAY* grid = Filled(VT_VARIANT, {{1, 2}, {0, 2}}, [](const LONG* s) { return s[0] + s[1]; });
    LONG both[2] = {2, 1};
    VARIANT nul = Make(VT_NULL);
    SafeArrayPutElement(grid, both, &nul);
    Passed g(grid, Shape::ByValue);
    DoubleArray2D out2;
    Refused("Null inside a 2-D array, named by both subscripts", 13, ": element (2, 1) is Null; pass a number",
            [&] { tvcom::ReadNumbers(tvcom::FindArray(&g, 2), out2); });
    // The number of dimensions must be the parameter's.
    Refused("a 2-D array where a 1-D one is needed", 13, "has 2 dimension(s); pass a 1-dimensional array",
            [&] { tvcom::FindArray(&g, 1); });
    Passed row(Row(VT_R8, 0, {1}), Shape::TypedByRef);
    Refused("a 1-D array where a 3-D one is needed", 13, "has 1 dimension(s); pass a 3-dimensional array",
            [&] { tvcom::FindArray(&row, 3); });
    VARIANT number = R8(2), nothing = Make(VT_EMPTY), object = Object(&g_dummy);
    Refused("a number where an array is needed", 13, "holds a value of type 5, not an array; pass an array of numbers",
            [&] { tvcom::FindArray(&number, 1); });
    Refused("Empty where an array is needed", 13, "is Empty, not an array; pass an array of numbers",
            [&] { tvcom::FindArray(&nothing, 1); });
    Refused("an object where an array is needed", 13,
            "is an object, not an array; pass an array (a script's array is taken where one dimension is needed)",
            [&] { tvcom::FindArray(&object, 1); });
    // A locked array (a host iterating over it) is refused, not read half-way.
    Passed locked(Row(VT_R8, 0, {1, 2}), Shape::ByValue);
    SafeArrayLock(locked.sa);
    SafeArrayLock(locked.sa);
    DoubleArray lockedOut;
    tvcom::ReadNumbers(tvcom::FindArray(&locked, 1), lockedOut);
    Check("an array its host holds locked is still read (locks nest)", lockedOut(1) == 2);
    SafeArrayUnlock(locked.sa);
    SafeArrayUnlock(locked.sa);
}

// Z(i, j) of the host is ZValues(i, j) of the library: the platform stores the first
// subscript fastest, the library the last; neither order may leak through.
void Grids() {
    const std::vector<std::vector<std::pair<LONG, ULONG>>> bounds2 = {
        {{1, 3}, {1, 2}}, {{0, 2}, {0, 4}}, {{-5, 3}, {1, 2}}, {{1, 2}, {-5, 3}}, {{-5, 1}, {0, 3}}};
    for (const auto& dims : bounds2) {
        for (Shape shape : kShapes) {
            for (VARTYPE t : {VT_R8, VT_VARIANT, VT_I4}) {
                Passed arg(Filled(t, dims, [](const LONG* s) { return 10.0 * s[0] + s[1]; }), shape);
                const std::string name = "2-D (" + std::to_string(dims[0].first) + "..., " + std::to_string(dims[1].first) +
                                         "...) of type " + std::to_string(t) + ", " + NameOf(shape);
                DoubleArray2D out;
                tvcom::ReadNumbers(tvcom::FindArray(&arg, 2), out);
                bool ok = out.LBound(1) == dims[0].first && out.UBound(1) == dims[0].first + LONG(dims[0].second) - 1 &&
                          out.LBound(2) == dims[1].first && out.UBound(2) == dims[1].first + LONG(dims[1].second) - 1;
                for (Long i = out.LBound(1); ok && i <= out.UBound(1); ++i)
                    for (Long j = out.LBound(2); ok && j <= out.UBound(2); ++j) ok = out(i, j) == 10.0 * i + j;
                Check(name + " is read with its subscripts in the host's order", ok);
            }
        }
    }
    for (Shape shape : kShapes) {
        const std::vector<std::pair<LONG, ULONG>> dims = {{-5, 2}, {1, 3}, {0, 4}};
        Passed arg(Filled(VT_R8, dims, [](const LONG* s) { return 100.0 * s[0] + 10.0 * s[1] + s[2]; }), shape);
        DoubleArray3D out;
        tvcom::ReadNumbers(tvcom::FindArray(&arg, 3), out);
        bool ok = out.LBound(1) == -5 && out.UBound(3) == 3;
        for (Long i = -5; ok && i <= -4; ++i)
            for (Long j = 1; ok && j <= 3; ++j)
                for (Long k = 0; ok && k <= 3; ++k) ok = out(i, j, k) == 100.0 * i + 10.0 * j + k;
        Check(std::string("a 3-D array with lower bounds -5, 1, 0, ") + NameOf(shape), ok);
    }
    // Written back: the element the library changed goes to the host's (i, j).
    Passed arg(Filled(VT_VARIANT, {{1, 2}, {-5, 3}}, [](const LONG* s) { return 10.0 * s[0] + s[1]; }), Shape::InVariant);
    DoubleArray2D values;
    tvcom::ReadNumbers(tvcom::FindArray(&arg, 2), values);
    values(2, -4) = 0.5;
    tvcom::WriteNumbers(tvcom::FindArray(&arg, 2), values);
    Check("a 2-D write goes to the host's element (2, -4)", AsDouble(At(arg.sa, {2, -4})) == 0.5);
    Check("and nowhere else", AsDouble(At(arg.sa, {1, -3})) == 7 && AsDouble(At(arg.sa, {2, -3})) == 17 &&
                                  AsDouble(At(arg.sa, {1, -4})) == 6);
}

// Only the elements the library changed are written back; the others keep their value
// and their type.
void WriteBack() {
    for (LONG lower : {0L, 1L, -5L}) {
        SAFEARRAY* sa = Row(VT_VARIANT, lower, {1, 2, 3});
        LONG at = lower;
        VARIANT i2 = I2(1);
        SafeArrayPutElement(sa, &at, &i2);  // element `lower` holds an Integer 1
        Passed arg(sa, Shape::InVariant);
        DoubleArray values;
        tvcom::ReadNumbers(tvcom::FindArray(&arg, 1), values);
        values(lower + 2) = 0.25;
        tvcom::WriteNumbers(tvcom::FindArray(&arg, 1), values);
        VARIANT first = At(sa, {lower}), last = At(sa, {lower + 2});
        Check("from " + std::to_string(lower) + ": an element not changed keeps its type (Integer)",
              first.vt == VT_I2 && first.iVal == 1);
        Check("from " + std::to_string(lower) + ": the changed element is the Double written",
              last.vt == VT_R8 && last.dblVal == 0.25);
    }
    // Typed arrays receive values converted to their type, rounding half to even.
    Passed ints(Row(VT_I2, -5, {1, 2, 3}), Shape::TypedByRef);
    DoubleArray values;
    tvcom::ReadNumbers(tvcom::FindArray(&ints, 1), values);
    values(-5) = 2.5;
    values(-3) = -7;
    tvcom::WriteNumbers(tvcom::FindArray(&ints, 1), values);
    VARIANT a = At(ints.sa, {-5}), c = At(ints.sa, {-3});
    Check("an Integer array receives 2.5 as 2", a.vt == VT_I2 && a.iVal == 2);
    Check("an Integer array receives -7", c.iVal == -7);
    values(-4) = kNaN;
    Refused("an Integer array cannot receive a NaN", 6, "does not fit the caller's array element type",
            [&] { tvcom::WriteNumbers(tvcom::FindArray(&ints, 1), values); });
    values(-4) = 40000;
    Refused("an Integer array cannot receive 40000", 6, "does not fit the caller's array element type",
            [&] { tvcom::WriteNumbers(tvcom::FindArray(&ints, 1), values); });
    // -0 differs from 0 bit for bit: written.
    Passed zeros(Row(VT_R8, 1, {0, 0}), Shape::ByValue);
    DoubleArray z;
    tvcom::ReadNumbers(tvcom::FindArray(&zeros, 1), z);
    z(2) = -0.0;
    tvcom::WriteNumbers(tvcom::FindArray(&zeros, 1), z);
    Check("a -0 is written over a 0", std::signbit(AsDouble(At(zeros.sa, {2}))) && !std::signbit(AsDouble(At(zeros.sa, {1}))));
    // Values with other bounds than the caller's array are not written at all.
    DoubleArray other(0, 1);
    other(0) = 9;
    other(1) = 9;
    tvcom::WriteNumbers(tvcom::FindArray(&zeros, 1), other);
    Check("values of other bounds are not written", AsDouble(At(zeros.sa, {1})) == 0);
}

// CSort's data: the kind of array follows the host's element type, and what is
// written back keeps the host's types.
void SortData() {
    struct Kind {
        VARTYPE t;
        Variant::Kind kind;
    };
    for (Kind k : {Kind{VT_R8, Variant::Kind::OfDoubleArray}, Kind{VT_R4, Variant::Kind::OfDoubleArray},
                   Kind{VT_I4, Variant::Kind::OfLongArray}, Kind{VT_I2, Variant::Kind::OfLongArray},
                   Kind{VT_UI1, Variant::Kind::OfLongArray}, Kind{VT_BSTR, Variant::Kind::OfStringArray},
                   Kind{VT_VARIANT, Variant::Kind::OfVariantArray}}) {
        for (Shape shape : {Shape::ByValue, Shape::InVariant, Shape::TypedByRef}) {
            Passed arg(Row(k.t, -5, {3, 1, 2}), shape);
            const Variant data = tvcom::ReadData(&arg);
            Variant copy = data;
            const tervanix::rt::ArrayRef a = tervanix::rt::ArrayOf(copy);
            Check("sort data of type " + std::to_string(k.t) + " (" + NameOf(shape) + ") is the matching array from -5",
                  data.kind() == k.kind && tervanix::rt::LBound(a) == -5 && tervanix::rt::UBound(a) == -3);
        }
    }
    Passed grid(Filled(VT_R8, {{0, 2}, {0, 2}}, [](const LONG*) { return 0; }), Shape::ByValue);
    Refused("2-D sort data", 13, "has 2 dimensions; pass a one-dimensional array", [&] { tvcom::ReadData(&grid); });
    SAFEARRAYBOUND b = {2, 0};
    Passed objects(SafeArrayCreate(VT_DISPATCH, 1, &b), Shape::ByValue);
    Refused("an array of objects to sort", 13, "is an array of elements of type 9, which cannot be sorted",
            [&] { tvcom::ReadData(&objects); });
    SAFEARRAY* withObject = Row(VT_VARIANT, 1, {1, 2});
    LONG at = 2;
    VARIANT o = Object(&g_dummy);
    SafeArrayPutElement(withObject, &at, &o);
    Passed wo(withObject, Shape::ByValue);
    Refused("an object among the elements to sort", 13,
            ": element (2) is an object; the elements to sort are numbers, text, Booleans or Empty",
            [&] { tvcom::ReadData(&wo); });
    // Sorted Integers go back as Integers, text as text, the unmoved elements untouched.
    Passed ints(Row(VT_I2, 1, {3, 1, 2}), Shape::TypedByRef);
    Variant sorted(tervanix::LongArray(1, {1, 2, 3}));
    tvcom::WriteData(&ints, sorted);
    VARIANT first = At(ints.sa, {1}), third = At(ints.sa, {3});
    Check("sorted Integers written back as Integers", first.vt == VT_I2 && first.iVal == 1 && third.iVal == 3);
    SAFEARRAY* mixed = Row(VT_VARIANT, 0, {0, 0, 0});
    LONG k = 0;
    VARIANT t = Text(L"b"), i = I2(5), e = Make(VT_EMPTY);
    SafeArrayPutElement(mixed, &k, &t);
    k = 1;
    SafeArrayPutElement(mixed, &k, &i);
    k = 2;
    SafeArrayPutElement(mixed, &k, &e);
    VariantClear(&t);
    Passed mx(mixed, Shape::InVariant);
    Variant data = tvcom::ReadData(&mx);
    {
        const tervanix::rt::ArrayRef read = tervanix::rt::ArrayOf(data);
        Check("a Variant array's elements keep their kinds when read",
              tervanix::rt::LoadElement(read, 0).kind() == Variant::Kind::OfString &&
                  tervanix::rt::LoadElement(read, 1).kind() == Variant::Kind::OfInteger &&
                  tervanix::rt::LoadElement(read, 2).kind() == Variant::Kind::Empty);
    }
    Variant after(tervanix::VariantArray(0, {Variant(), Variant(Integer(5)), Variant(String(u"b"))}));
    tvcom::WriteData(&mx, after);
    VARIANT e0 = At(mixed, {0}), e1 = At(mixed, {1}), e2 = At(mixed, {2});
    Check("a Variant array's sorted elements keep their kinds",
          e0.vt == VT_EMPTY && e1.vt == VT_I2 && e1.iVal == 5 && e2.vt == VT_BSTR && std::wcscmp(e2.bstrVal, L"b") == 0);
    VariantClear(&e2);
    // A single value is a Variant holding it.
    VARIANT one = I4(7);
    Check("a single Long to sort", tvcom::ReadData(&one).kind() == Variant::Kind::OfLong);
}

// ---- errors ----

void ErrorNumbers() {
    using tervanix::ErrorKind;
    const struct { ErrorKind kind; int number; const char* name; } kinds[] = {
        {ErrorKind::InvalidArgument, 5, "InvalidArgument"}, {ErrorKind::OverflowError, 6, "OverflowError"},
        {ErrorKind::OutOfMemory, 7, "OutOfMemory"}, {ErrorKind::SubscriptOutOfRange, 9, "SubscriptOutOfRange"},
        {ErrorKind::FloatingPointFault, 11, "FloatingPointFault"}, {ErrorKind::TypeMismatch, 13, "TypeMismatch"},
        {ErrorKind::MissingObject, 424, "MissingObject"}};
    for (const auto& k : kinds) {
        Check(std::string(k.name) + " is error " + std::to_string(k.number), tvcom::NumberOf(k.kind) == k.number);
        Check(std::string("error ") + std::to_string(k.number) + " names " + k.name,
              std::strcmp(tvcom::KindOfNumber(k.number), k.name) == 0);
    }
    Check("error 449 is ArgumentNotOptional", std::strcmp(tvcom::KindOfNumber(449), "ArgumentNotOptional") == 0);
    Check("error 450 is WrongNumberOfArguments", std::strcmp(tvcom::KindOfNumber(450), "WrongNumberOfArguments") == 0);
    EXCEPINFO info;
    const HRESULT hr = tvcom::Report(&info, L"Tervanix.cGeom", 13, "cGeom.Distance2D: TypeMismatch: x2 is Empty; pass a number");
    Check("a reported error is a dispatch exception", hr == DISP_E_EXCEPTION);
    Check("its scode is 0x800A0000 + the number", static_cast<unsigned long>(info.scode) == 0x800A000Dul);
    Check("its source is the ProgID", std::wcscmp(info.bstrSource, L"Tervanix.cGeom") == 0);
    Check("its description is the text", std::wcscmp(info.bstrDescription, L"cGeom.Distance2D: TypeMismatch: x2 is Empty; pass a number") == 0);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    Check("without an EXCEPINFO the HRESULT carries the number", tvcom::Report(nullptr, L"x", 6, "t") == static_cast<HRESULT>(0x800A0006ul));
    Check("UTF-8 text widens to UTF-16", tvcom::Widen("\xC3\xA9\xF0\x9F\x98\x80") == std::wstring(L"\u00e9\U0001F600"));
}

// ---- through the DLL: the argument named in the error ----

struct Call {
    HRESULT hr;
    int number;
    std::wstring text, source;
    VARIANT result;
};

class Component {
public:
    explicit Component(const char* path) {
        dll_ = LoadLibraryA(path);
        if (dll_ != nullptr) get_ = reinterpret_cast<Get>(reinterpret_cast<void*>(GetProcAddress(dll_, "DllGetClassObject")));
    }
    bool Loaded() const { return get_ != nullptr; }
    IDispatch* Create(const wchar_t* clsidText) {
        CLSID clsid;
        CLSIDFromString(const_cast<LPOLESTR>(clsidText), &clsid);
        IClassFactory* factory = nullptr;
        if (FAILED(get_(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) return nullptr;
        IDispatch* object = nullptr;
        factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&object));
        factory->Release();
        return object;
    }

private:
    using Get = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, LPVOID*);
    HMODULE dll_ = nullptr;
    Get get_ = nullptr;
};

// Calls `member` with the arguments in the order of the parameters.
Call Invoke(IDispatch* object, const wchar_t* member, std::vector<VARIANT> args) {
    Call c{};
    VariantInit(&c.result);
    LPOLESTR name = const_cast<LPOLESTR>(member);
    DISPID id = DISPID_UNKNOWN;
    object->GetIDsOfNames(IID_NULL, &name, 1, 0, &id);
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS p = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    EXCEPINFO info = {};
    c.hr = object->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &p, &c.result, &info, nullptr);
    if (c.hr == DISP_E_EXCEPTION) {
        c.number = info.scode & 0xFFFF;
        c.text = info.bstrDescription ? info.bstrDescription : L"";
        c.source = info.bstrSource ? info.bstrSource : L"";
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrHelpFile);
    }
    return c;
}

std::string Narrow(const std::wstring& w) {
    std::string s;
    for (wchar_t ch : w) s += static_cast<char>(ch < 128 ? ch : '?');
    return s;
}

void ExpectError(const std::string& name, const Call& c, int number, const std::wstring& text, const std::wstring& source) {
    if (!Check(name, c.hr == DISP_E_EXCEPTION && c.number == number && c.text == text && c.source == source)) {
        std::printf("  got hr %08lx, %d \"%s\" from %s\n", static_cast<unsigned long>(c.hr), c.number,
                    Narrow(c.text).c_str(), Narrow(c.source).c_str());
    }
}

void ThroughTheComponent(const char* path) {
    Component dll(path);
    if (!Check(std::string("the component loads from ") + path, dll.Loaded())) return;
    IDispatch* util = dll.Create(L"{14712E2D-E4B7-42AE-9326-73D944CBF25F}");   // cGenUtil
    IDispatch* interp = dll.Create(L"{3A0C8E87-C94C-4A24-A663-9248EC2DE124}");  // cInterp2
    IDispatch* geom = dll.Create(L"{B97174A8-8BBD-4735-9FEC-36AF4B597FFF}");    // cGeom
    if (!Check("objects come from the class factory", util && interp && geom)) return;

    // Integer: half to even, and error 6 naming the argument.
    Var bin;
    VARIANT binRef = RefTo(&bin);
    Call c = Invoke(util, L"IntToBin", {R8(2.5), binRef});
    Check("IntToBin(2.5) converts 2", c.hr == S_OK && bin.v.vt == VT_BSTR && std::wcsstr(bin.v.bstrVal, L"10") != nullptr &&
                                          std::wcslen(bin.v.bstrVal) == 16 && bin.v.bstrVal[15] == L'0' && bin.v.bstrVal[14] == L'1');
    VARIANT before;
    VariantInit(&before);
    VariantCopy(&before, &bin.v);
    c = Invoke(util, L"IntToBin", {R8(32767.5), binRef});
    ExpectError("IntToBin(32767.5)", c, 6, L"cGenUtil.IntToBin: OverflowError: nInt does not fit an Integer (-32768 to 32767)",
                L"Tervanix.cGenUtil");
    Check("after the error the output is as it was", VarCmp(&before, &bin.v, 0, 0) == VARCMP_EQ);
    VariantClear(&before);
    c = Invoke(util, L"IntToBin", {R8(kNaN), binRef});
    ExpectError("IntToBin(NaN)", c, 6, L"cGenUtil.IntToBin: OverflowError: nInt does not fit an Integer (-32768 to 32767)",
                L"Tervanix.cGenUtil");
    c = Invoke(util, L"LongToBin", {Make(VT_EMPTY), binRef});
    ExpectError("LongToBin(Empty)", c, 13, L"cGenUtil.LongToBin: TypeMismatch: lngLong is Empty; pass a whole number",
                L"Tervanix.cGenUtil");
    c = Invoke(util, L"LongToBin", {Make(VT_NULL), binRef});
    ExpectError("LongToBin(Null)", c, 13, L"cGenUtil.LongToBin: TypeMismatch: lngLong is Null; pass a whole number",
                L"Tervanix.cGenUtil");
    VARIANT text = Text(L"5");
    c = Invoke(util, L"Avg", {R8(1), text});
    ExpectError("Avg(1, \"5\")", c, 13, L"cGenUtil.Avg: TypeMismatch: Y holds text; pass a number", L"Tervanix.cGenUtil");
    VariantClear(&text);
    c = Invoke(util, L"Avg", {Object(&g_dummy), R8(1)});
    ExpectError("Avg(object, 1)", c, 13, L"cGenUtil.Avg: TypeMismatch: X is an object; pass a number", L"Tervanix.cGenUtil");
    c = Invoke(util, L"Avg", {RawBool(1), I2(3)});
    Check("Avg(a Boolean of raw value 1, 3) reads -1", c.hr == S_OK && c.result.vt == VT_R8 && c.result.dblVal == 1);

    // Boolean: any non-zero is True. Interp2D outside its table extrapolates only when allowed.
    Passed xs(Row(VT_R8, 1, {1, 2, 3}), Shape::ByValue), ys(Row(VT_R8, 1, {10, 20, 30}), Shape::ByValue);
    for (VARIANT allow : {RawBool(1), I4(2), R8(0.5), RawBool(VARIANT_TRUE)}) {
        Var y;
        c = Invoke(interp, L"Interp2D", {xs.outer, ys.outer, allow, R8(4), RefTo(&y)});
        Check("Interp2D with bAllowExtrap of type " + std::to_string(allow.vt) + " extrapolates",
              c.hr == S_OK && c.result.vt == VT_BOOL && c.result.boolVal == VARIANT_TRUE && y.v.vt == VT_R8 && y.v.dblVal == 40);
    }
    for (VARIANT deny : {RawBool(0), I4(0), R8(-0.0)}) {
        Var y;
        c = Invoke(interp, L"Interp2D", {xs.outer, ys.outer, deny, R8(4), RefTo(&y)});
        Check("Interp2D with a zero bAllowExtrap of type " + std::to_string(deny.vt) + " does not",
              c.hr == S_OK && c.result.vt == VT_BOOL && c.result.boolVal == VARIANT_FALSE);
    }
    {
        VARIANT t = Text(L"True");
        Var y;
        c = Invoke(interp, L"Interp2D", {xs.outer, ys.outer, t, R8(4), RefTo(&y)});
        ExpectError("Interp2D with the text True", c, 13, L"cInterp2.Interp2D: TypeMismatch: bAllowExtrap holds text; pass True or False",
                    L"Tervanix.cInterp2");
        VariantClear(&t);
    }
    // An element that is no number: named by the argument and its subscripts.
    {
        SAFEARRAY* bad = Row(VT_VARIANT, -5, {1, 2, 3});
        LONG at = -3;
        VARIANT e = Make(VT_EMPTY);
        SafeArrayPutElement(bad, &at, &e);
        Passed badYs(bad, Shape::InVariant);
        Var y;
        c = Invoke(interp, L"Interp2D", {xs.outer, badYs.outer, RawBool(0), R8(2), RefTo(&y)});
        ExpectError("Interp2D with an Empty element", c, 13,
                    L"cInterp2.Interp2D: TypeMismatch: YValues: element (-3) is Empty; pass a number", L"Tervanix.cInterp2");
    }
    // The arguments are converted in the order of the parameters: the first bad one is named.
    c = Invoke(geom, L"Distance2D", {R8(0), Make(VT_NULL), Make(VT_EMPTY), R8(1)});
    ExpectError("Distance2D(0, Null, Empty, 1) names y1", c, 13, L"cGeom.Distance2D: TypeMismatch: y1 is Null; pass a number",
                L"Tervanix.cGeom");
    c = Invoke(geom, L"Distance2D", {R8(0), R8(0), Cy(30000), Dec(4)});
    Check("Distance2D from a Currency and a Decimal", c.hr == S_OK && c.result.vt == VT_R8 && c.result.dblVal == 5);
    VARIANT missing = Missing();
    c = Invoke(geom, L"Distance2D", {R8(0), R8(0), missing, R8(4)});
    ExpectError("Distance2D with x2 missing", c, 449,
                L"cGeom.Distance2D: ArgumentNotOptional: x2 is missing; every argument of this method is required", L"Tervanix.cGeom");
    util->Release();
    interp->Release();
    geom->Release();
}

}  // namespace

int main(int argc, char** argv) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    WholeNumbers();
    NotNumbers();
    Doubles();
    Booleans();
    Strings();
    Outputs();
    OneDimension();
    ArrayRefusals();
    Grids();
    WriteBack();
    SortData();
    ErrorNumbers();
    if (argc > 1) ThroughTheComponent(argv[1]);
    else Check("the path of tervanix_com.dll is given", false);
    CoUninitialize();
    std::printf("com units: %d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}
