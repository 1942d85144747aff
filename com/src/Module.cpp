// DllMain, DllGetClassObject and DllCanUnloadNow: the entry points through which the
// platform loads the component, asks it for a class's factory and unloads it.
#include "Module.h"

#include "ClassFactory.h"
#include "MessageSink.h"

namespace tvcom {

namespace {
HMODULE g_module = nullptr;
LONG g_objects = 0;
LONG g_locks = 0;

const ClassIdentity kIdentities[] = {
#define TERVANIX_COM_IDENTITY(Name, ProgId, ClsidText, Clsid, Iid) {L## #Name, ProgId, ClsidText, {TERVANIX_COM_UNPAREN Clsid}, {TERVANIX_COM_UNPAREN Iid}},
#define TERVANIX_COM_UNPAREN(...) __VA_ARGS__
    TERVANIX_COM_CLASSES(TERVANIX_COM_IDENTITY)
#undef TERVANIX_COM_IDENTITY
};
}  // namespace

HMODULE ModuleHandle() { return g_module; }
void ObjectCreated() { InterlockedIncrement(&g_objects); }
void ObjectDestroyed() { InterlockedDecrement(&g_objects); }
void LockServer(bool lock) {
    if (lock) InterlockedIncrement(&g_locks);
    else InterlockedDecrement(&g_locks);
}
long LiveObjects() { return InterlockedCompareExchange(&g_objects, 0, 0); }
bool CanUnload() { return LiveObjects() == 0 && InterlockedCompareExchange(&g_locks, 0, 0) == 0; }
const ClassIdentity& Identity(ClassId id) { return kIdentities[static_cast<int>(id)]; }

ITypeLib* EmbeddedTypeLib() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(g_module, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return nullptr;
    ITypeLib* lib = nullptr;
    if (FAILED(LoadTypeLibEx(path, REGKIND_NONE, &lib))) return nullptr;
    return lib;
}

}  // namespace tvcom

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        tvcom::g_module = instance;
        DisableThreadLibraryCalls(instance);
        tvcom::InstallMessageSink();
    }
    return TRUE;
}

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    for (int k = 0; k < tvcom::kClassCount; ++k) {
        const auto id = static_cast<tvcom::ClassId>(k);
        if (IsEqualCLSID(clsid, tvcom::Identity(id).clsid)) return tvcom::GetFactory(id, iid, out);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT __stdcall DllCanUnloadNow() { return tvcom::CanUnload() ? S_OK : S_FALSE; }
