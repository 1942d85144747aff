// `tervanix_com_client checks`: what a script cannot show. Named arguments (as VBA
// passes them); typed arrays by reference with lower bounds 1 and -5; a grid's
// subscripts in the host's order; the type library's DISPIDs against the names the
// component answers, with the members reachable per class; no object, no block of
// the task allocator (BSTR, SAFEARRAY: counted by a malloc spy) and no heap block
// (VARIANT contents, objects) left after a run of calls, errors included.
// `tervanix_com_client clean`: no registry key of the component left.
// Each prints "<what>: N passed, M failed".
#include <windows.h>
#include <oleauto.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Com.h"
#include "ComClasses.h"

namespace comclient {

namespace {

int g_passed = 0, g_failed = 0;

void Check(const char* name, bool ok) {
    if (ok) ++g_passed;
    else {
        ++g_failed;
        std::printf("FAILED: %s\n", name);
    }
}

// The blocks in use on every heap of the process: BSTRs and SAFEARRAYs (through the
// task allocator), the library's and the component's objects. The checks run with
// OANOCACHE=1, so that a freed BSTR goes back to its heap.
long BusyBlocks() {
    HANDLE heaps[64];
    const DWORD n = GetProcessHeaps(64, heaps);
    long busy = 0;
    for (DWORD h = 0; h < n && h < 64; ++h) {
        if (!HeapLock(heaps[h])) continue;
        PROCESS_HEAP_ENTRY e = {};
        while (HeapWalk(heaps[h], &e)) {
            if (e.wFlags & PROCESS_HEAP_ENTRY_BUSY) ++busy;
        }
        HeapUnlock(heaps[h]);
    }
    return busy;
}

// The task allocator's blocks alive, counted exactly: a malloc spy (CoRegisterMallocSpy)
// sees every allocation and free of the process's task allocator, through which every
// BSTR and SAFEARRAY (descriptor and data) is made. Only blocks allocated while it is
// registered count. With OANOCACHE=1 a freed BSTR is freed at once.
// The platform's interfaces have no virtual destructor by design; this object is static.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class AllocationCounter final : public IMallocSpy {
public:
    long Live() const { return live_; }
    long Allocated() const { return allocated_; }

    HRESULT __stdcall QueryInterface(REFIID iid, void** out) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMallocSpy)) {
            *out = static_cast<IMallocSpy*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG __stdcall AddRef() override { return 2; }  // a static object
    ULONG __stdcall Release() override { return 1; }
    SIZE_T __stdcall PreAlloc(SIZE_T size) override { return size; }
    void* __stdcall PostAlloc(void* block) override {
        if (block) Count();
        return block;
    }
    void* __stdcall PreFree(void* block, BOOL spied) override {
        if (block && spied) --live_;
        return block;
    }
    void __stdcall PostFree(BOOL) override {}
    // Realloc(nullptr, n) allocates, Realloc(p, 0) frees, otherwise the block stays one.
    SIZE_T __stdcall PreRealloc(void* block, SIZE_T size, void** next, BOOL spied) override {
        reallocFrom_ = block;
        reallocSpied_ = spied;
        reallocSize_ = size;
        *next = block;
        return size;
    }
    void* __stdcall PostRealloc(void* block, BOOL) override {
        if (reallocFrom_ == nullptr) {
            if (block) Count();
        } else if (reallocSize_ == 0) {
            if (reallocSpied_) --live_;
        } else if (block && !reallocSpied_) {
            Count();  // a block from before now counts
        }
        return block;
    }
    void* __stdcall PreGetSize(void* block, BOOL) override { return block; }
    SIZE_T __stdcall PostGetSize(SIZE_T size, BOOL) override { return size; }
    void* __stdcall PreDidAlloc(void* block, BOOL) override { return block; }
    int __stdcall PostDidAlloc(void*, BOOL, int actual) override { return actual; }
    void __stdcall PreHeapMinimize() override {}
    void __stdcall PostHeapMinimize() override {}

private:
    void Count() {
        ++live_;
        ++allocated_;
    }
    long live_ = 0, allocated_ = 0;
    void* reallocFrom_ = nullptr;
    BOOL reallocSpied_ = FALSE;
    SIZE_T reallocSize_ = 0;
};
#pragma GCC diagnostic pop

SAFEARRAY* Doubles(LONG lower, std::initializer_list<double> values, VARTYPE type = VT_R8) {
    SAFEARRAYBOUND b = {static_cast<ULONG>(values.size()), lower};
    SAFEARRAY* sa = SafeArrayCreate(type, 1, &b);
    LONG i = lower;
    for (double v : values) {
        if (type == VT_R8) {
            SafeArrayPutElement(sa, &i, &v);
        } else {
            VARIANT e = R8(v);
            SafeArrayPutElement(sa, &i, &e);
        }
        ++i;
    }
    return sa;
}

double Element(SAFEARRAY* sa, LONG i) {
    VARTYPE type = VT_EMPTY;
    SafeArrayGetVartype(sa, &type);
    if (type == VT_R8) {
        double v = 0;
        SafeArrayGetElement(sa, &i, &v);
        return v;
    }
    VARIANT e;
    VariantInit(&e);
    SafeArrayGetElement(sa, &i, &e);
    VariantChangeType(&e, &e, 0, VT_R8);
    return e.dblVal;
}

void NamedArguments() {
    Ref geom = Create(L"Tervanix.cGeom");
    // Distance2D(1, 2, y2:=6, x2:=4), as VBA passes it: named arguments first, in
    // reverse order of writing, their DISPIDs from GetIDsOfNames.
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"distance2d"), const_cast<LPOLESTR>(L"Y2"), const_cast<LPOLESTR>(L"x2")};
    DISPID ids[3];
    Check("GetIDsOfNames finds a method and its parameters in any case",
          SUCCEEDED(geom.get()->GetIDsOfNames(IID_NULL, names, 3, 0, ids)) && ids[1] == 3 && ids[2] == 2);
    VARIANT args[4] = {R8(4), R8(6), R8(2), R8(1)};  // x2 (named), y2 (named), then y1, x1 reversed
    DISPID named[2] = {ids[2], ids[1]};
    DISPPARAMS p = {args, named, 4, 2};
    VARIANT result;
    VariantInit(&result);
    HRESULT hr = geom.get()->Invoke(ids[0], IID_NULL, 0, DISPATCH_METHOD, &p, &result, nullptr, nullptr);
    Check("named arguments", SUCCEEDED(hr) && result.vt == VT_R8 && result.dblVal == 5);
    // A named output: Line2D(0, 0, 2, 4, B:=b, m:=m).
    LPOLESTR lnames[] = {const_cast<LPOLESTR>(L"Line2D"), const_cast<LPOLESTR>(L"B"), const_cast<LPOLESTR>(L"m")};
    geom.get()->GetIDsOfNames(IID_NULL, lnames, 3, 0, ids);
    double m = -1, b = -1;
    VARIANT largs[6] = {Ref8(&b), Ref8(&m), R8(4), R8(2), R8(0), R8(0)};  // Line2D(0, 0, 2, 4, ...)
    DISPID lnamed[2] = {ids[1], ids[2]};
    DISPPARAMS lp = {largs, lnamed, 6, 2};
    hr = geom.get()->Invoke(ids[0], IID_NULL, 0, DISPATCH_METHOD, &lp, &result, nullptr, nullptr);
    Check("named by-reference outputs", SUCCEEDED(hr) && m == 2 && b == 0);
    // A parameter named twice, and a name that is no parameter.
    DISPID twice[2] = {3, 3};
    DISPPARAMS tp = {args, twice, 4, 2};
    EXCEPINFO info = {};
    hr = geom.get()->Invoke(1 + 1, IID_NULL, 0, DISPATCH_METHOD, &tp, &result, &info, nullptr);
    Check("a parameter given twice is an error 450", hr == DISP_E_EXCEPTION && (info.scode & 0xFFFF) == 450);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    LPOLESTR bad[] = {const_cast<LPOLESTR>(L"Distance2D"), const_cast<LPOLESTR>(L"z9")};
    Check("an unknown parameter name", geom.get()->GetIDsOfNames(IID_NULL, bad, 2, 0, ids) == DISP_E_UNKNOWNNAME && ids[1] == DISPID_UNKNOWN);
}

void TypedArrays() {
    Ref ip = Create(L"Tervanix.CInterpolation");
    // Typed Double arrays by reference, lower bound -5: the table is sorted in place.
    SAFEARRAY* x = Doubles(-5, {3, 1, 2});
    SAFEARRAY* y = Doubles(-5, {30, 10, 20});
    double r = 0;
    VARIANT v = Call(ip.get(), L"InterpolationOf1DArray", {R8(2.5), RefArray(&x, VT_R8), RefArray(&y, VT_R8), I4(1), Ref8(&r)});
    Check("a typed array with lower bound -5", v.vt == VT_BOOL && v.boolVal == VARIANT_TRUE && r == 25);
    Check("sorted in the caller's typed array", Element(x, -5) == 1 && Element(x, -3) == 3 && Element(y, -5) == 10);
    SafeArrayDestroy(x);
    SafeArrayDestroy(y);
    // Variant arrays with lower bound 1, in a Variant variable passed by reference.
    VARIANT vx, vy;
    VariantInit(&vx);
    VariantInit(&vy);
    vx.vt = vy.vt = VT_ARRAY | VT_VARIANT;
    vx.parray = Doubles(1, {2, 1}, VT_VARIANT);
    vy.parray = Doubles(1, {4, 2}, VT_VARIANT);
    v = Call(ip.get(), L"InterpolationOf1DArray", {R8(1.5), RefVariant(&vx), RefVariant(&vy), I4(1), Ref8(&r)});
    Check("Variant arrays with lower bound 1 in Variant variables", v.boolVal == VARIANT_TRUE && r == 3 &&
                                                                       Element(vx.parray, 1) == 1 && Element(vy.parray, 2) == 4);
    VariantClear(&vx);
    VariantClear(&vy);

    // A grid's subscripts in the host's order: Z(i, j) belongs to X(i) and Y(j).
    SAFEARRAYBOUND b[2] = {{2, 1}, {3, 1}};
    SAFEARRAY* z = SafeArrayCreate(VT_R8, 2, b);
    LONG ub = 0;
    SafeArrayGetUBound(z, 1, &ub);
    Check("SafeArrayCreate's first bound is the first subscript", ub == 2);
    for (LONG i = 1; i <= 2; ++i)
        for (LONG j = 1; j <= 3; ++j) {
            LONG at[2] = {i, j};  // SafeArrayPutElement: the first subscript first
            double value = 10.0 * i + j;
            SafeArrayPutElement(z, at, &value);
        }
    Ref i2 = Create(L"Tervanix.cInterp2");
    SAFEARRAY* gx = Doubles(1, {0, 1});
    SAFEARRAY* gy = Doubles(1, {0, 1, 2});
    double out = 0;
    v = Call(i2.get(), L"Interp3D", {RefArray(&gx, VT_R8), RefArray(&gy, VT_R8), RefArray(&z, VT_R8), Bool(false), R8(0.5), R8(1), Ref8(&out)});
    Check("Interp3D reads Z(i, j) at X(i), Y(j)", v.boolVal == VARIANT_TRUE && out == 17);
    SafeArrayDestroy(gx);
    SafeArrayDestroy(gy);
    SafeArrayDestroy(z);
}

// Every member of each class's type information answers the same DISPID by name; the
// count of members is the number of methods and properties a host reaches.
void TypeLibrary() {
    struct { const wchar_t* progId; const char* name; int expected; } classes[] = {
        {L"Tervanix.CInterpolation", "CInterpolation", 10}, {L"Tervanix.CSort", "CSort", 2},
        {L"Tervanix.cGenUtil", "cGenUtil", 12},             {L"Tervanix.cGeom", "cGeom", 16},
        {L"Tervanix.cMatrix", "cMatrix", 6},                {L"Tervanix.cMatrix2", "cMatrix2", 4},
        {L"Tervanix.cMatrixOps", "cMatrixOps", 4},          {L"Tervanix.cInterp2", "cInterp2", 5},
    };
    for (const auto& c : classes) {
        Ref object = Create(c.progId);
        ITypeInfo* info = nullptr;
        if (FAILED(object.get()->GetTypeInfo(0, 0, &info)) || info == nullptr) {
            Check("type information", false);
            continue;
        }
        TYPEATTR* attr = nullptr;
        info->GetTypeAttr(&attr);
        int members = 0;
        bool agree = true;
        std::vector<MEMBERID> seen;
        for (UINT k = 0; k < attr->cFuncs; ++k) {
            FUNCDESC* f = nullptr;
            info->GetFuncDesc(k, &f);
            BSTR name = nullptr;
            UINT n = 0;
            info->GetNames(f->memid, &name, 1, &n);
            DISPID id = DISPID_UNKNOWN;
            LPOLESTR names[] = {name};
            object.get()->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
            agree = agree && id == f->memid;
            if (f->memid < 1000 && std::find(seen.begin(), seen.end(), f->memid) == seen.end()) {
                seen.push_back(f->memid);
                ++members;
            }
            SysFreeString(name);
            info->ReleaseFuncDesc(f);
        }
        info->ReleaseTypeAttr(attr);
        info->Release();
        std::printf("members %s %d\n", c.name, members);
        Check((std::string("the type library's DISPIDs of ") + c.name).c_str(), agree);
        Check((std::string("every member of ") + c.name + " in the type library").c_str(), members == c.expected);
    }
}

// A run of calls of every kind, errors included, after which no object of the
// component is alive (DllCanUnloadNow), no block of the task allocator made during
// the run is alive (counted by a malloc spy) and no heap holds more blocks than before.
void NoLeaks() {
    long before = 0, most = 0;
    static AllocationCounter counter;
    bool spying = false;
    for (int round = 0; round < 50; ++round) {
        // After the first round has filled the caches; the heap count one round later,
        // when the spy's own table of the blocks it follows has been made.
        if (round == 1) spying = SUCCEEDED(CoRegisterMallocSpy(&counter));
        if (round == 2) before = BusyBlocks();
        Ref util = Create(L"Tervanix.cGenUtil");
        BSTR bits = nullptr;
        Call(util.get(), L"LongToBin", {I4(round), RefBstr(&bits)});
        SysFreeString(bits);
        try {
            Call(util.get(), L"Log10", {R8(-1)});
        } catch (const tervanix::LibraryError&) {
        }
        Ref ops = Create(L"Tervanix.cMatrixOps");
        Ref a = Create(L"Tervanix.cMatrix2");
        Put(a.get(), L"NumRows", I4(2));
        Put(a.get(), L"NumCols", I4(2));
        Call(a.get(), L"PutData", {I4(1), I4(1), R8(2)});
        Call(a.get(), L"PutData", {I4(2), I4(2), R8(4)});
        IDispatch* inverse = nullptr;
        Call(ops.get(), L"MatrixInvert", {Obj(a.get()), RefDispatch(&inverse)});
        if (inverse) inverse->Release();
        Ref mat = Create(L"Tervanix.cMatrix");
        Call(mat.get(), L"MatrixSize", {I4(1)});
        Call(mat.get(), L"AddToMatrix", {I4(1), I4(1), R8(2)});
        Call(mat.get(), L"AddToVector", {I4(1), R8(4)});
        VARIANT solution;
        VariantInit(&solution);
        Call(mat.get(), L"Calc", {RefVariant(&solution)});
        if (solution.vt == VT_DISPATCH) {
            VARIANT e = Call(solution.pdispVal, DISPID_NEWENUM, {}, DISPATCH_PROPERTYGET);
            IEnumVARIANT* it = nullptr;
            e.punkVal->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&it));
            VARIANT item;
            ULONG got = 0;
            while (it && it->Next(1, &item, &got) == S_OK) VariantClear(&item);
            if (it) it->Release();
            VariantClear(&e);
        }
        VariantClear(&solution);
        VARIANT texts = Call(mat.get(), L"LastMessages", {}, DISPATCH_PROPERTYGET);
        if (round > 1) most = std::max(most, BusyBlocks());  // the array of texts is alive here
        VariantClear(&texts);
        Ref sorter = Create(L"Tervanix.CSort");
        VARIANT words;
        VariantInit(&words);
        SAFEARRAYBOUND b = {2, 0};
        words.vt = VT_ARRAY | VT_BSTR;
        words.parray = SafeArrayCreate(VT_BSTR, 1, &b);
        LONG i0 = 0, i1 = 1;
        BSTR w0 = SysAllocString(L"pear"), w1 = SysAllocString(L"fig");
        SafeArrayPutElement(words.parray, &i0, w0);
        SafeArrayPutElement(words.parray, &i1, w1);
        SysFreeString(w0);
        SysFreeString(w1);
        Call(sorter.get(), L"BubbleSort1DArray", {RefVariant(&words)});
        VariantClear(&words);
        try {
            Call(ops.get(), L"MatrixTrans", {Obj(util.get()), RefDispatch(&inverse)});
        } catch (const tervanix::LibraryError&) {
        }
    }
    const long after = BusyBlocks();
    const bool revoked = spying && SUCCEEDED(CoRevokeMallocSpy());  // refused while a counted block lives
    std::printf("task allocator: %ld blocks allocated in 49 rounds, %ld alive after them\n", counter.Allocated(), counter.Live());
    Check("the malloc spy is registered and revoked", spying && revoked);
    Check("the malloc spy sees the calls' BSTRs and SAFEARRAYs", counter.Allocated() > 49);
    Check("no BSTR or SAFEARRAY of the task allocator alive after 49 rounds", counter.Live() == 0);
    std::printf("heap blocks in use: %ld after two rounds of calls, %ld at most during a round, %ld after 48 more\n",
                before, most, after);
    Check("the count sees the calls' allocations", most > before);
    Check("no BSTR, SAFEARRAY, VARIANT or object left on any heap after 48 rounds", after == before);
    using CanUnload = HRESULT(__stdcall*)();
    HMODULE dll = GetModuleHandleW(L"tervanix_com.dll");
    auto canUnload = dll ? reinterpret_cast<CanUnload>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow"))) : nullptr;
    Check("the component is loaded", canUnload != nullptr);
    if (canUnload) {
        Ref kept = Create(L"Tervanix.cGeom");
        Check("an object alive keeps the component", canUnload() == S_FALSE);
    }
    Check("no object of the component left alive", canUnload && canUnload() == S_OK);
}

}  // namespace

int Checks() {
    NamedArguments();
    TypedArrays();
    TypeLibrary();
    NoLeaks();
    std::printf("checks: %d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}

// ---- clean ----

namespace {

std::wstring Text(const GUID& g) {
    wchar_t t[40];
    StringFromGUID2(g, t, 40);
    return t;
}

}  // namespace

int Clean() {
    std::vector<std::wstring> keys;
#define TERVANIX_COM_KEYS(Name, ProgId, ClsidText, Clsid, Iid)           \
    keys.push_back(std::wstring(L"CLSID\\") + ClsidText);               \
    keys.push_back(ProgId);                                              \
    keys.push_back(std::wstring(ProgId) + L".1");                        \
    keys.push_back(L"Interface\\" + Text(GUID{TERVANIX_COM_UNPAREN Iid}));
#define TERVANIX_COM_UNPAREN(...) __VA_ARGS__
    TERVANIX_COM_CLASSES(TERVANIX_COM_KEYS)
#undef TERVANIX_COM_KEYS
    keys.push_back(L"Interface\\" + Text(GUID{TERVANIX_COM_COLLECTION_IID}));
    keys.push_back(std::wstring(L"TypeLib\\") + TERVANIX_COM_LIBID_TEXT);
    int checked = 0, left = 0;
    for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
            for (const std::wstring& key : keys) {
                HKEY k = nullptr;
                ++checked;
                if (RegOpenKeyExW(hive, (L"Software\\Classes\\" + key).c_str(), 0, KEY_READ | view, &k) == ERROR_SUCCESS) {
                    RegCloseKey(k);
                    ++left;
                    std::printf("FAILED: left: %s\\Software\\Classes\\%ls (%s view)\n",
                                hive == HKEY_CURRENT_USER ? "HKCU" : "HKLM", key.c_str(), view == KEY_WOW64_64KEY ? "64-bit" : "32-bit");
                }
            }
        }
    }
    std::printf("clean: %d passed, %d failed\n", checked - left, left);
    return left == 0 ? 0 : 1;
}

}  // namespace comclient

// ---- user ----

namespace comclient {

namespace {

std::wstring ReadValue(const std::wstring& key, const wchar_t* name) {
    wchar_t buffer[1024];
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, (L"Software\\Classes\\" + key).c_str(), name, RRF_RT_REG_SZ, nullptr, buffer,
                     &size) != ERROR_SUCCESS) {
        return L"";
    }
    return buffer;
}

}  // namespace

// `tervanix_com_client user`: the per-user registration (HKCU\Software\Classes) as the
// platform reads it: each ProgID leads to its CLSID, whose InprocServer32 names this
// DLL with its threading model; the DLL's class factory then makes an object that
// answers a call. (Wine 8's COM looks classes up in HKLM only, so CoCreateInstance
// cannot show this there; on Windows it reads these same keys.)
int User() {
    int passed = 0, failed = 0;
    auto check = [&](const std::string& name, bool ok) {
        if (ok) ++passed;
        else {
            ++failed;
            std::printf("FAILED: %s\n", name.c_str());
        }
    };
#define TERVANIX_COM_USER(Name, ProgId, ClsidText, Clsid, Iid)                                                    \
    {                                                                                                             \
        const std::wstring clsid = ReadValue(std::wstring(ProgId) + L"\\CLSID", nullptr);                        \
        check(#Name ": ProgID -> CLSID", clsid == ClsidText);                                                     \
        check(#Name ": versioned ProgID", ReadValue(std::wstring(ProgId) + L".1\\CLSID", nullptr) == ClsidText); \
        const std::wstring server = L"CLSID\\" + clsid + L"\\InprocServer32";                                     \
        const std::wstring path = ReadValue(server, nullptr);                                                     \
        check(#Name ": ThreadingModel", ReadValue(server, L"ThreadingModel") == L"Apartment");                   \
        HMODULE dll = path.empty() ? nullptr : LoadLibraryW(path.c_str());                                        \
        check(#Name ": InprocServer32 names the DLL", dll != nullptr);                                            \
        using GetClassObject = HRESULT(__stdcall*)(REFCLSID, REFIID, void**);                                     \
        auto get = dll ? reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject"))) : nullptr; \
        IClassFactory* factory = nullptr;                                                                         \
        CLSID id;                                                                                                 \
        CLSIDFromString(clsid.c_str(), &id);                                                                      \
        IDispatch* object = nullptr;                                                                              \
        if (get && SUCCEEDED(get(id, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) {                   \
            factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&object));                   \
            factory->Release();                                                                                   \
        }                                                                                                         \
        bool answers = false;                                                                                     \
        if (object) {                                                                                             \
            VARIANT code = Call(object, L"LastFalseCode", {}, DISPATCH_PROPERTYGET);                              \
            answers = code.vt == VT_I4;                                                                           \
            object->Release();                                                                                    \
        }                                                                                                         \
        check(#Name ": an object from the registered DLL answers", answers);                                      \
    }
    TERVANIX_COM_CLASSES(TERVANIX_COM_USER)
#undef TERVANIX_COM_USER
    const std::wstring lib = std::wstring(L"TypeLib\\") + TERVANIX_COM_LIBID_TEXT + L"\\1.0\\0\\" +
                             (sizeof(void*) == 8 ? L"win64" : L"win32");
    ITypeLib* typeLib = nullptr;
    const std::wstring tlb = ReadValue(lib, nullptr);
    check("the type library's registration", !tlb.empty() && SUCCEEDED(LoadTypeLibEx(tlb.c_str(), REGKIND_NONE, &typeLib)));
    if (typeLib) typeLib->Release();
    std::printf("user: %d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}

}  // namespace comclient
