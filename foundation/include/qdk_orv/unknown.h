// The base interfaces of every component: IUnknown, IDispatch and the class factory.
//
// Interfaces are abstract classes whose virtual functions are, in order, the slots of the binary
// interface. They have no virtual destructor, which would add slots: an object is destroyed by
// its last Release.
#ifndef QDK_ORV_UNKNOWN_H
#define QDK_ORV_UNKNOWN_H

#include "automation.h"

struct ITypeInfo;

// 00000000-0000-0000-C000-000000000046
constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
struct IUnknown {
    // [in] iid, [out] object; on a miss *object is null and the result E_NOINTERFACE.
    virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

// 00020400-0000-0000-C000-000000000046
constexpr IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
struct IDispatch : IUnknown {
    virtual HRESULT GetTypeInfoCount(UINT* count) = 0;
    virtual HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) = 0;
    // [in] names[0] is a method name, names[1..] its parameter names; letter case is ignored.
    // [out] ids, one per name; DISP_E_UNKNOWNNAME when any name is unknown.
    virtual HRESULT GetIDsOfNames(REFIID iid, OLECHAR** names, UINT count, LCID locale,
                                  DISPID* ids) = 0;
    // Arguments in params->rgvarg stand last first, as Automation passes them.
    virtual HRESULT Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                           VARIANT* result, EXCEPINFO* exception, UINT* argumentError) = 0;

protected:
    ~IDispatch() = default;
};

// 00000001-0000-0000-C000-000000000046
constexpr IID IID_IClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
struct IClassFactory : IUnknown {
    // Aggregation is not supported: a non-null outer gives CLASS_E_NOAGGREGATION.
    virtual HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) = 0;
    // A lock keeps the module loaded (DllCanUnloadNow answers S_FALSE while one is held).
    virtual HRESULT LockServer(int lock) = 0;

protected:
    ~IClassFactory() = default;
};

// The four entry points of an in-process server module.
using DllGetClassObjectFunction = HRESULT (*)(REFCLSID clsid, REFIID iid, void** object);
using DllCanUnloadNowFunction = HRESULT (*)();
using DllRegisterServerFunction = HRESULT (*)();
using DllUnregisterServerFunction = HRESULT (*)();

#endif
