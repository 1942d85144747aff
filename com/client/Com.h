// The C++ client's side of IDispatch: creating objects by ProgID, finding DISPIDs by
// name (late binding) and calling Invoke, with an error turned back into the
// LibraryError it was (the kind from the run-time error number, the text from the
// description).
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <initializer_list>
#include <string>
#include <utility>

#include <Tervanix/runtime/LibraryError.h>

namespace comclient {

// An owned IDispatch reference.
class Ref {
public:
    Ref() = default;
    explicit Ref(IDispatch* adopted) : p_(adopted) {}
    Ref(const Ref& other) : p_(other.p_) {
        if (p_) p_->AddRef();
    }
    Ref(Ref&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    Ref& operator=(Ref other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~Ref() {
        if (p_) p_->Release();
    }
    IDispatch* get() const { return p_; }
    IDispatch* copy() const {  // a new reference for a callee that takes one
        if (p_) p_->AddRef();
        return p_;
    }

private:
    IDispatch* p_ = nullptr;
};

Ref Create(const wchar_t* progId);

// The DISPID of a member (GetIDsOfNames), remembered per object type and name.
DISPID IdOf(IDispatch* object, const wchar_t* name);

// A call's arguments, written in the order of the parameters.
struct Args {
    Args(std::initializer_list<VARIANT> list);
    VARIANT v[24];
    UINT n = 0;
};
VARIANT R8(double x);
VARIANT I4(long x);
VARIANT I2(short x);
VARIANT Bool(bool x);
VARIANT Obj(IDispatch* object);  // not owned
VARIANT Ref8(double* x);
VARIANT RefI2(short* x);
VARIANT RefI4(long* x);
VARIANT RefBool(VARIANT_BOOL* x);
VARIANT RefBstr(BSTR* x);
VARIANT RefDispatch(IDispatch** x);
VARIANT RefArray(SAFEARRAY** a, VARTYPE type);
VARIANT RefVariant(VARIANT* x);

// Invokes a method (or a property read: flags) and returns its result; an error
// raised by the component comes back as the LibraryError of its kind.
VARIANT Call(IDispatch* object, DISPID id, Args args, WORD flags = DISPATCH_METHOD);
inline VARIANT Call(IDispatch* object, const wchar_t* name, Args args, WORD flags = DISPATCH_METHOD) {
    return Call(object, IdOf(object, name), std::move(args), flags);
}
void Put(IDispatch* object, const wchar_t* name, VARIANT value);

double AsDouble(const VARIANT& v);
bool AsBool(const VARIANT& v);  // and checks that True is -1
long AsLong(const VARIANT& v);

// The kind of a run-time error number the component raises.
tervanix::ErrorKind KindOf(int number);

}  // namespace comclient
