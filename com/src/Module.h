// The component's process-wide state: its module handle, the count of live objects
// and server locks that DllCanUnloadNow reads, and the class table.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "ComClasses.h"

namespace tvcom {

HMODULE ModuleHandle();

// Every object of the component counts itself alive; so does every IClassFactory
// lock. DllCanUnloadNow answers S_OK only when both are zero.
void ObjectCreated();
void ObjectDestroyed();
void LockServer(bool lock);
long LiveObjects();
bool CanUnload();

// One entry per creatable class, in the order of classes.tsv.
struct ClassInfo;
enum class ClassId {
#define TERVANIX_COM_ENUM(Name, ProgId, ClsidText, Clsid, Iid) Name,
    TERVANIX_COM_CLASSES(TERVANIX_COM_ENUM)
#undef TERVANIX_COM_ENUM
    Count
};
struct ClassIdentity {
    const wchar_t* name;
    const wchar_t* progId;
    const wchar_t* clsidText;
    CLSID clsid;
    IID iid;
};
const ClassIdentity& Identity(ClassId id);
constexpr int kClassCount = static_cast<int>(ClassId::Count);

// The type library embedded in the module (resource 1), or nullptr when it cannot be
// loaded; the reference is the caller's.
ITypeLib* EmbeddedTypeLib();

}  // namespace tvcom
