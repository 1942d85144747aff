// The IDispatch machinery shared by every class: a class is a table of members, each
// with its parameters (name and kind of value) and a function that calls the library.
// Object::Invoke finds the member, matches positional and named arguments to its
// parameters, converts them all (in the order declared) before the library is called,
// calls it, writes the outputs back into the caller's variables and turns a
// LibraryError into a dispatch exception.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include <Tervanix/Tervanix.h>

#include "Module.h"

namespace tvcom {

using tervanix::Boolean;
using tervanix::Collection;
using tervanix::DoubleArray;
using tervanix::DoubleArray2D;
using tervanix::DoubleArray3D;
using tervanix::Integer;
using tervanix::Long;
using tervanix::String;
using tervanix::Variant;
using MatrixPtr = std::shared_ptr<tervanix::cMatrix2>;
using CollectionPtr = std::shared_ptr<Collection>;

// The kinds of parameter. The In kinds are read once; an array is read and, when the
// library changed an element, that element is written back into the caller's array;
// the Out kinds are the library's by-reference outputs.
enum class Arg : std::uint8_t {
    Double, Integer, Long, Boolean, String, Enum,
    Table,    // a 1-D array of numbers, any lower bound
    Grid2,    // a 2-D array of numbers, subscripts in the order the host writes them
    Grid3,    // a 3-D array of numbers
    Data,     // CSort's Variant: an array of numbers, text or Variants, sorted in place
    Matrix,   // a cMatrix2 object of this component, or Nothing
    OutDouble, OutInteger, OutLong, OutBoolean, OutString,
    OutMatrix,      // a cMatrix2 variable that may receive a new object
    OutCollection,  // a variable that may receive a new collection
};

struct Param {
    const wchar_t* name;
    Arg type;
};

class Frame;
using CallFunction = void (*)(Frame&);

// A method (called with DISPATCH_METHOD or DISPATCH_PROPERTYGET), or a property whose
// value is read by `call` and assigned by `put` (the value of type `putType`).
struct Member {
    const wchar_t* name;
    std::initializer_list<Param> params;
    CallFunction call;
    CallFunction put = nullptr;
    Arg putType = Arg::Long;
};

struct ClassTable {
    const wchar_t* name;  // as in error texts: "cGeom"
    const Member* members;
    int count;
};

// A DISPID is the member's position in its table, from 1. Every class also has the
// members below (the reason for the last False on the calling thread).
constexpr DISPID kLastFalseReason = 1000;
constexpr DISPID kLastFalseCode = 1001;

constexpr int kMaxParams = 20;

class Object;

// One converted argument. The heavy values (arrays, Variants, objects) live in `heavy`
// so that a call with twenty Doubles builds no array.
struct Heavy {
    DoubleArray table;
    DoubleArray2D grid2;
    DoubleArray3D grid3;
    Variant data;
    MatrixPtr matrix, matrixBefore;
    CollectionPtr collection, collectionBefore;
};
struct Slot {
    VARIANT* source = nullptr;  // the caller's argument, as passed (nullptr: none)
    double d = 0, d0 = 0;
    Long l = 0, l0 = 0;
    Integer i = 0, i0 = 0;
    Boolean b, b0;
    String s, s0;
    std::unique_ptr<Heavy> heavy;
    Heavy& H() {
        if (!heavy) heavy = std::make_unique<Heavy>();
        return *heavy;
    }
};

class Frame {
public:
    Frame(Object& self, const ClassTable& table, const Member& member) : self_(self), table_(table), member_(member) {}

    template <typename T>
    T& Self() { return static_cast<T&>(self_); }

    double& D(int k) { return slots_[k].d; }
    Integer& I(int k) { return slots_[k].i; }
    Long& L(int k) { return slots_[k].l; }
    Boolean& B(int k) { return slots_[k].b; }
    String& S(int k) { return slots_[k].s; }
    DoubleArray& Table(int k) { return slots_[alias_[k]].H().table; }
    DoubleArray2D& Grid2(int k) { return slots_[k].H().grid2; }
    DoubleArray3D& Grid3(int k) { return slots_[k].H().grid3; }
    Variant& Data(int k) { return slots_[k].H().data; }
    MatrixPtr& M(int k) { return slots_[alias_[k]].H().matrix; }
    CollectionPtr& C(int k) { return slots_[k].H().collection; }

    void Return(double value);
    void Return(Boolean value);
    void Return(Long value);
    void Return(const String& value);
    void Return(IDispatch* object);  // takes the reference
    void ReturnUnknown(IUnknown* object);  // takes the reference
    void Return(const Variant& value);
    void Return(const std::vector<String>& texts);  // an array of strings from 0

    // Used by Object::Invoke.
    HRESULT Run(DISPPARAMS* params, bool put, VARIANT* result, EXCEPINFO* info);

private:
    void Bind(DISPPARAMS* params, bool put);
    void FindShared();
    void Convert(int k, Arg type);
    void WriteBack(int k, Arg type, bool completed);
    std::string Describe(const tervanix::LibraryError& e) const;
    [[noreturn]] void Fail(int number, const char* kind, const wchar_t* param, const char* text) const;

    Object& self_;
    const ClassTable& table_;
    const Member& member_;
    std::array<Slot, kMaxParams + 1> slots_;
    // One variable passed for several parameters (a table as X and Y, one matrix as
    // input and output) is one library object, as it is one variable in the host:
    // alias_[k] is the first parameter that has it.
    std::array<int, kMaxParams + 1> alias_{};
    std::array<bool, kMaxParams + 1> receives_{};  // a shared matrix some parameter may replace
    int count_ = 0;
    VARIANT* result_ = nullptr;
    friend struct FrameAccess;
};

// The base of every object of the component: reference counting, IDispatch over a
// class table, and the private identity interface through which the component
// recognises its own objects among the ones a host passes.
class Object : public IDispatch {
public:
    explicit Object(const ClassTable& table, const IID& iid);
    virtual ~Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* info, UINT* argError) override;

    // The library object behind a cMatrix2 or a collection of this component.
    virtual MatrixPtr* AsMatrix() { return nullptr; }
    virtual CollectionPtr* AsCollection() { return nullptr; }

    const ClassTable& Table() const { return table_; }

private:
    const ClassTable& table_;
    const IID& iid_;
    LONG refs_ = 1;
};

// IUnknown for a helper object of one interface (a class factory, an enumerator):
// counts itself among the component's live objects.
template <typename I, const IID& Iid>
class Unknown : public I {
public:
    Unknown() { ObjectCreated(); }
    virtual ~Unknown() { ObjectDestroyed(); }
    Unknown(const Unknown&) = delete;
    Unknown& operator=(const Unknown&) = delete;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, Iid)) {
            *out = static_cast<I*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG n = InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }

private:
    LONG refs_ = 1;
};

// The identity interface: QueryInterface for it gives the Object itself (AddRef'd).
extern const IID IID_ITervanixObject;
// The Object behind an interface pointer of this component, or nullptr.
Object* OwnObject(IUnknown* unknown);

// The objects that methods hand out.
IDispatch* NewMatrixObject(MatrixPtr matrix);
IDispatch* NewCollectionObject(CollectionPtr collection);

}  // namespace tvcom
