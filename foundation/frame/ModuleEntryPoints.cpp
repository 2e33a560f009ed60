// The four entry points of libqdk_orv.so, the only symbols it exports.
#include "ClassTable.h"
#include "ModuleState.h"

#include <qdk_orv/qdk_orv.h>

#include <climits>
#include <cstdlib>

#include <dlfcn.h>

#define QDK_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// The absolute path of this module, as the loader found it.
bool ownPath(char (&path)[PATH_MAX])
{
    Dl_info info;
    if (!dladdr(reinterpret_cast<void*>(&DllRegisterServer), &info) || !info.dli_fname) return false;
    return realpath(info.dli_fname, path) != nullptr;
}

}  // namespace

QDK_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    for (const auto& entry : qdk::frame::classTable())
        if (entry.clsid == clsid) return entry.factory.QueryInterface(iid, object);
    return CLASS_E_CLASSNOTAVAILABLE;
}

QDK_EXPORT HRESULT DllCanUnloadNow()
{
    return qdk::frame::ModuleState::canUnload() ? S_OK : S_FALSE;
}

QDK_EXPORT HRESULT DllRegisterServer()
{
    char path[PATH_MAX];
    if (!ownPath(path)) return SELFREG_E_CLASS;
    for (const auto& entry : qdk::frame::classTable()) {
        const QdkClassRecord record{entry.name, path, "Apartment", entry.interfaceId, LIBID_QDK_ORV, "2.0"};
        if (FAILED(QdkRegisterClass(entry.clsid, &record))) return SELFREG_E_CLASS;
    }
    return S_OK;
}

QDK_EXPORT HRESULT DllUnregisterServer()
{
    HRESULT result = S_OK;
    for (const auto& entry : qdk::frame::classTable())
        if (FAILED(QdkUnregisterClass(entry.clsid))) result = SELFREG_E_CLASS;
    return result;
}
