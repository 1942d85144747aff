// IDispatch calls for the client (see Com.h).
#include "Com.h"

#include <map>
#include <stdexcept>
#include <string>

namespace comclient {

Ref Create(const wchar_t* progId) {
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(progId, &clsid))) {
        throw std::runtime_error("class not registered: " + std::string(progId, progId + wcslen(progId)));
    }
    IDispatch* p = nullptr;
    const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&p));
    if (FAILED(hr)) throw std::runtime_error("CoCreateInstance failed");
    return Ref(p);
}

DISPID IdOf(IDispatch* object, const wchar_t* name) {
    // The table of an object is fixed per type: key on its first vtable entry and
    // its type info name would be overkill; the type's DISPIDs come from one
    // GetIDsOfNames per (vtable, name).
    static std::map<std::pair<const void*, std::wstring>, DISPID> cache;
    const void* type = *reinterpret_cast<void* const*>(object);
    auto key = std::make_pair(type, std::wstring(name));
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
        throw std::runtime_error("unknown member");
    }
    cache.emplace(key, id);
    return id;
}

Args::Args(std::initializer_list<VARIANT> list) {
    for (const VARIANT& v : list) this->v[n++] = v;
}

namespace {
VARIANT Make(VARTYPE t) {
    VARIANT v;
    VariantInit(&v);
    v.vt = t;
    return v;
}
}  // namespace

VARIANT R8(double x) { VARIANT v = Make(VT_R8); v.dblVal = x; return v; }
VARIANT I4(long x) { VARIANT v = Make(VT_I4); v.lVal = x; return v; }
VARIANT I2(short x) { VARIANT v = Make(VT_I2); v.iVal = x; return v; }
VARIANT Bool(bool x) { VARIANT v = Make(VT_BOOL); v.boolVal = x ? VARIANT_TRUE : VARIANT_FALSE; return v; }
VARIANT Obj(IDispatch* o) { VARIANT v = Make(VT_DISPATCH); v.pdispVal = o; return v; }
VARIANT Ref8(double* x) { VARIANT v = Make(VT_R8 | VT_BYREF); v.pdblVal = x; return v; }
VARIANT RefI2(short* x) { VARIANT v = Make(VT_I2 | VT_BYREF); v.piVal = x; return v; }
VARIANT RefI4(long* x) { VARIANT v = Make(VT_I4 | VT_BYREF); v.plVal = x; return v; }
VARIANT RefBool(VARIANT_BOOL* x) { VARIANT v = Make(VT_BOOL | VT_BYREF); v.pboolVal = x; return v; }
VARIANT RefBstr(BSTR* x) { VARIANT v = Make(VT_BSTR | VT_BYREF); v.pbstrVal = x; return v; }
VARIANT RefDispatch(IDispatch** x) { VARIANT v = Make(VT_DISPATCH | VT_BYREF); v.ppdispVal = x; return v; }
VARIANT RefArray(SAFEARRAY** a, VARTYPE type) { VARIANT v = Make(static_cast<VARTYPE>(VT_ARRAY | VT_BYREF | type)); v.pparray = a; return v; }
VARIANT RefVariant(VARIANT* x) { VARIANT v = Make(VT_VARIANT | VT_BYREF); v.pvarVal = x; return v; }

tervanix::ErrorKind KindOf(int number) {
    using tervanix::ErrorKind;
    switch (number) {
        case 6: return ErrorKind::OverflowError;
        case 9: return ErrorKind::SubscriptOutOfRange;
        case 11: return ErrorKind::FloatingPointFault;
        case 5: return ErrorKind::InvalidArgument;
        case 13: return ErrorKind::TypeMismatch;
        case 424: return ErrorKind::MissingObject;
        case 7: return ErrorKind::OutOfMemory;
        default: throw std::runtime_error("run-time error " + std::to_string(number) + " is no library error");
    }
}

VARIANT Call(IDispatch* object, DISPID id, Args args, WORD flags) {
    VARIANT reversed[24];
    for (UINT k = 0; k < args.n; ++k) reversed[k] = args.v[args.n - 1 - k];
    DISPPARAMS params = {reversed, nullptr, args.n, 0};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO info = {};
    UINT argError = 0;
    const HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &result, &info, &argError);
    if (hr == DISP_E_EXCEPTION) {
        const int number = static_cast<int>(info.scode & 0xFFFF);
        std::string text;
        if (info.bstrDescription) {
            const int n = WideCharToMultiByte(CP_UTF8, 0, info.bstrDescription, -1, nullptr, 0, nullptr, nullptr);
            text.resize(static_cast<size_t>(n > 0 ? n : 1));
            WideCharToMultiByte(CP_UTF8, 0, info.bstrDescription, -1, &text[0], n, nullptr, nullptr);
            text.resize(text.size() - 1);
        }
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrHelpFile);
        throw tervanix::LibraryError(KindOf(number), text.c_str());
    }
    if (FAILED(hr)) throw std::runtime_error("Invoke failed: " + std::to_string(static_cast<unsigned long>(hr)));
    return result;
}

void Put(IDispatch* object, const wchar_t* name, VARIANT value) {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&value, &named, 1, 1};
    EXCEPINFO info = {};
    const HRESULT hr = object->Invoke(IdOf(object, name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params,
                                      nullptr, &info, nullptr);
    if (hr == DISP_E_EXCEPTION) {
        const int number = static_cast<int>(info.scode & 0xFFFF);
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrHelpFile);
        throw tervanix::LibraryError(KindOf(number), "");
    }
    if (FAILED(hr)) throw std::runtime_error("property assignment failed");
}

double AsDouble(const VARIANT& v) {
    if (v.vt != VT_R8) throw std::runtime_error("expected a Double result");
    return v.dblVal;
}
bool AsBool(const VARIANT& v) {
    if (v.vt != VT_BOOL || (v.boolVal != VARIANT_TRUE && v.boolVal != VARIANT_FALSE)) {
        throw std::runtime_error("expected a Boolean result, -1 or 0");
    }
    return v.boolVal == VARIANT_TRUE;
}
long AsLong(const VARIANT& v) {
    if (v.vt != VT_I4) throw std::runtime_error("expected a Long result");
    return v.lVal;
}

}  // namespace comclient
