#pragma once

#include "DispatchTable.h"
#include "ModuleState.h"

#include <qdk_orv/unknown.h>

#include <atomic>
#include <type_traits>

namespace qdk::frame {

// IUnknown and IDispatch written once for a class whose one dual interface is `Interface`.
// The derived class implements the interface's own methods and gives the interface identifier
// and its dispatch table.
template <class Interface>
class DispatchObject : public Interface {
    static_assert(std::is_base_of_v<IDispatch, Interface>, "a dual interface derives from IDispatch");

public:
    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == interfaceId_) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++references_; }
    ULONG Release() override
    {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT GetTypeInfoCount(UINT* count) override
    {
        if (!count) return E_POINTER;
        *count = 0;  // the names are reached through GetIDsOfNames; no type information is served
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** info) override
    {
        if (!info) return E_POINTER;
        *info = nullptr;
        return DISP_E_BADINDEX;
    }
    HRESULT GetIDsOfNames(REFIID iid, OLECHAR** names, UINT count, LCID, DISPID* ids) override
    {
        if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        try {
            return table_.idsOfNames(names, count, ids);
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }
    HRESULT Invoke(DISPID member, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* exception, UINT* argumentError) override
    {
        if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        AddRef();  // the object must outlive a method that releases the caller's last reference
        HRESULT hr;
        try {
            hr = table_.invoke(this, member, flags, params, result, exception, argumentError);
        } catch (...) {
            hr = E_OUTOFMEMORY;  // the only thing that throws here is allocation
        }
        Release();
        return hr;
    }

protected:
    DispatchObject(REFIID interfaceId, const DispatchTable& table) : interfaceId_(interfaceId), table_(table)
    {
        ModuleState::objectCreated();
    }
    virtual ~DispatchObject() { ModuleState::objectDestroyed(); }

private:
    const IID interfaceId_;
    const DispatchTable& table_;
    std::atomic<ULONG> references_{1};
};

}  // namespace qdk::frame
