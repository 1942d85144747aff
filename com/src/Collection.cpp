// The collection that cMatrix.Calc gives as its Solution: Count, Item(i) from 1 (also
// the default member, so Solution(1) works) and For Each through _NewEnum.
#include <new>

#include "Classes.h"
#include "Convert.h"

namespace tvcom {
namespace {

constexpr DISPID kItem = 2;
constexpr DISPID kNewEnum = 3;

class Enumerator : public Unknown<IEnumVARIANT, IID_IEnumVARIANT> {
public:
    Enumerator(CollectionPtr c, Long next) : collection_(std::move(c)), next_(next) {}

    HRESULT STDMETHODCALLTYPE Next(ULONG wanted, VARIANT* out, ULONG* fetched) override {
        if (out == nullptr) return E_POINTER;
        ULONG n = 0;
        try {
            for (; n < wanted && next_ <= collection_->Count(); ++n, ++next_) {
                VariantInit(&out[n]);
                StoreVariant(&out[n], collection_->Item(next_));
            }
        } catch (...) {
            for (ULONG k = 0; k < n; ++k) VariantClear(&out[k]);
            if (fetched) *fetched = 0;
            return E_OUTOFMEMORY;
        }
        if (fetched) *fetched = n;
        return n == wanted ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const Long left = collection_->Count() - next_ + 1;
        if (static_cast<Long>(count) > left) {
            next_ += left;
            return S_FALSE;
        }
        next_ += static_cast<Long>(count);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next_ = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
        if (out == nullptr) return E_POINTER;
        *out = new (std::nothrow) Enumerator(collection_, next_);
        return *out ? S_OK : E_OUTOFMEMORY;
    }

private:
    CollectionPtr collection_;
    Long next_;
};

class CollectionObject : public Object {
public:
    CollectionObject(const ClassTable& table, CollectionPtr c) : Object(table, iid()), collection(std::move(c)) {}
    CollectionPtr* AsCollection() override { return &collection; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* info, UINT* argError) override {
        if (id == DISPID_VALUE) id = kItem;
        else if (id == DISPID_NEWENUM) id = kNewEnum;
        return Object::Invoke(id, riid, lcid, flags, params, result, info, argError);
    }
    static const IID& iid() {
        static const IID value = {TERVANIX_COM_COLLECTION_IID};
        return value;
    }
    CollectionPtr collection;
};

Collection& Lib(Frame& f) { return *f.Self<CollectionObject>().collection; }

const Member kMembers[] = {
    {L"Count", {}, [](Frame& f) { f.Return(Lib(f).Count()); }},
    {L"Item", {{L"Index", Arg::Long}}, [](Frame& f) { f.Return(Lib(f).Item(f.L(0))); }},
    {L"_NewEnum", {}, [](Frame& f) {
         Enumerator* e = new (std::nothrow) Enumerator(f.Self<CollectionObject>().collection, 1);
         if (e == nullptr) throw std::bad_alloc();
         f.ReturnUnknown(e);
     }},
};

const ClassTable kTable = {L"Collection", kMembers, static_cast<int>(std::size(kMembers))};

}  // namespace

IDispatch* NewCollectionObject(CollectionPtr collection) {
    Object* object = new (std::nothrow) CollectionObject(kTable, std::move(collection));
    if (object == nullptr) throw std::bad_alloc();
    return object;
}

}  // namespace tvcom
