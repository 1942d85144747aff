// Conversions between VARIANTs and the library's values (see Convert.h).
#include "Convert.h"

#include <cmath>
#include <cstring>
#include <string>

#include "Errors.h"

namespace tvcom {

using tervanix::Boolean;
using tervanix::Integer;
using tervanix::Long;
using tervanix::String;
using tervanix::Variant;

namespace {

[[noreturn]] void Refuse(int number, std::string text) { throw BindingError{number, std::move(text)}; }

std::string Describe(VARTYPE t) {
    if (t & VT_ARRAY) return "is an array";
    switch (t) {
        case VT_EMPTY: return "is Empty";
        case VT_NULL: return "is Null";
        case VT_BSTR: return "holds text";
        case VT_DISPATCH: case VT_UNKNOWN: return "is an object";
        case VT_ERROR: return "is missing";
        default: return "holds a value of type " + std::to_string(t);
    }
}

std::size_t SizeOf(VARTYPE t) {
    switch (t) {
        case VT_I1: case VT_UI1: return 1;
        case VT_I2: case VT_UI2: case VT_BOOL: return 2;
        case VT_I4: case VT_UI4: case VT_R4: case VT_INT: case VT_UINT: case VT_ERROR: return 4;
        default: return 8;
    }
}

bool IsNumeric(VARTYPE t) {
    switch (t) {
        case VT_R8: case VT_R4: case VT_I2: case VT_I4: case VT_I1: case VT_UI1: case VT_UI2: case VT_UI4:
        case VT_I8: case VT_UI8: case VT_INT: case VT_UINT: case VT_CY: case VT_DECIMAL: case VT_BOOL: case VT_DATE:
            return true;
        default: return false;
    }
}

bool IsWholeType(VARTYPE t) {
    switch (t) {
        case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8:
        case VT_INT: case VT_UINT:
            return true;
        default: return false;
    }
}

// VariantChangeType, with a whole number's range made sure of: a conversion between
// integer types of one size may wrap (wine's unsigned 4000000000 becomes a negative
// Long) and a NaN may become a number (wine's -1 or 2147483647). A whole-number result
// that lies more than a half from its source is therefore an overflow, as it is on
// Windows; a NaN lies in no range.
HRESULT ChangeType(VARIANT* out, const VARIANT* v, VARTYPE type) {
    const HRESULT hr = VariantChangeType(out, const_cast<VARIANT*>(v), 0, type);
    if (FAILED(hr) || !IsWholeType(type)) return hr;
    VARIANT from, to;
    VariantInit(&from);
    VariantInit(&to);
    if (FAILED(VariantChangeType(&from, const_cast<VARIANT*>(v), 0, VT_R8)) || FAILED(VariantChangeType(&to, out, 0, VT_R8))) {
        return hr;  // a source with no Double value (text that is no number) was refused above
    }
    if (!(std::fabs(from.dblVal - to.dblVal) <= 0.5)) {
        VariantClear(out);
        return DISP_E_OVERFLOW;
    }
    return hr;
}

// A Boolean, by value or by reference, as the number -1 (any raw value but 0) or 0,
// whatever raw value the host gave True.
bool BooleanNumber(const VARIANT* v, short& number) {
    if ((v->vt & ~VT_BYREF) != VT_BOOL) return false;
    number = (v->vt & VT_BYREF ? *v->pboolVal : v->boolVal) != 0 ? -1 : 0;
    return true;
}

// Converts a numeric VARIANT to `type` as the platform converts (banker's rounding to
// whole numbers); an overflow is the run-time error Overflow.
VARIANT ChangeTo(const VARIANT* v, VARTYPE type, const char* what) {
    VARIANT out;
    VariantInit(&out);
    const HRESULT hr = ChangeType(&out, v, type);
    if (hr == DISP_E_OVERFLOW) Refuse(kOverflow, std::string("does not fit ") + what);
    if (FAILED(hr)) Refuse(kTypeMismatch, std::string("cannot be converted to ") + what);
    return out;
}

VARTYPE Base(const VARIANT* v) { return static_cast<VARTYPE>(v->vt & ~VT_BYREF); }

void RequireNumber(const VARIANT* v, const char* what) {
    const VARTYPE t = v->vt & ~VT_BYREF;
    if (v->vt == VT_DISPATCH && v->pdispVal == nullptr) Refuse(kTypeMismatch, "is Nothing; pass " + std::string(what));
    if (!IsNumeric(t) || (v->vt & VT_ARRAY)) Refuse(kTypeMismatch, Describe(v->vt & ~VT_BYREF) + "; pass " + what);
}

}  // namespace

const VARIANT* Unwrap(const VARIANT* v) {
    while (v != nullptr && v->vt == (VT_BYREF | VT_VARIANT) && v->pvarVal != nullptr) v = v->pvarVal;
    return v;
}

bool Holds(const VARIANT* v, VARTYPE type) {
    v = Unwrap(v);
    return v != nullptr && Base(v) == type;
}

double ReadDouble(const VARIANT* v) {
    v = Unwrap(v);
    switch (v->vt) {
        case VT_R8: return v->dblVal;
        case VT_R8 | VT_BYREF: return *v->pdblVal;
        case VT_I4: return v->lVal;
        case VT_I2: return v->iVal;
        default: break;
    }
    short boolean = 0;
    if (BooleanNumber(v, boolean)) return boolean;
    RequireNumber(v, "a number");
    return ChangeTo(v, VT_R8, "a Double").dblVal;
}

Long ReadLong(const VARIANT* v) {
    v = Unwrap(v);
    if (v->vt == VT_I4) return v->lVal;
    if (v->vt == VT_I2) return v->iVal;
    short boolean = 0;
    if (BooleanNumber(v, boolean)) return boolean;
    RequireNumber(v, "a whole number");
    return ChangeTo(v, VT_I4, "a Long (-2147483648 to 2147483647)").lVal;
}

Integer ReadInteger(const VARIANT* v) {
    v = Unwrap(v);
    if (v->vt == VT_I2) return v->iVal;
    short boolean = 0;
    if (BooleanNumber(v, boolean)) return boolean;
    RequireNumber(v, "a whole number");
    return ChangeTo(v, VT_I2, "an Integer (-32768 to 32767)").iVal;
}

Boolean ReadBoolean(const VARIANT* v) {
    v = Unwrap(v);
    if (Base(v) == VT_BOOL) return Boolean((v->vt & VT_BYREF ? *v->pboolVal : v->boolVal) != 0);
    RequireNumber(v, "True or False");
    const VARIANT d = ChangeTo(v, VT_R8, "a Double");
    return Boolean(d.dblVal != 0.0);
}

String ReadString(const VARIANT* v) {
    v = Unwrap(v);
    if (Base(v) != VT_BSTR || (v->vt & VT_ARRAY)) Refuse(kTypeMismatch, Describe(Base(v)) + "; pass text");
    const BSTR s = v->vt & VT_BYREF ? *v->pbstrVal : v->bstrVal;
    if (s == nullptr) return String();
    return String(reinterpret_cast<const char16_t*>(s), SysStringLen(s));
}

// ---- arrays ----

ArrayRef FindArray(const VARIANT* v, int dimensions) {
    v = Unwrap(v);
    if (!(v->vt & VT_ARRAY)) {
        if (v->vt == VT_DISPATCH || v->vt == (VT_DISPATCH | VT_BYREF)) {
            Refuse(kTypeMismatch, "is an object, not an array; pass an array (a script's array is taken where one dimension is needed)");
        }
        Refuse(kTypeMismatch, Describe(Base(v)) + ", not an array; pass an array of numbers");
    }
    ArrayRef a;
    a.type = static_cast<VARTYPE>(v->vt & ~(VT_ARRAY | VT_BYREF));
    a.array = v->vt & VT_BYREF ? (v->pparray ? *v->pparray : nullptr) : v->parray;
    if (a.array != nullptr && dimensions != 0 && static_cast<int>(SafeArrayGetDim(a.array)) != dimensions) {
        Refuse(kTypeMismatch, "has " + std::to_string(SafeArrayGetDim(a.array)) + " dimension(s); pass a " +
                                  std::to_string(dimensions) + "-dimensional array");
    }
    return a;
}

namespace {

// The bounds and element layout of a SAFEARRAY: the first subscript varies fastest.
struct Layout {
    int rank = 0;
    Long lower[3] = {};
    Long upper[3] = {};
    std::size_t stride[3] = {};
};

Layout LayoutOf(SAFEARRAY* sa) {
    Layout l;
    l.rank = static_cast<int>(SafeArrayGetDim(sa));
    std::size_t stride = 1;
    for (int d = 0; d < l.rank && d < 3; ++d) {
        LONG lo = 0, hi = -1;
        SafeArrayGetLBound(sa, static_cast<UINT>(d + 1), &lo);
        SafeArrayGetUBound(sa, static_cast<UINT>(d + 1), &hi);
        l.lower[d] = lo;
        l.upper[d] = hi;
        l.stride[d] = stride;
        stride *= static_cast<std::size_t>(std::int64_t{hi} - lo + 1);
    }
    return l;
}

class Lock {
public:
    explicit Lock(SAFEARRAY* sa) : sa_(sa) {
        if (FAILED(SafeArrayLock(sa))) Refuse(kInvalidCall, "is locked by its host");
    }
    ~Lock() { SafeArrayUnlock(sa_); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    SAFEARRAY* sa_;
};

std::string At(const Layout& l, const Long* subscripts) {
    std::string s = "element (";
    for (int d = 0; d < l.rank; ++d) s += (d ? ", " : "") + std::to_string(subscripts[d]);
    return s + ")";
}

void* ElementAt(SAFEARRAY* sa, const Layout& l, const Long* subscripts) {
    std::size_t offset = 0;
    for (int d = 0; d < l.rank; ++d) offset += static_cast<std::size_t>(std::int64_t{subscripts[d]} - l.lower[d]) * l.stride[d];
    return static_cast<char*>(sa->pvData) + offset * sa->cbElements;
}

// One element as a VARIANT that refers to it (a Variant element is itself).
const VARIANT* ElementVariant(VARTYPE type, void* element, VARIANT& scratch) {
    if (type == VT_VARIANT) return static_cast<VARIANT*>(element);
    VariantInit(&scratch);
    scratch.vt = static_cast<VARTYPE>(type | VT_BYREF);
    scratch.byref = element;
    return &scratch;
}

double ReadElement(VARTYPE type, void* element, const Layout& l, const Long* subscripts) {
    if (type == VT_R8) return *static_cast<double*>(element);
    VARIANT scratch;
    try {
        return ReadDouble(ElementVariant(type, element, scratch));
    } catch (BindingError& e) {
        e.text = ": " + At(l, subscripts) + " " + e.text;
        throw;
    }
}

void WriteElement(VARTYPE type, void* element, double value) {
    if (type == VT_R8) {
        *static_cast<double*>(element) = value;
        return;
    }
    if (type == VT_VARIANT) {
        VARIANT* v = static_cast<VARIANT*>(element);
        VariantClear(v);
        v->vt = VT_R8;
        v->dblVal = value;
        return;
    }
    VARIANT d;
    VariantInit(&d);
    d.vt = VT_R8;
    d.dblVal = value;
    VARIANT out = ChangeTo(&d, type, "the caller's array element type");
    if (type == VT_DECIMAL) std::memcpy(element, &out.decVal, sizeof out.decVal);
    else std::memcpy(element, &out.llVal, SizeOf(type));
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Visits every element in the library's order (last subscript fastest).
template <typename F>
void ForEach(const Layout& l, F f) {
    Long s[3] = {l.lower[0], l.lower[1], l.lower[2]};
    for (int d = 0; d < l.rank; ++d)
        if (l.upper[d] < l.lower[d]) return;
    for (;;) {
        f(s);
        int d = l.rank - 1;
        while (d >= 0 && s[d] == l.upper[d]) s[d] = l.lower[d], --d;
        if (d < 0) return;
        ++s[d];
    }
}

template <typename A>
A MakeArray(const Layout& l);
template <>
tervanix::DoubleArray MakeArray(const Layout& l) { return tervanix::DoubleArray(l.lower[0], l.upper[0]); }
template <>
tervanix::DoubleArray2D MakeArray(const Layout& l) {
    return tervanix::DoubleArray2D(l.lower[0], l.upper[0], l.lower[1], l.upper[1]);
}
template <>
tervanix::DoubleArray3D MakeArray(const Layout& l) {
    return tervanix::DoubleArray3D(l.lower[0], l.upper[0], l.lower[1], l.upper[1], l.lower[2], l.upper[2]);
}

template <typename A>
double& Element(A& a, const Long* s) {
    if constexpr (A::kRank == 1) return a(s[0]);
    else if constexpr (A::kRank == 2) return a(s[0], s[1]);
    else return a(s[0], s[1], s[2]);
}

void RequireNumberElements(VARTYPE type) {
    if (type == VT_VARIANT || IsNumeric(type)) return;
    if (type == VT_BSTR) Refuse(kTypeMismatch, "is an array of text; pass an array of numbers");
    Refuse(kTypeMismatch, "is an array of elements of type " + std::to_string(type) + "; pass an array of numbers");
}

template <typename A>
void ReadInto(const ArrayRef& a, A& out) {
    if (a.array == nullptr) {  // an array never given bounds: the library says so
        out = A();
        return;
    }
    RequireNumberElements(a.type);
    const Layout l = LayoutOf(a.array);
    A values = MakeArray<A>(l);
    Lock lock(a.array);
    ForEach(l, [&](const Long* s) { Element(values, s) = ReadElement(a.type, ElementAt(a.array, l, s), l, s); });
    out = std::move(values);
}

template <typename A>
void WriteFrom(const ArrayRef& a, const A& values) {
    if (a.array == nullptr || !values.HasBounds()) return;
    const Layout l = LayoutOf(a.array);
    for (int d = 0; d < l.rank; ++d)
        if (values.LBound(d + 1) != l.lower[d] || values.UBound(d + 1) != l.upper[d]) return;
    Lock lock(a.array);
    A& v = const_cast<A&>(values);
    ForEach(l, [&](const Long* s) {
        void* element = ElementAt(a.array, l, s);
        const double now = Element(v, s);
        double before;
        try {
            before = ReadElement(a.type, element, l, s);
        } catch (const BindingError&) {
            before = now + 1;  // cannot happen: the element was read before the call
        }
        if (!SameBits(before, now)) WriteElement(a.type, element, now);
    });
}

}  // namespace

void ReadNumbers(const ArrayRef& a, tervanix::DoubleArray& out) { ReadInto(a, out); }
void ReadNumbers(const ArrayRef& a, tervanix::DoubleArray2D& out) { ReadInto(a, out); }
void ReadNumbers(const ArrayRef& a, tervanix::DoubleArray3D& out) { ReadInto(a, out); }
void WriteNumbers(const ArrayRef& a, const tervanix::DoubleArray& values) { WriteFrom(a, values); }
void WriteNumbers(const ArrayRef& a, const tervanix::DoubleArray2D& values) { WriteFrom(a, values); }
void WriteNumbers(const ArrayRef& a, const tervanix::DoubleArray3D& values) { WriteFrom(a, values); }

// ---- CSort's data ----

namespace {

Variant ScalarVariant(const VARIANT* v) {
    switch (Base(v)) {
        case VT_EMPTY: return Variant();
        case VT_I2: case VT_UI1: case VT_I1: return Variant(ReadInteger(v));
        case VT_I4: case VT_UI2: return Variant(ReadLong(v));
        case VT_R8: case VT_R4: return Variant(ReadDouble(v));
        case VT_BOOL: return Variant(ReadBoolean(v));
        case VT_BSTR: return Variant(ReadString(v));
        default:
            Refuse(kTypeMismatch, Describe(Base(v)) + "; the elements to sort are numbers, text, Booleans or Empty");
    }
}

}  // namespace

void StoreVariant(VARIANT* out, const Variant& value) {
    VariantClear(out);
    switch (value.kind()) {
        case Variant::Kind::OfInteger: out->vt = VT_I2; out->iVal = value.AsInteger(); break;
        case Variant::Kind::OfLong: out->vt = VT_I4; out->lVal = value.AsLong(); break;
        case Variant::Kind::OfDouble: out->vt = VT_R8; out->dblVal = value.AsDouble(); break;
        case Variant::Kind::OfBoolean: out->vt = VT_BOOL; out->boolVal = value.AsBoolean().Raw(); break;
        case Variant::Kind::OfString: {
            const String& s = value.AsString();
            out->vt = VT_BSTR;
            out->bstrVal = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(s.data()), static_cast<UINT>(s.size()));
            if (out->bstrVal == nullptr) Refuse(kOutOfMemory, "could not be written: no memory for its text");
            break;
        }
        default: break;  // Empty (the library never puts an array inside a sorted array)
    }
}

namespace {

bool SameVariant(const Variant& a, const Variant& b) {
    if (a.kind() != b.kind()) return false;
    switch (a.kind()) {
        case Variant::Kind::Empty: return true;
        case Variant::Kind::OfInteger: return a.AsInteger() == b.AsInteger();
        case Variant::Kind::OfLong: return a.AsLong() == b.AsLong();
        case Variant::Kind::OfDouble: return SameBits(a.AsDouble(), b.AsDouble());
        case Variant::Kind::OfBoolean: return a.AsBoolean().Raw() == b.AsBoolean().Raw();
        case Variant::Kind::OfString: return a.AsString() == b.AsString();
        default: return false;
    }
}

template <typename A, typename Read>
Variant ReadArray(SAFEARRAY* sa, VARTYPE type, Read read) {
    const Layout l = LayoutOf(sa);
    A values(l.lower[0], l.upper[0]);
    Lock lock(sa);
    for (Long i = l.lower[0]; i <= l.upper[0]; ++i) {
        VARIANT scratch;
        const VARIANT* e = ElementVariant(type, ElementAt(sa, l, &i), scratch);
        try {
            values(i) = read(e);
        } catch (BindingError& err) {
            err.text = ": " + At(l, &i) + " " + err.text;
            throw;
        }
    }
    return Variant(std::move(values));
}

}  // namespace

Variant ReadData(const VARIANT* v) {
    v = Unwrap(v);
    if (!(v->vt & VT_ARRAY)) return ScalarVariant(v);
    const ArrayRef a = FindArray(v, 0);
    if (a.array == nullptr) return Variant(tervanix::VariantArray());  // never given bounds
    if (SafeArrayGetDim(a.array) != 1) {
        Refuse(kTypeMismatch, "has " + std::to_string(SafeArrayGetDim(a.array)) + " dimensions; pass a one-dimensional array");
    }
    switch (a.type) {
        case VT_R8: case VT_R4: return ReadArray<tervanix::DoubleArray>(a.array, a.type, ReadDouble);
        case VT_I4: case VT_I2: case VT_UI1: return ReadArray<tervanix::LongArray>(a.array, a.type, ReadLong);
        case VT_BSTR: return ReadArray<tervanix::StringArray>(a.array, a.type, ReadString);
        case VT_VARIANT: return ReadArray<tervanix::VariantArray>(a.array, a.type, ScalarVariant);
        default: Refuse(kTypeMismatch, "is an array of elements of type " + std::to_string(a.type) + ", which cannot be sorted");
    }
}

void WriteData(const VARIANT* v, Variant& data) {
    v = Unwrap(v);
    if (!(v->vt & VT_ARRAY) || !data.IsArray()) return;
    const ArrayRef a = FindArray(v, 0);
    if (a.array == nullptr) return;
    const Layout l = LayoutOf(a.array);
    const tervanix::rt::ArrayRef values = tervanix::rt::ArrayOf(data);
    if (tervanix::rt::LBound(values) != l.lower[0] || tervanix::rt::UBound(values) != l.upper[0]) return;
    Lock lock(a.array);
    for (Long i = l.lower[0]; i <= l.upper[0]; ++i) {
        const Variant now = tervanix::rt::LoadElement(values, i);
        void* element = ElementAt(a.array, l, &i);
        VARIANT scratch;
        const Variant before = ScalarVariant(ElementVariant(a.type, element, scratch));
        if (SameVariant(before, now)) continue;
        if (a.type == VT_VARIANT) {
            StoreVariant(static_cast<VARIANT*>(element), now);
        } else if (a.type == VT_BSTR) {
            VARIANT s;
            VariantInit(&s);
            StoreVariant(&s, now);
            SysFreeString(*static_cast<BSTR*>(element));
            *static_cast<BSTR*>(element) = s.bstrVal;
        } else if (a.type == VT_R8 || a.type == VT_R4) {
            WriteElement(a.type, element, now.AsDouble());
        } else {
            WriteElement(a.type, element, static_cast<double>(now.AsLong()));
        }
    }
}

// ---- a script's array object ----

namespace {

DISPID MemberOf(IDispatch* object, const std::wstring& name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return DISPID_UNKNOWN;
    return id;
}

bool GetMember(IDispatch* object, const std::wstring& name, VARIANT& out) {
    const DISPID id = MemberOf(object, name);
    if (id == DISPID_UNKNOWN) return false;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    VariantInit(&out);
    return SUCCEEDED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &out, nullptr, nullptr));
}

}  // namespace

IDispatch* ScriptArray(const VARIANT* v) {
    v = Unwrap(v);
    IDispatch* object = v->vt == VT_DISPATCH ? v->pdispVal : v->vt == (VT_DISPATCH | VT_BYREF) ? *v->ppdispVal : nullptr;
    if (object == nullptr) return nullptr;
    VARIANT length;
    if (!GetMember(object, L"length", length)) return nullptr;
    VariantClear(&length);
    return object;
}

Variant ReadScriptArray(IDispatch* array) {
    VARIANT length;
    GetMember(array, L"length", length);
    const Long n = ReadLong(&length);
    VariantClear(&length);
    if (n < 0) Refuse(kSubscript, "has a negative length");
    tervanix::VariantArray values(0, n - 1);
    for (Long i = 0; i < n; ++i) {
        VARIANT e;
        if (!GetMember(array, std::to_wstring(i), e)) continue;  // a hole: Empty
        try {
            values(i) = ScalarVariant(&e);
        } catch (BindingError& err) {
            VariantClear(&e);
            err.text = ": element (" + std::to_string(i) + ") " + err.text;
            throw;
        }
        VariantClear(&e);
    }
    return Variant(std::move(values));
}

void WriteScriptArray(IDispatch* array, const Variant& after) {
    if (!after.IsArray()) return;
    Variant a = after;
    const tervanix::rt::ArrayRef now = tervanix::rt::ArrayOf(a);
    const Long lo = tervanix::rt::LBound(now), hi = tervanix::rt::UBound(now);
    for (Long i = lo; i <= hi; ++i) {
        const Variant value = tervanix::rt::LoadElement(now, i);
        VARIANT current;
        Variant was;
        if (GetMember(array, std::to_wstring(i), current)) {
            try {
                was = ScalarVariant(&current);
            } catch (const BindingError&) {
            }
            VariantClear(&current);
        }
        if (SameVariant(was, value)) continue;
        const DISPID id = MemberOf(array, std::to_wstring(i));
        if (id == DISPID_UNKNOWN) continue;
        VARIANT v;
        VariantInit(&v);
        StoreVariant(&v, value);
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS p = {&v, &named, 1, 1};
        array->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &p, nullptr, nullptr, nullptr);
        VariantClear(&v);
    }
}

tervanix::DoubleArray NumbersOf(const Variant& values) {
    Variant copy = values;
    const tervanix::rt::ArrayRef a = tervanix::rt::ArrayOf(copy);
    const Long lo = tervanix::rt::LBound(a), hi = tervanix::rt::UBound(a);
    tervanix::DoubleArray out(lo, hi);
    for (Long i = lo; i <= hi; ++i) {
        const Variant e = tervanix::rt::LoadElement(a, i);
        switch (e.kind()) {
            case Variant::Kind::OfDouble: out(i) = e.AsDouble(); break;
            case Variant::Kind::OfLong: out(i) = e.AsLong(); break;
            case Variant::Kind::OfInteger: out(i) = e.AsInteger(); break;
            case Variant::Kind::OfBoolean: out(i) = e.AsBoolean().Raw() != 0 ? -1.0 : 0.0; break;
            default:
                Refuse(kTypeMismatch, ": element (" + std::to_string(i) + ") " +
                                          (e.kind() == Variant::Kind::Empty ? "is Empty" : "holds text") + "; pass a number");
        }
    }
    return out;
}

// ---- outputs ----

namespace {

// The place an output goes: a by-reference Variant's inner VARIANT (retyped), or a
// typed variable (converted to its type). Nothing for a value passed by value.
template <typename Store>
void WriteOutput(VARIANT* target, VARTYPE type, Store store) {
    if (target == nullptr || !(target->vt & VT_BYREF)) return;
    VARIANT value;
    VariantInit(&value);
    store(value);
    value.vt = type;
    if (target->vt == (VT_BYREF | VT_VARIANT)) {
        VARIANT* inner = target->pvarVal;
        while (inner->vt == (VT_BYREF | VT_VARIANT)) inner = inner->pvarVal;
        if (inner->vt & VT_BYREF) {
            WriteOutput(inner, type, store);
            return;
        }
        VariantClear(inner);
        *inner = value;
        return;
    }
    const VARTYPE want = target->vt & ~VT_BYREF;
    if (want == type) {
        if (type == VT_BSTR) {
            SysFreeString(*target->pbstrVal);
            *target->pbstrVal = value.bstrVal;
        } else {
            std::memcpy(target->byref, &value.llVal, SizeOf(type));
        }
        return;
    }
    VARIANT converted;
    VariantInit(&converted);
    const HRESULT hr = ChangeType(&converted, &value, want);
    VariantClear(&value);
    if (hr == DISP_E_OVERFLOW) Refuse(kOverflow, "cannot hold the output: it does not fit the variable's type");
    if (FAILED(hr) || (want & VT_ARRAY)) Refuse(kTypeMismatch, "cannot hold the output: the variable's type differs");
    switch (want) {
        case VT_BSTR: SysFreeString(*target->pbstrVal); *target->pbstrVal = converted.bstrVal; return;
        case VT_DECIMAL: *target->pdecVal = converted.decVal; return;
        default: std::memcpy(target->byref, &converted.llVal, SizeOf(want)); return;
    }
}

}  // namespace

void WriteDouble(VARIANT* target, double value) {
    WriteOutput(target, VT_R8, [&](VARIANT& v) { v.dblVal = value; });
}
void WriteInteger(VARIANT* target, Integer value) {
    WriteOutput(target, VT_I2, [&](VARIANT& v) { v.iVal = value; });
}
void WriteLong(VARIANT* target, Long value) {
    WriteOutput(target, VT_I4, [&](VARIANT& v) { v.lVal = value; });
}
void WriteBoolean(VARIANT* target, Boolean value) {
    WriteOutput(target, VT_BOOL, [&](VARIANT& v) { v.boolVal = value.Raw(); });
}
void WriteString(VARIANT* target, const String& value) {
    WriteOutput(target, VT_BSTR, [&](VARIANT& v) {
        v.bstrVal = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(value.data()), static_cast<UINT>(value.size()));
        if (v.bstrVal == nullptr) Refuse(kOutOfMemory, "could not be written: no memory for its text");
    });
}

bool ReadObject(const VARIANT* v, IDispatch*& object) {
    v = Unwrap(v);
    object = nullptr;
    switch (v->vt) {
        case VT_EMPTY: case VT_NULL: return true;  // JScript's null is Nothing
        case VT_DISPATCH: object = v->pdispVal; return true;
        case VT_DISPATCH | VT_BYREF: object = *v->ppdispVal; return true;
        default: return false;
    }
}

void WriteObject(VARIANT* target, IDispatch* object) {
    if (target == nullptr || !(target->vt & VT_BYREF)) {
        if (object) object->Release();
        return;
    }
    if (target->vt == (VT_BYREF | VT_DISPATCH)) {
        if (*target->ppdispVal) (*target->ppdispVal)->Release();
        *target->ppdispVal = object;
        return;
    }
    if (target->vt == (VT_BYREF | VT_VARIANT)) {
        VARIANT* inner = target->pvarVal;
        while (inner->vt == (VT_BYREF | VT_VARIANT)) inner = inner->pvarVal;
        if (inner->vt == (VT_BYREF | VT_DISPATCH)) {
            if (*inner->ppdispVal) (*inner->ppdispVal)->Release();
            *inner->ppdispVal = object;
            return;
        }
        VariantClear(inner);
        inner->vt = VT_DISPATCH;
        inner->pdispVal = object;
        return;
    }
    if (object) object->Release();
    Refuse(kTypeMismatch, "cannot hold an object: declare it As Object, As Variant or As cMatrix2");
}

}  // namespace tvcom
