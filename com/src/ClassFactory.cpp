// IClassFactory for the eight classes: CreateInstance makes a new object of the class
// (no aggregation); LockServer keeps the DLL loaded.
#include "ClassFactory.h"

#include <new>

#include "Classes.h"

namespace tvcom {

Object* NewObject(ClassId id) {
    switch (id) {
#define TERVANIX_COM_CASE(Name, ProgId, ClsidText, Clsid, Iid) \
    case ClassId::Name: return New##Name();
        TERVANIX_COM_CLASSES(TERVANIX_COM_CASE)
#undef TERVANIX_COM_CASE
        default: return nullptr;
    }
}

namespace {

class Factory : public Unknown<IClassFactory, IID_IClassFactory> {
public:
    explicit Factory(ClassId id) : id_(id) {}

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        Object* object = nullptr;
        try {  // a library object's constructor may raise; nothing escapes to the host
            object = NewObject(id_);
        } catch (...) {
            object = nullptr;
        }
        if (object == nullptr) return E_OUTOFMEMORY;
        const HRESULT hr = object->QueryInterface(iid, out);
        object->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        tvcom::LockServer(lock != FALSE);
        return S_OK;
    }

private:
    ClassId id_;
};

}  // namespace

HRESULT GetFactory(ClassId id, REFIID iid, void** out) {
    Factory* factory = new (std::nothrow) Factory(id);
    if (factory == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(iid, out);
    factory->Release();
    return hr;
}

}  // namespace tvcom
