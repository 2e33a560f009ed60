// Automation types and the small runtime that the library and its clients share.
//
// The types are laid out as on 64-bit Windows, so that a client compiled without these headers can
// still call the library. Texts are UTF-16; a BSTR points at its first character, with the 32-bit
// byte length just before it and a NUL after it. The block starts at the length prefix and comes
// from malloc, so any module may free it with SysFreeString.
#ifndef QDK_ORV_AUTOMATION_H
#define QDK_ORV_AUTOMATION_H

#include <cstddef>
#include <cstdint>

#if defined(QDK_AUTOMATION_BUILD)
#define QDK_AUTOMATION_API extern "C" __attribute__((visibility("default")))
#else
#define QDK_AUTOMATION_API extern "C"
#endif

using HRESULT = std::int32_t;
using SCODE = std::int32_t;
using OLECHAR = char16_t;
using BSTR = OLECHAR*;
using VARTYPE = std::uint16_t;
using VARIANT_BOOL = std::int16_t;
using DISPID = std::int32_t;
using LCID = std::uint32_t;
using ULONG = std::uint32_t;
using LONG = std::int32_t;
using UINT = std::uint32_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;

constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }

// Result codes, with the values clients expect.
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);
constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u);
constexpr HRESULT CO_E_DLLNOTFOUND = static_cast<HRESULT>(0x800401F8u);
constexpr HRESULT CO_E_ERRORINDLL = static_cast<HRESULT>(0x800401F9u);
constexpr HRESULT SELFREG_E_CLASS = static_cast<HRESULT>(0x80040201u);
constexpr HRESULT DISP_E_UNKNOWNINTERFACE = static_cast<HRESULT>(0x80020001u);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = static_cast<HRESULT>(0x80020003u);
constexpr HRESULT DISP_E_PARAMNOTFOUND = static_cast<HRESULT>(0x80020004u);
constexpr HRESULT DISP_E_TYPEMISMATCH = static_cast<HRESULT>(0x80020005u);
constexpr HRESULT DISP_E_UNKNOWNNAME = static_cast<HRESULT>(0x80020006u);
constexpr HRESULT DISP_E_NONAMEDARGS = static_cast<HRESULT>(0x80020007u);
constexpr HRESULT DISP_E_BADVARTYPE = static_cast<HRESULT>(0x80020008u);
constexpr HRESULT DISP_E_EXCEPTION = static_cast<HRESULT>(0x80020009u);
constexpr HRESULT DISP_E_OVERFLOW = static_cast<HRESULT>(0x8002000Au);
constexpr HRESULT DISP_E_BADINDEX = static_cast<HRESULT>(0x8002000Bu);
constexpr HRESULT DISP_E_BADPARAMCOUNT = static_cast<HRESULT>(0x8002000Eu);
constexpr HRESULT DISP_E_ARRAYISLOCKED = static_cast<HRESULT>(0x8002000Du);

constexpr DISPID DISPID_UNKNOWN = -1;

// Dispatch flags of IDispatch::Invoke.
constexpr WORD DISPATCH_METHOD = 0x1;
constexpr WORD DISPATCH_PROPERTYGET = 0x2;
constexpr WORD DISPATCH_PROPERTYPUT = 0x4;
constexpr WORD DISPATCH_PROPERTYPUTREF = 0x8;

// Class contexts of CoCreateInstance; only in-process servers exist here.
constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;

struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};
using IID = GUID;
using CLSID = GUID;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

inline bool operator==(const GUID& a, const GUID& b)
{
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i]) return false;
    return true;
}
inline bool operator!=(const GUID& a, const GUID& b) { return !(a == b); }

constexpr GUID GUID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
constexpr IID IID_NULL = GUID_NULL;

// Variant types.
enum VARENUM : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_DECIMAL = 14,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_UI8 = 21,
    VT_INT = 22,
    VT_UINT = 23,
    VT_ARRAY = 0x2000,
    VT_BYREF = 0x4000,
    VT_TYPEMASK = 0x0FFF,
};

struct IUnknown;
struct IDispatch;
struct SAFEARRAY;
struct VARIANT;

struct VARIANT {
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union {
        std::int64_t llVal;
        std::int32_t lVal;
        std::uint8_t bVal;
        std::int16_t iVal;
        float fltVal;
        double dblVal;
        VARIANT_BOOL boolVal;
        SCODE scode;
        double date;
        BSTR bstrVal;
        IUnknown* punkVal;
        IDispatch* pdispVal;
        SAFEARRAY* parray;
        std::int8_t cVal;
        std::uint16_t uiVal;
        std::uint32_t ulVal;
        std::uint64_t ullVal;
        std::int32_t intVal;
        std::uint32_t uintVal;
        std::int16_t* piVal;
        std::int32_t* plVal;
        std::int64_t* pllVal;
        double* pdblVal;
        VARIANT_BOOL* pboolVal;
        SCODE* pscode;
        BSTR* pbstrVal;
        IUnknown** ppunkVal;
        IDispatch** ppdispVal;
        SAFEARRAY** pparray;
        VARIANT* pvarVal;
        void* byref;
        // Keeps the union as large as the record form of the Windows layout (two pointers).
        struct {
            void* pvRecord;
            void* pRecInfo;
        } record;
    };
};
using VARIANTARG = VARIANT;

struct SAFEARRAYBOUND {
    ULONG cElements;
    LONG lLbound;
};

// Feature flags of a SAFEARRAY.
constexpr std::uint16_t FADF_HAVEVARTYPE = 0x0080;
constexpr std::uint16_t FADF_BSTR = 0x0100;
constexpr std::uint16_t FADF_UNKNOWN = 0x0200;
constexpr std::uint16_t FADF_DISPATCH = 0x0400;
constexpr std::uint16_t FADF_VARIANT = 0x0800;

struct SAFEARRAY {
    std::uint16_t cDims;
    std::uint16_t fFeatures;
    ULONG cbElements;
    ULONG cLocks;
    void* pvData;
    SAFEARRAYBOUND rgsabound[1];
};

struct DISPPARAMS {
    VARIANTARG* rgvarg;
    DISPID* rgdispidNamedArgs;
    UINT cArgs;
    UINT cNamedArgs;
};

struct EXCEPINFO {
    WORD wCode;
    WORD wReserved;
    BSTR bstrSource;
    BSTR bstrDescription;
    BSTR bstrHelpFile;
    DWORD dwHelpContext;
    void* pvReserved;
    HRESULT (*pfnDeferredFillIn)(EXCEPINFO*);
    SCODE scode;
};

// The layout every binary client relies on.
static_assert(sizeof(GUID) == 16);
static_assert(sizeof(VARIANT) == 24 && offsetof(VARIANT, llVal) == 8);
static_assert(sizeof(SAFEARRAYBOUND) == 8);
static_assert(sizeof(SAFEARRAY) == 32 && offsetof(SAFEARRAY, pvData) == 16 &&
              offsetof(SAFEARRAY, rgsabound) == 24);
static_assert(sizeof(DISPPARAMS) == 24 && offsetof(DISPPARAMS, cArgs) == 16);
static_assert(sizeof(EXCEPINFO) == 64 && offsetof(EXCEPINFO, bstrSource) == 8 &&
              offsetof(EXCEPINFO, dwHelpContext) == 32 && offsetof(EXCEPINFO, scode) == 56);
static_assert(sizeof(VARIANT_BOOL) == 2 && sizeof(HRESULT) == 4 && sizeof(OLECHAR) == 2);

// ---- Texts ------------------------------------------------------------------------------------
QDK_AUTOMATION_API BSTR SysAllocString(const OLECHAR* text);
QDK_AUTOMATION_API BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
QDK_AUTOMATION_API BSTR SysAllocStringByteLen(const char* bytes, UINT length);
QDK_AUTOMATION_API int SysReAllocString(BSTR* target, const OLECHAR* text);
QDK_AUTOMATION_API void SysFreeString(BSTR text);
QDK_AUTOMATION_API UINT SysStringLen(BSTR text);
QDK_AUTOMATION_API UINT SysStringByteLen(BSTR text);

// ---- Variants ---------------------------------------------------------------------------------
QDK_AUTOMATION_API void VariantInit(VARIANT* value);
QDK_AUTOMATION_API HRESULT VariantClear(VARIANT* value);
QDK_AUTOMATION_API HRESULT VariantCopy(VARIANT* target, const VARIANT* source);
// Converts between empty, the integer and floating types, Boolean and text. Anything else, or a
// text that does not read as the target type, gives DISP_E_TYPEMISMATCH; a value out of the
// target's range gives DISP_E_OVERFLOW. A by-reference source is read through its reference.
QDK_AUTOMATION_API HRESULT VariantChangeType(VARIANT* target, const VARIANT* source,
                                             std::uint16_t flags, VARTYPE type);

// ---- Arrays (one dimension, the only kind the library passes) -------------------------------
QDK_AUTOMATION_API SAFEARRAY* SafeArrayCreateVector(VARTYPE type, LONG lowerBound, ULONG count);
QDK_AUTOMATION_API HRESULT SafeArrayDestroy(SAFEARRAY* array);
QDK_AUTOMATION_API UINT SafeArrayGetDim(SAFEARRAY* array);
QDK_AUTOMATION_API HRESULT SafeArrayGetVartype(SAFEARRAY* array, VARTYPE* type);
QDK_AUTOMATION_API HRESULT SafeArrayGetLBound(SAFEARRAY* array, UINT dimension, LONG* bound);
QDK_AUTOMATION_API HRESULT SafeArrayGetUBound(SAFEARRAY* array, UINT dimension, LONG* bound);
QDK_AUTOMATION_API HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data);
QDK_AUTOMATION_API HRESULT SafeArrayUnaccessData(SAFEARRAY* array);
// Element access copies: Put stores a copy of the text or variant, Get hands out a new copy.
QDK_AUTOMATION_API HRESULT SafeArrayPutElement(SAFEARRAY* array, LONG* indices, void* value);
QDK_AUTOMATION_API HRESULT SafeArrayGetElement(SAFEARRAY* array, LONG* indices, void* value);

// ---- Per-thread error information -------------------------------------------------------------
// A failing method records its error here before it returns; the caller reads it once.
QDK_AUTOMATION_API HRESULT QdkSetErrorInfo(HRESULT number, const OLECHAR* source,
                                           const OLECHAR* description);
// S_OK and the three values (the texts are the caller's) when error information is waiting, which
// it then no longer is; S_FALSE and nothing when there is none.
QDK_AUTOMATION_API HRESULT QdkGetErrorInfo(HRESULT* number, BSTR* source, BSTR* description);
QDK_AUTOMATION_API void QdkClearErrorInfo(void);

// ---- Identifiers ------------------------------------------------------------------------------
// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}", upper case; buffer of at least 39 characters.
QDK_AUTOMATION_API int StringFromGUID2(REFIID guid, OLECHAR* buffer, int size);
// Reads the braced or bare form, letter case ignored.
QDK_AUTOMATION_API HRESULT CLSIDFromString(const OLECHAR* text, CLSID* clsid);

// ---- Class registration and creation ----------------------------------------------------------
// Registration records are per user, one file per class in
// $XDG_DATA_HOME/qdk/classes/ (else ~/.local/share/qdk/classes/), named after the class identifier.
struct QdkClassRecord {
    const char* name;            // programmatic name, e.g. "QDK_ORV.TxtFile"
    const char* modulePath;      // absolute path of the shared library that serves the class
    const char* threadingModel;  // "Apartment"
    GUID interfaceId;            // the class's default interface
    GUID typeLibraryId;
    const char* typeLibraryVersion;  // "2.0"
};
QDK_AUTOMATION_API HRESULT QdkRegisterClass(REFCLSID clsid, const QdkClassRecord* record);
// S_OK when removed, S_FALSE when there was no record.
QDK_AUTOMATION_API HRESULT QdkUnregisterClass(REFCLSID clsid);
// Copies the module path of a registered class into buffer; REGDB_E_CLASSNOTREG when unknown.
QDK_AUTOMATION_API HRESULT QdkGetClassModule(REFCLSID clsid, char* buffer, std::size_t size);

// The class factory of clsid from the module at modulePath (loaded once, kept loaded).
QDK_AUTOMATION_API HRESULT QdkGetClassObjectFromModule(const char* modulePath, REFCLSID clsid,
                                                       REFIID iid, void** object);
// Creation by class identifier from the module at modulePath: for a program that knows where its
// own library is and needs no registration.
QDK_AUTOMATION_API HRESULT QdkCreateInstanceFromModule(const char* modulePath, REFCLSID clsid,
                                                       REFIID iid, void** object);
QDK_AUTOMATION_API HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void* reserved,
                                            REFIID iid, void** object);
QDK_AUTOMATION_API HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context,
                                            REFIID iid, void** object);
// Unloads every module loaded by creation whose DllCanUnloadNow answers S_OK.
QDK_AUTOMATION_API void CoFreeUnusedLibraries(void);

#endif
