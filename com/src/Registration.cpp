// DllRegisterServer, DllUnregisterServer and DllInstall: the registry entries of the
// eight classes, their ProgIDs, the type library and its interfaces, per machine
// (HKLM\Software\Classes, administrator rights) or per user (HKCU\Software\Classes,
// through `regsvr32 /n /i:user`).
//
// A 32-bit and a 64-bit build can both be registered: the CLSID keys are the
// platform's per-bitness view of the registry, while the ProgIDs, the type library key
// and (on some versions) the interface keys are shared. Unregistering removes this
// bitness's entries and the shared ones only when the other bitness has no
// registration left, so the other build keeps working; it never touches a key it did
// not write (a ProgID pointing to another CLSID stays).
#include <windows.h>
#include <olectl.h>

#include <string>

#include "Module.h"

namespace {

using tvcom::ClassId;
using tvcom::Identity;

const wchar_t kThreadingModel[] = L"Apartment";
const wchar_t kPSDispatch[] = L"{00020420-0000-0000-C000-000000000046}";
const wchar_t kTypeLibVersion[] = L"1.0";
const wchar_t kInterfaceNames[][16] = {
#define TERVANIX_COM_INAME(Name, ProgId, ClsidText, Clsid, Iid) L"I" L## #Name,
    TERVANIX_COM_CLASSES(TERVANIX_COM_INAME)
#undef TERVANIX_COM_INAME
};

#ifdef _WIN64
const wchar_t kPlatform[] = L"win64";
const wchar_t kOtherPlatform[] = L"win32";
const REGSAM kOtherView = KEY_WOW64_32KEY;
#else
const wchar_t kPlatform[] = L"win32";
const wchar_t kOtherPlatform[] = L"win64";
const REGSAM kOtherView = KEY_WOW64_64KEY;
#endif

std::wstring GuidText(const GUID& g) {
    wchar_t text[40];
    StringFromGUID2(g, text, 40);
    return text;
}

std::wstring ModulePath() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(tvcom::ModuleHandle(), path, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::wstring(path, n) : std::wstring();
}

class Registry {
public:
    explicit Registry(HKEY hive) : hive_(hive) {}

    // Creates ...\Classes\<key> and sets a value ("" for the default one).
    LONG Set(const std::wstring& key, const wchar_t* name, const std::wstring& value) const {
        HKEY k = nullptr;
        LONG rc = RegCreateKeyExW(hive_, (kClasses + key).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr);
        if (rc != ERROR_SUCCESS) return rc;
        rc = RegSetValueExW(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(k);
        return rc;
    }
    std::wstring Get(const std::wstring& key, const wchar_t* name, REGSAM view = 0) const {
        wchar_t buffer[512];
        DWORD size = sizeof buffer;
        HKEY k = nullptr;
        if (RegOpenKeyExW(hive_, (kClasses + key).c_str(), 0, KEY_READ | view, &k) != ERROR_SUCCESS) return L"";
        const LONG rc = RegQueryValueExW(k, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
        RegCloseKey(k);
        if (rc != ERROR_SUCCESS || size < sizeof(wchar_t)) return L"";
        return std::wstring(buffer, size / sizeof(wchar_t) - 1);
    }
    bool Exists(const std::wstring& key, REGSAM view = 0) const {
        HKEY k = nullptr;
        if (RegOpenKeyExW(hive_, (kClasses + key).c_str(), 0, KEY_READ | view, &k) != ERROR_SUCCESS) return false;
        RegCloseKey(k);
        return true;
    }
    bool HasSubkeys(const std::wstring& key) const {
        HKEY k = nullptr;
        if (RegOpenKeyExW(hive_, (kClasses + key).c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
        DWORD subkeys = 0;
        RegQueryInfoKeyW(k, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
        RegCloseKey(k);
        return subkeys > 0;
    }
    void DeleteTree(const std::wstring& key) const {
        const std::wstring full = kClasses + key;
        RegDeleteTreeW(hive_, full.c_str());
        RegDeleteKeyW(hive_, full.c_str());
    }
    void DeleteIfEmpty(const std::wstring& key) const {
        if (!HasSubkeys(key)) DeleteTree(key);
    }

private:
    static inline const std::wstring kClasses = L"Software\\Classes\\";
    HKEY hive_;
};

// True when the other bitness's view has this class registered to this library.
bool OtherBitnessRegistered(const Registry& r, const std::wstring& clsid) {
    return r.Exists(L"CLSID\\" + clsid + L"\\InprocServer32", kOtherView);
}

HRESULT Register(HKEY hive) {
    const Registry r(hive);
    const std::wstring path = ModulePath();
    if (path.empty()) return SELFREG_E_CLASS;
    const std::wstring libid = TERVANIX_COM_LIBID_TEXT;
    ITypeLib* lib = tvcom::EmbeddedTypeLib();
    const bool typeLib = lib != nullptr;
    if (lib) lib->Release();
    LONG rc = ERROR_SUCCESS;
    auto set = [&](const std::wstring& key, const wchar_t* name, const std::wstring& value) {
        if (rc == ERROR_SUCCESS) rc = r.Set(key, name, value);
    };
    for (int k = 0; k < tvcom::kClassCount; ++k) {
        const tvcom::ClassIdentity& c = Identity(static_cast<ClassId>(k));
        const std::wstring clsid = c.clsidText, progId = c.progId, versioned = progId + L".1";
        const std::wstring description = std::wstring(L"Tervanix ") + c.name;
        const std::wstring key = L"CLSID\\" + clsid;
        set(key, L"", description);
        set(key + L"\\InprocServer32", L"", path);
        set(key + L"\\InprocServer32", L"ThreadingModel", kThreadingModel);
        set(key + L"\\ProgID", L"", versioned);
        set(key + L"\\VersionIndependentProgID", L"", progId);
        if (typeLib) set(key + L"\\TypeLib", L"", libid);
        set(key + L"\\Version", L"", kTypeLibVersion);
        set(progId, L"", description);
        set(progId + L"\\CLSID", L"", clsid);
        set(progId + L"\\CurVer", L"", versioned);
        set(versioned, L"", description);
        set(versioned + L"\\CLSID", L"", clsid);
        if (typeLib) {
            const std::wstring iface = L"Interface\\" + GuidText(c.iid);
            set(iface, L"", kInterfaceNames[k]);
            set(iface + L"\\ProxyStubClsid32", L"", kPSDispatch);
            set(iface + L"\\TypeLib", L"", libid);
            set(iface + L"\\TypeLib", L"Version", kTypeLibVersion);
        }
    }
    if (typeLib) {
        const std::wstring collection = L"Interface\\" + GuidText(GUID{TERVANIX_COM_COLLECTION_IID});
        set(collection, L"", L"ICollection");
        set(collection + L"\\ProxyStubClsid32", L"", kPSDispatch);
        set(collection + L"\\TypeLib", L"", libid);
        set(collection + L"\\TypeLib", L"Version", kTypeLibVersion);
        const std::wstring version = L"TypeLib\\" + libid + L"\\" + kTypeLibVersion;
        set(version, L"", TERVANIX_COM_TYPELIB_NAME L" numerical library");
        set(version + L"\\0\\" + kPlatform, L"", path);
        set(version + L"\\FLAGS", L"", L"0");
        set(version + L"\\HELPDIR", L"", path.substr(0, path.find_last_of(L'\\')));
    }
    if (rc == ERROR_ACCESS_DENIED) return E_ACCESSDENIED;
    return rc == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

HRESULT Unregister(HKEY hive) {
    const Registry r(hive);
    const std::wstring libid = TERVANIX_COM_LIBID_TEXT;
    for (int k = 0; k < tvcom::kClassCount; ++k) {
        const tvcom::ClassIdentity& c = Identity(static_cast<ClassId>(k));
        const std::wstring clsid = c.clsidText, progId = c.progId, versioned = progId + L".1";
        // This bitness's key first: where the platform keeps one key for both
        // bitnesses, the check below must not find the registration being removed.
        r.DeleteTree(L"CLSID\\" + clsid);
        // Interface keys, like CLSID keys, are kept per bitness (the 32-bit programs of
        // a 64-bit system see their own): this bitness's go with it.
        const std::wstring iface = L"Interface\\" + GuidText(c.iid);
        if (r.Get(iface + L"\\TypeLib", L"") == libid) r.DeleteTree(iface);
        // ProgIDs are one key for both bitnesses: they stay while the other is registered.
        if (!OtherBitnessRegistered(r, clsid)) {
            if (r.Get(progId + L"\\CLSID", L"") == clsid) r.DeleteTree(progId);
            if (r.Get(versioned + L"\\CLSID", L"") == clsid) r.DeleteTree(versioned);
        }
    }
    const std::wstring collection = L"Interface\\" + GuidText(GUID{TERVANIX_COM_COLLECTION_IID});
    if (r.Get(collection + L"\\TypeLib", L"") == libid) r.DeleteTree(collection);
    // The type library: this bitness's path, then what is left empty.
    const std::wstring version = L"TypeLib\\" + libid + L"\\" + kTypeLibVersion;
    r.DeleteTree(version + L"\\0\\" + kPlatform);
    if (!r.Exists(version + L"\\0\\" + kOtherPlatform)) {
        r.DeleteIfEmpty(version + L"\\0");
        if (!r.Exists(version + L"\\0")) r.DeleteTree(version);
        r.DeleteIfEmpty(L"TypeLib\\" + libid);
    }
    return S_OK;
}

bool IsUser(LPCWSTR command) {
    return command != nullptr && CompareStringOrdinal(command, -1, L"user", -1, TRUE) == CSTR_EQUAL;
}

// The registry's texts are std::wstrings: no exception of theirs reaches regsvr32.
template <typename F>
HRESULT Guarded(F f) {
    try {
        return f();
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace

extern "C" HRESULT __stdcall DllRegisterServer() { return Guarded([] { return Register(HKEY_LOCAL_MACHINE); }); }
extern "C" HRESULT __stdcall DllUnregisterServer() { return Guarded([] { return Unregister(HKEY_LOCAL_MACHINE); }); }

// regsvr32 /n /i:user (per user) or /n /i:machine; with /u, the same unregistration.
extern "C" HRESULT __stdcall DllInstall(BOOL install, LPCWSTR command) {
    const HKEY hive = IsUser(command) ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    if (command != nullptr && !IsUser(command) && CompareStringOrdinal(command, -1, L"machine", -1, TRUE) != CSTR_EQUAL) {
        return E_INVALIDARG;
    }
    return Guarded([&] { return install ? Register(hive) : Unregister(hive); });
}
