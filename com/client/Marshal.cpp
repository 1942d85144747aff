// SAFEARRAYs for the client (see Marshal.h).
#include "Marshal.h"

#include <stdexcept>

namespace comclient {

using tervanix::Long;

namespace {

template <typename A>
SAFEARRAY* Create(const A& a, VARTYPE type) {
    if (!a.HasBounds()) return nullptr;
    SAFEARRAYBOUND b[3];
    for (int d = 0; d < A::kRank; ++d) {
        b[d].lLbound = a.LBound(d + 1);
        b[d].cElements = static_cast<ULONG>(static_cast<long long>(a.UBound(d + 1)) - a.LBound(d + 1) + 1);
    }
    SAFEARRAY* sa = SafeArrayCreate(type, A::kRank, b);
    if (sa == nullptr) throw std::bad_alloc();
    return sa;
}

// Visits the subscripts of every element with its offset in the SAFEARRAY's data.
template <typename A, typename F>
void ForEach(const A& a, F f) {
    if (a.size() == 0) return;
    constexpr int R = A::kRank;
    Long lo[3], hi[3], s[3];
    std::size_t stride[3], step = 1;
    for (int d = 0; d < R; ++d) {
        lo[d] = a.LBound(d + 1);
        hi[d] = a.UBound(d + 1);
        s[d] = lo[d];
        stride[d] = step;
        step *= static_cast<std::size_t>(static_cast<long long>(hi[d]) - lo[d] + 1);
    }
    for (;;) {
        std::size_t offset = 0;
        for (int d = 0; d < R; ++d) offset += static_cast<std::size_t>(static_cast<long long>(s[d]) - lo[d]) * stride[d];
        f(s, offset);
        int d = R - 1;
        while (d >= 0 && s[d] == hi[d]) s[d] = lo[d], --d;
        if (d < 0) return;
        ++s[d];
    }
}

template <typename A>
double Get(const A& a, const Long* s) {
    if constexpr (A::kRank == 1) return a(s[0]);
    else if constexpr (A::kRank == 2) return a(s[0], s[1]);
    else return a(s[0], s[1], s[2]);
}

template <typename A>
SAFEARRAY* Filled(const A& a) {
    SAFEARRAY* sa = Create(a, VT_R8);
    if (sa == nullptr) return nullptr;
    double* data = nullptr;
    SafeArrayAccessData(sa, reinterpret_cast<void**>(&data));
    ForEach(a, [&](const Long* s, std::size_t offset) { data[offset] = Get(a, s); });
    SafeArrayUnaccessData(sa);
    return sa;
}

}  // namespace

SafeArray::SafeArray(const tervanix::DoubleArray& a) : array_(Filled(a)) {}
SafeArray::SafeArray(const tervanix::DoubleArray2D& a) : array_(Filled(a)) {}
SafeArray::SafeArray(const tervanix::DoubleArray3D& a) : array_(Filled(a)) {}
SafeArray::~SafeArray() {
    if (array_) SafeArrayDestroy(array_);
}

void SafeArray::CopyTo(tervanix::DoubleArray& a) const {
    if (array_ == nullptr || !a.HasBounds()) return;
    LONG lo = 0, hi = -1;
    SafeArrayGetLBound(array_, 1, &lo);
    SafeArrayGetUBound(array_, 1, &hi);
    if (lo != a.LBound() || hi != a.UBound()) throw std::runtime_error("the component changed an array's bounds");
    double* data = nullptr;
    SafeArrayAccessData(array_, reinterpret_cast<void**>(&data));
    for (Long i = lo; i <= hi; ++i) a(i) = data[i - lo];
    SafeArrayUnaccessData(array_);
}

// ---- CSort's data ----

namespace {

void Store(VARIANT& out, const tervanix::Variant& e) {
    VariantInit(&out);
    using K = tervanix::Variant::Kind;
    switch (e.kind()) {
        case K::OfInteger: out.vt = VT_I2; out.iVal = e.AsInteger(); break;
        case K::OfLong: out.vt = VT_I4; out.lVal = e.AsLong(); break;
        case K::OfDouble: out.vt = VT_R8; out.dblVal = e.AsDouble(); break;
        case K::OfBoolean: out.vt = VT_BOOL; out.boolVal = e.AsBoolean().Raw(); break;
        case K::OfString: {
            const tervanix::String& s = e.AsString();
            out.vt = VT_BSTR;
            out.bstrVal = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(s.data()), static_cast<UINT>(s.size()));
            break;
        }
        default: break;
    }
}

tervanix::Variant Load(const VARIANT& v) {
    switch (v.vt) {
        case VT_EMPTY: return tervanix::Variant();
        case VT_I2: return tervanix::Variant(static_cast<tervanix::Integer>(v.iVal));
        case VT_I4: return tervanix::Variant(static_cast<Long>(v.lVal));
        case VT_R8: return tervanix::Variant(v.dblVal);
        case VT_BOOL: return tervanix::Variant(tervanix::Boolean::FromRaw(v.boolVal));
        case VT_BSTR:
            return tervanix::Variant(tervanix::String(reinterpret_cast<const char16_t*>(v.bstrVal), SysStringLen(v.bstrVal)));
        default: throw std::runtime_error("an element of an unexpected type came back");
    }
}

VARTYPE TypeOf(const tervanix::rt::ArrayRef& a) {
    switch (a.index()) {
        case 0: return VT_R8;
        case 1: return VT_I4;
        case 2: return VT_BSTR;
        default: return VT_VARIANT;
    }
}

}  // namespace

VARIANT ToVariant(tervanix::Variant& v) {
    VARIANT out;
    VariantInit(&out);
    if (!v.IsArray()) {
        Store(out, v);
        return out;
    }
    const tervanix::rt::ArrayRef a = tervanix::rt::ArrayOf(v);
    const VARTYPE type = TypeOf(a);
    const Long lo = tervanix::rt::LBound(a), hi = tervanix::rt::UBound(a);
    SAFEARRAYBOUND b = {static_cast<ULONG>(static_cast<long long>(hi) - lo + 1), lo};
    SAFEARRAY* sa = SafeArrayCreate(type, 1, &b);
    if (sa == nullptr) throw std::bad_alloc();
    void* data = nullptr;
    SafeArrayAccessData(sa, &data);
    for (Long i = lo; i <= hi; ++i) {
        VARIANT e;
        Store(e, tervanix::rt::LoadElement(a, i));
        const std::size_t k = static_cast<std::size_t>(static_cast<long long>(i) - lo);
        switch (type) {
            case VT_R8: static_cast<double*>(data)[k] = e.dblVal; break;
            case VT_I4: static_cast<LONG*>(data)[k] = e.lVal; break;
            case VT_BSTR: static_cast<BSTR*>(data)[k] = e.bstrVal; break;
            default: static_cast<VARIANT*>(data)[k] = e; break;
        }
    }
    SafeArrayUnaccessData(sa);
    out.vt = static_cast<VARTYPE>(VT_ARRAY | type);
    out.parray = sa;
    return out;
}

void BackInto(const VARIANT& from, tervanix::Variant& v) {
    if (!v.IsArray() || !(from.vt & VT_ARRAY)) return;
    const tervanix::rt::ArrayRef a = tervanix::rt::ArrayOf(v);
    const VARTYPE type = static_cast<VARTYPE>(from.vt & ~VT_ARRAY);
    const Long lo = tervanix::rt::LBound(a), hi = tervanix::rt::UBound(a);
    void* data = nullptr;
    SafeArrayAccessData(from.parray, &data);
    for (Long i = lo; i <= hi; ++i) {
        const std::size_t k = static_cast<std::size_t>(static_cast<long long>(i) - lo);
        VARIANT e;
        VariantInit(&e);
        switch (type) {
            case VT_R8: e.vt = VT_R8; e.dblVal = static_cast<double*>(data)[k]; break;
            case VT_I4: e.vt = VT_I4; e.lVal = static_cast<LONG*>(data)[k]; break;
            case VT_BSTR: e.vt = VT_BSTR; e.bstrVal = static_cast<BSTR*>(data)[k]; break;
            default: e = static_cast<VARIANT*>(data)[k]; break;
        }
        tervanix::rt::StoreElement(a, i, Load(e));  // e is borrowed: nothing to free
    }
    SafeArrayUnaccessData(from.parray);
}

}  // namespace comclient
