// Creation by class identifier: the module that serves a class is loaded once and kept until
// CoFreeUnusedLibraries finds it idle.
#include <qdk_orv/automation.h>
#include <qdk_orv/unknown.h>

#include <climits>
#include <map>
#include <mutex>
#include <string>

#include <dlfcn.h>

namespace {

std::mutex modulesLock;
std::map<std::string, void*>& loadedModules()
{
    static std::map<std::string, void*> modules;
    return modules;
}

void* moduleHandle(const std::string& path)
{
    std::lock_guard lock(modulesLock);
    auto& modules = loadedModules();
    if (auto it = modules.find(path); it != modules.end()) return it->second;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle) modules.emplace(path, handle);
    return handle;
}

}  // namespace

HRESULT QdkGetClassObjectFromModule(const char* modulePath, REFCLSID clsid, REFIID iid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!modulePath || !*modulePath) return E_INVALIDARG;
    void* handle = moduleHandle(modulePath);
    if (!handle) return CO_E_DLLNOTFOUND;
    auto getClassObject = reinterpret_cast<DllGetClassObjectFunction>(dlsym(handle, "DllGetClassObject"));
    if (!getClassObject) return CO_E_ERRORINDLL;
    return getClassObject(clsid, iid, object);
}

HRESULT QdkCreateInstanceFromModule(const char* modulePath, REFCLSID clsid, REFIID iid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    IClassFactory* factory = nullptr;
    HRESULT hr = QdkGetClassObjectFromModule(modulePath, clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr)) return hr;
    hr = factory->CreateInstance(nullptr, iid, object);
    factory->Release();
    return hr;
}

HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void*, REFIID iid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!(context & CLSCTX_INPROC_SERVER)) return REGDB_E_CLASSNOTREG;
    char module[PATH_MAX];
    const HRESULT hr = QdkGetClassModule(clsid, module, sizeof module);
    if (FAILED(hr)) return hr;
    return QdkGetClassObjectFromModule(module, clsid, iid, object);
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    IClassFactory* factory = nullptr;
    HRESULT hr = CoGetClassObject(clsid, context, nullptr, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr)) return hr;
    hr = factory->CreateInstance(outer, iid, object);
    factory->Release();
    return hr;
}

void CoFreeUnusedLibraries(void)
{
    std::lock_guard lock(modulesLock);
    auto& modules = loadedModules();
    for (auto it = modules.begin(); it != modules.end();) {
        auto canUnload = reinterpret_cast<DllCanUnloadNowFunction>(dlsym(it->second, "DllCanUnloadNow"));
        if (canUnload && canUnload() == S_OK) {
            dlclose(it->second);
            it = modules.erase(it);
        } else {
            ++it;
        }
    }
}
