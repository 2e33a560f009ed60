#include "ClassFactory.h"

#include "ModuleState.h"

namespace qdk::frame {

HRESULT ClassFactory::QueryInterface(REFIID iid, void** object)
{
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
        *object = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    IUnknown* made = make_();
    if (!made) return E_OUTOFMEMORY;
    const HRESULT hr = made->QueryInterface(iid, object);
    made->Release();  // the caller's reference, if any, is the one QueryInterface added
    return hr;
}

HRESULT ClassFactory::LockServer(int lock)
{
    if (lock)
        ModuleState::lock();
    else
        ModuleState::unlock();
    return S_OK;
}

}  // namespace qdk::frame
