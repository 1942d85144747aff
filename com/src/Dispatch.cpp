// Object's IUnknown and IDispatch, and the Frame that binds, converts, calls and
// writes back (see Dispatch.h).
#include "Dispatch.h"

#include <cstring>
#include <cwchar>
#include <new>
#include <string>

#include "Convert.h"
#include "Errors.h"

namespace tvcom {

// {A5D020CE-3B90-4AEB-BFCF-5E6F3B359E0B}: private to the component, never registered.
const IID IID_ITervanixObject = {0xA5D020CE, 0x3B90, 0x4AEB, {0xBF, 0xCF, 0x5E, 0x6F, 0x3B, 0x35, 0x9E, 0x0B}};

namespace {

std::string Narrow(const wchar_t* w) {
    std::string s;
    for (; *w; ++w) s += static_cast<char>(*w < 128 ? *w : '?');  // member and parameter names are ASCII
    return s;
}

bool SameName(const wchar_t* a, const wchar_t* b) {
    for (;; ++a, ++b) {
        const wchar_t x = (*a >= L'A' && *a <= L'Z') ? static_cast<wchar_t>(*a + 32) : *a;
        const wchar_t y = (*b >= L'A' && *b <= L'Z') ? static_cast<wchar_t>(*b + 32) : *b;
        if (x != y) return false;
        if (x == 0) return true;
    }
}

bool Missing(const VARIANT* v) { return v == nullptr || (v->vt == VT_ERROR && v->scode == DISP_E_PARAMNOTFOUND); }

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

// ---- Object ----

Object::Object(const ClassTable& table, const IID& iid) : table_(table), iid_(iid) { ObjectCreated(); }
Object::~Object() { ObjectDestroyed(); }

HRESULT Object::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, iid_) ||
        IsEqualIID(iid, IID_ITervanixObject)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG Object::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

ULONG Object::Release() {
    const LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

HRESULT Object::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT Object::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    ITypeLib* lib = EmbeddedTypeLib();
    if (lib == nullptr) return TYPE_E_CANTLOADLIBRARY;
    const HRESULT hr = lib->GetTypeInfoOfGuid(iid_, info);
    lib->Release();
    return hr;
}

HRESULT Object::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
    const Member* member = nullptr;
    ids[0] = DISPID_UNKNOWN;
    for (int k = 0; k < table_.count; ++k) {
        if (SameName(names[0], table_.members[k].name)) {
            member = &table_.members[k];
            ids[0] = k + 1;
            break;
        }
    }
    if (member == nullptr) {
        if (SameName(names[0], L"LastFalseReason")) ids[0] = kLastFalseReason;
        else if (SameName(names[0], L"LastFalseCode")) ids[0] = kLastFalseCode;
    }
    HRESULT hr = ids[0] == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
    for (UINT n = 1; n < count; ++n) {
        ids[n] = DISPID_UNKNOWN;
        if (member != nullptr) {
            int k = 0;
            for (const Param& p : member->params) {
                if (SameName(names[n], p.name)) ids[n] = k;
                ++k;
            }
        }
        if (ids[n] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT Object::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* info,
                       UINT* argError) {
    if (argError) *argError = 0;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    if (params == nullptr) params = &none;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    if (id == kLastFalseReason || id == kLastFalseCode) {
        if (put || params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
        if (result == nullptr) return S_OK;
        const tervanix::FalseExplanation last = tervanix::LastFalseReason();
        VariantInit(result);
        if (id == kLastFalseCode) {
            result->vt = VT_I4;
            result->lVal = static_cast<LONG>(last.code());
        } else {
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocString(Widen(last.text()).c_str());
            if (result->bstrVal == nullptr) return E_OUTOFMEMORY;
        }
        return S_OK;
    }
    if (id < 1 || id > table_.count) return DISP_E_MEMBERNOTFOUND;
    const Member& member = table_.members[id - 1];
    if (put ? member.put == nullptr : (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) == 0) {
        return DISP_E_MEMBERNOTFOUND;
    }
    if (result) VariantInit(result);
    try {
        Frame frame(*this, table_, member);
        return frame.Run(params, put, result, info);
    } catch (...) {  // the frame's own storage could not be had
        return E_OUTOFMEMORY;
    }
}

Object* OwnObject(IUnknown* unknown) {
    if (unknown == nullptr) return nullptr;
    void* own = nullptr;
    if (FAILED(unknown->QueryInterface(IID_ITervanixObject, &own)) || own == nullptr) return nullptr;
    Object* object = static_cast<Object*>(static_cast<IDispatch*>(own));
    object->Release();  // the caller holds its own reference to the interface it passed
    return object;
}

// ---- Frame ----

void Frame::Fail(int number, const char* kind, const wchar_t* param, const char* text) const {
    std::string s = Narrow(table_.name) + "." + Narrow(member_.name) + ": " + kind + ": ";
    if (param) s += Narrow(param) + (text[0] == ':' ? "" : " ");
    s += text;
    throw BindingError{number, s};
}

void Frame::Bind(DISPPARAMS* dp, bool put) {
    if (put) {
        count_ = 1;
        if (dp->cArgs != 1) Fail(kWrongArguments, "WrongNumberOfArguments", nullptr, "a property takes one value");
        slots_[0].source = &dp->rgvarg[0];
        return;
    }
    const int n = static_cast<int>(member_.params.size());
    count_ = n;
    const int total = static_cast<int>(dp->cArgs);
    const int named = static_cast<int>(dp->cNamedArgs);
    const int positional = total - named;
    if (positional > n || total > n) {
        const std::string text = "takes " + std::to_string(n) + " argument(s), given " + std::to_string(total);
        Fail(kWrongArguments, "WrongNumberOfArguments", nullptr, text.c_str());
    }
    for (int k = 0; k < positional; ++k) slots_[k].source = &dp->rgvarg[total - 1 - k];
    for (int k = 0; k < named; ++k) {
        const DISPID at = dp->rgdispidNamedArgs[k];
        if (at < 0 || at >= n) Fail(kWrongArguments, "WrongNumberOfArguments", nullptr, "a named argument is not a parameter of this method");
        if (slots_[at].source != nullptr) {
            Fail(kWrongArguments, "WrongNumberOfArguments", member_.params.begin()[at].name, "is given twice");
        }
        slots_[at].source = &dp->rgvarg[k];
    }
    for (int k = 0; k < n; ++k) {
        if (Missing(slots_[k].source)) {
            Fail(kNotOptional, "ArgumentNotOptional", member_.params.begin()[k].name, "is missing; every argument of this method is required");
        }
    }
}

namespace {

// Where a by-reference argument's value lives: the host's variable (or, for a typed
// array, the array descriptor it points to); nullptr for a value passed by value.
const void* VariableOf(const VARIANT* v) {
    if (v == nullptr || !(v->vt & VT_BYREF)) return nullptr;
    const VARIANT* u = Unwrap(v);
    if (u != v) return u;  // a Variant variable
    if (v->vt & VT_ARRAY) return v->pparray ? static_cast<const void*>(*v->pparray) : nullptr;
    return v->byref;
}

bool Shares(Arg a) { return a == Arg::Table || a == Arg::Matrix || a == Arg::OutMatrix; }

}  // namespace

void Frame::FindShared() {
    for (int k = 0; k < count_; ++k) {
        alias_[k] = k;
        const Arg type = member_.params.begin()[k].type;
        const void* variable = Shares(type) ? VariableOf(slots_[k].source) : nullptr;
        for (int j = 0; j < k && variable != nullptr; ++j) {
            const Arg other = member_.params.begin()[j].type;
            if (alias_[j] == j && (other == type || (other != Arg::Table && type != Arg::Table)) &&
                VariableOf(slots_[j].source) == variable) {
                alias_[k] = j;
                receives_[j] = receives_[j] || type == Arg::OutMatrix;
                break;
            }
        }
    }
}

namespace {

MatrixPtr MatrixOf(const VARIANT* v, bool output, bool& refused) {
    refused = false;
    IDispatch* object = nullptr;
    if (!ReadObject(v, object)) {
        refused = !output;
        return nullptr;
    }
    if (object == nullptr) return nullptr;
    Object* own = OwnObject(object);
    if (own == nullptr || own->AsMatrix() == nullptr) {
        refused = true;
        return nullptr;
    }
    return *own->AsMatrix();
}

}  // namespace

void Frame::Convert(int k, Arg type) {
    Slot& s = slots_[k];
    const VARIANT* v = s.source;
    switch (type) {
        case Arg::Double: s.d = ReadDouble(v); break;
        case Arg::Integer: s.i = ReadInteger(v); break;
        case Arg::Long: case Arg::Enum: s.l = ReadLong(v); break;
        case Arg::Boolean: s.b = ReadBoolean(v); break;
        case Arg::String: s.s = ReadString(v); break;
        case Arg::Table:
            if (IDispatch* script = ScriptArray(v)) s.H().table = NumbersOf(ReadScriptArray(script));
            else ReadNumbers(FindArray(v, 1), s.H().table);
            break;
        case Arg::Grid2: ReadNumbers(FindArray(v, 2), s.H().grid2); break;
        case Arg::Grid3: ReadNumbers(FindArray(v, 3), s.H().grid3); break;
        case Arg::Data:
            if (IDispatch* script = ScriptArray(v)) s.H().data = ReadScriptArray(script);
            else s.H().data = ReadData(v);
            break;
        case Arg::Matrix: case Arg::OutMatrix: {
            bool refused = false;
            s.H().matrix = MatrixOf(v, type == Arg::OutMatrix, refused);
            if (refused) throw BindingError{kTypeMismatch, "is not a Tervanix.cMatrix2 object; pass one made with CreateObject(\"Tervanix.cMatrix2\") or Nothing"};
            s.H().matrixBefore = s.H().matrix;
            break;
        }
        case Arg::OutCollection: {
            IDispatch* object = nullptr;
            if (ReadObject(v, object) && object != nullptr) {
                Object* own = OwnObject(object);
                if (own != nullptr && own->AsCollection() != nullptr) s.H().collection = *own->AsCollection();
            }
            s.H().collectionBefore = s.H().collection;
            break;
        }
        // An output starts from the variable's value when it holds one of the
        // output's kind, else from 0 (or ""): the library only writes it.
        case Arg::OutDouble: try { s.d = ReadDouble(v); } catch (const BindingError&) { s.d = 0; } s.d0 = s.d; break;
        case Arg::OutInteger: try { s.i = ReadInteger(v); } catch (const BindingError&) { s.i = 0; } s.i0 = s.i; break;
        case Arg::OutLong: try { s.l = ReadLong(v); } catch (const BindingError&) { s.l = 0; } s.l0 = s.l; break;
        case Arg::OutBoolean: {  // kept as the caller's raw value, which the library may leave as it is
            const VARIANT* u = Unwrap(v);
            if (u->vt == VT_BOOL) s.b = Boolean::FromRaw(u->boolVal);
            else if (u->vt == (VT_BOOL | VT_BYREF)) s.b = Boolean::FromRaw(*u->pboolVal);
            else try { s.b = ReadBoolean(v); } catch (const BindingError&) { s.b = tervanix::False; }
            s.b0 = s.b;
            break;
        }
        case Arg::OutString: try { s.s = ReadString(v); } catch (const BindingError&) { s.s.clear(); } s.s0 = s.s; break;
    }
}

// After a call that returned, every output is written (so a variable that was Empty
// receives a value of the output's type); after an error, only the outputs whose
// value the library changed. Arrays: the changed elements, either way.
void Frame::WriteBack(int k, Arg type, bool completed) {
    Slot& s = slots_[k];
    VARIANT* v = s.source;
    switch (type) {
        case Arg::Table:
            if (IDispatch* script = ScriptArray(v)) WriteScriptArray(script, Variant(s.H().table));
            else WriteNumbers(FindArray(v, 1), s.H().table);
            break;
        case Arg::Data:
            if (IDispatch* script = ScriptArray(v)) WriteScriptArray(script, s.H().data);
            else WriteData(v, s.H().data);
            break;
        case Arg::OutDouble: if (completed || !SameBits(s.d, s.d0)) WriteDouble(v, s.d); break;
        case Arg::OutInteger: if (completed || s.i != s.i0) WriteInteger(v, s.i); break;
        case Arg::OutLong: if (completed || s.l != s.l0) WriteLong(v, s.l); break;
        case Arg::OutBoolean: if (completed || s.b.Raw() != s.b0.Raw()) WriteBoolean(v, s.b); break;
        case Arg::OutString: if (completed || s.s != s.s0) WriteString(v, s.s); break;
        case Arg::OutMatrix:
            if (s.H().matrix != s.H().matrixBefore) WriteObject(v, s.H().matrix ? NewMatrixObject(s.H().matrix) : nullptr);
            break;
        case Arg::OutCollection:
            if (s.H().collection != s.H().collectionBefore) {
                WriteObject(v, s.H().collection ? NewCollectionObject(s.H().collection) : nullptr);
            }
            break;
        default: break;  // inputs, and the grids (which the library only reads)
    }
}

// The library's text "Class.Method: Kind: message"; an error raised outside any method
// (a collection's item) is named after the member the host called.
std::string Frame::Describe(const tervanix::LibraryError& e) const {
    if (e.where()[0] != '\0') return e.what();
    return Narrow(table_.name) + "." + Narrow(member_.name) + ": " + tervanix::KindName(e.kind()) + ": " + e.message();
}

HRESULT Frame::Run(DISPPARAMS* params, bool put, VARIANT* result, EXCEPINFO* info) {
    result_ = result;
    const wchar_t* source = L"Tervanix";
    int number = 0;
    std::string text;
    auto type = [&](int k) { return put ? member_.putType : member_.params.begin()[k].type; };
    int converted = 0;
    try {
        Bind(params, put);
        if (!put) FindShared();
        for (; converted < count_; ++converted) {
            if (!put && alias_[converted] != converted) continue;  // the same variable as an earlier one
            try {
                Convert(converted, type(converted));
            } catch (const BindingError& e) {
                const wchar_t* name = put ? L"the value" : member_.params.begin()[converted].name;
                Fail(e.number, KindOfNumber(e.number), name, e.text.c_str());
            } catch (const tervanix::LibraryError& e) {  // an array too big for memory, ...
                const wchar_t* name = put ? L"the value" : member_.params.begin()[converted].name;
                Fail(NumberOf(e.kind()), tervanix::KindName(e.kind()), name, e.message());
            }
        }
        bool completed = false;
        try {
            (put ? member_.put : member_.call)(*this);
            completed = true;
        } catch (const tervanix::LibraryError& e) {
            number = NumberOf(e.kind());
            text = Describe(e);
        }
        for (int k = 0; k < count_; ++k) {
            if (!put && alias_[k] != k) continue;
            try {
                WriteBack(k, receives_[k] ? Arg::OutMatrix : type(k), completed);
            } catch (const BindingError& e) {
                if (number == 0) {
                    try {
                        Fail(e.number, KindOfNumber(e.number), put ? L"the value" : member_.params.begin()[k].name,
                             e.text.c_str());
                    } catch (const BindingError& composed) {
                        number = composed.number;
                        text = composed.text;
                    }
                }
            }
        }
    } catch (const BindingError& e) {
        number = e.number;
        text = e.text;
    } catch (const tervanix::LibraryError& e) {
        number = NumberOf(e.kind());
        text = Describe(e);
    } catch (const std::bad_alloc&) {
        number = kOutOfMemory;
        text = Narrow(table_.name) + "." + Narrow(member_.name) + ": OutOfMemory: the component could not allocate memory";
    } catch (...) {
        number = kInvalidCall;
        text = Narrow(table_.name) + "." + Narrow(member_.name) + ": InvalidArgument: an unexpected error";
    }
    if (number == 0) return S_OK;
    if (result) VariantClear(result);
    (void)source;
    std::wstring progId = L"Tervanix.";
    progId += table_.name;
    return Report(info, progId.c_str(), number, text);
}

void Frame::Return(double value) {
    if (!result_) return;
    result_->vt = VT_R8;
    result_->dblVal = value;
}
void Frame::Return(Boolean value) {
    if (!result_) return;
    result_->vt = VT_BOOL;
    result_->boolVal = value.Raw();
}
void Frame::Return(Long value) {
    if (!result_) return;
    result_->vt = VT_I4;
    result_->lVal = value;
}
void Frame::Return(const String& value) {
    if (!result_) return;
    const BSTR s = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(value.data()), static_cast<UINT>(value.size()));
    if (s == nullptr) throw std::bad_alloc();
    result_->vt = VT_BSTR;
    result_->bstrVal = s;
}
void Frame::ReturnUnknown(IUnknown* object) {
    if (!result_) {
        if (object) object->Release();
        return;
    }
    result_->vt = VT_UNKNOWN;
    result_->punkVal = object;
}
void Frame::Return(const Variant& value) {
    if (result_) StoreVariant(result_, value);
}
void Frame::Return(const std::vector<String>& texts) {
    if (!result_) return;
    SAFEARRAYBOUND bound = {static_cast<ULONG>(texts.size()), 0};
    SAFEARRAY* array = SafeArrayCreate(VT_VARIANT, 1, &bound);
    if (array == nullptr) throw std::bad_alloc();
    VARIANT* elements = nullptr;
    SafeArrayAccessData(array, reinterpret_cast<void**>(&elements));
    for (std::size_t k = 0; k < texts.size(); ++k) {
        elements[k].vt = VT_BSTR;
        elements[k].bstrVal = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(texts[k].data()), static_cast<UINT>(texts[k].size()));
    }
    SafeArrayUnaccessData(array);
    result_->vt = VT_ARRAY | VT_VARIANT;
    result_->parray = array;
}
void Frame::Return(IDispatch* object) {
    if (!result_) {
        if (object) object->Release();
        return;
    }
    result_->vt = VT_DISPATCH;
    result_->pdispVal = object;
}

}  // namespace tvcom
