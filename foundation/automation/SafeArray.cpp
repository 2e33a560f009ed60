// One-dimensional arrays. The element type is kept in the four bytes before the descriptor, as
// the platform keeps it for arrays made with a variant type.
#include <qdk_orv/automation.h>
#include <qdk_orv/unknown.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr std::size_t kHeader = 16;  // keeps the descriptor 16-byte aligned

struct ElementKind {
    ULONG size;
    std::uint16_t features;
};

bool kindOf(VARTYPE type, ElementKind* kind)
{
    switch (type) {
    case VT_BSTR: *kind = {sizeof(BSTR), FADF_BSTR}; return true;
    case VT_VARIANT: *kind = {sizeof(VARIANT), FADF_VARIANT}; return true;
    case VT_DISPATCH: *kind = {sizeof(void*), FADF_DISPATCH}; return true;
    case VT_UNKNOWN: *kind = {sizeof(void*), FADF_UNKNOWN}; return true;
    case VT_I1:
    case VT_UI1: *kind = {1, 0}; return true;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL: *kind = {2, 0}; return true;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR: *kind = {4, 0}; return true;
    case VT_I8:
    case VT_UI8:
    case VT_R8:
    case VT_DATE:
    case VT_CY: *kind = {8, 0}; return true;
    default: return false;
    }
}

VARTYPE& storedType(SAFEARRAY* array)
{
    return *reinterpret_cast<VARTYPE*>(reinterpret_cast<char*>(array) - 4);
}

void* elementAt(SAFEARRAY* array, LONG* indices, HRESULT* hr)
{
    *hr = S_OK;
    if (!array || !indices) {
        *hr = E_INVALIDARG;
        return nullptr;
    }
    const std::int64_t offset = static_cast<std::int64_t>(*indices) - array->rgsabound[0].lLbound;
    if (offset < 0 || offset >= array->rgsabound[0].cElements) {
        *hr = DISP_E_BADINDEX;
        return nullptr;
    }
    return static_cast<char*>(array->pvData) + offset * array->cbElements;
}

void releaseElement(SAFEARRAY* array, void* element)
{
    if (array->fFeatures & FADF_BSTR) {
        SysFreeString(*static_cast<BSTR*>(element));
        *static_cast<BSTR*>(element) = nullptr;
    } else if (array->fFeatures & FADF_VARIANT) {
        VariantClear(static_cast<VARIANT*>(element));
    } else if (array->fFeatures & (FADF_DISPATCH | FADF_UNKNOWN)) {
        auto*& object = *static_cast<IUnknown**>(element);
        if (object) object->Release();
        object = nullptr;
    }
}

}  // namespace

SAFEARRAY* SafeArrayCreateVector(VARTYPE type, LONG lowerBound, ULONG count)
{
    ElementKind kind;
    if (!kindOf(type, &kind)) return nullptr;
    auto* block = static_cast<char*>(std::calloc(1, kHeader + sizeof(SAFEARRAY)));
    if (!block) return nullptr;
    auto* array = reinterpret_cast<SAFEARRAY*>(block + kHeader);
    void* data = std::calloc(count ? count : 1, kind.size);
    if (!data) {
        std::free(block);
        return nullptr;
    }
    array->cDims = 1;
    array->fFeatures = static_cast<std::uint16_t>(FADF_HAVEVARTYPE | kind.features);
    array->cbElements = kind.size;
    array->cLocks = 0;
    array->pvData = data;
    array->rgsabound[0] = {count, lowerBound};
    storedType(array) = type;
    // calloc has made every element empty: null texts and objects, VT_EMPTY variants.
    return array;
}

HRESULT SafeArrayDestroy(SAFEARRAY* array)
{
    if (!array) return S_OK;
    if (array->cLocks) return DISP_E_ARRAYISLOCKED;
    for (ULONG i = 0; i < array->rgsabound[0].cElements; ++i)
        releaseElement(array, static_cast<char*>(array->pvData) + i * array->cbElements);
    std::free(array->pvData);
    std::free(reinterpret_cast<char*>(array) - kHeader);
    return S_OK;
}

UINT SafeArrayGetDim(SAFEARRAY* array) { return array ? array->cDims : 0; }

HRESULT SafeArrayGetVartype(SAFEARRAY* array, VARTYPE* type)
{
    if (!array || !type) return E_INVALIDARG;
    if (!(array->fFeatures & FADF_HAVEVARTYPE)) return E_INVALIDARG;
    *type = storedType(array);
    return S_OK;
}

HRESULT SafeArrayGetLBound(SAFEARRAY* array, UINT dimension, LONG* bound)
{
    if (!array || !bound) return E_INVALIDARG;
    if (dimension != 1) return DISP_E_BADINDEX;
    *bound = array->rgsabound[0].lLbound;
    return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* array, UINT dimension, LONG* bound)
{
    if (!array || !bound) return E_INVALIDARG;
    if (dimension != 1) return DISP_E_BADINDEX;
    *bound = array->rgsabound[0].lLbound + static_cast<LONG>(array->rgsabound[0].cElements) - 1;
    return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data)
{
    if (!array || !data) return E_INVALIDARG;
    ++array->cLocks;
    *data = array->pvData;
    return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* array)
{
    if (!array) return E_INVALIDARG;
    if (!array->cLocks) return E_UNEXPECTED;
    --array->cLocks;
    return S_OK;
}

HRESULT SafeArrayPutElement(SAFEARRAY* array, LONG* indices, void* value)
{
    HRESULT hr;
    void* element = elementAt(array, indices, &hr);
    if (!element) return hr;
    if (array->fFeatures & FADF_BSTR) {
        const BSTR source = static_cast<BSTR>(value);
        BSTR copy = source ? SysAllocStringLen(source, SysStringLen(source)) : nullptr;
        if (source && !copy) return E_OUTOFMEMORY;
        releaseElement(array, element);
        *static_cast<BSTR*>(element) = copy;
    } else if (array->fFeatures & FADF_VARIANT) {
        if (!value) return E_INVALIDARG;
        return VariantCopy(static_cast<VARIANT*>(element), static_cast<VARIANT*>(value));
    } else if (array->fFeatures & (FADF_DISPATCH | FADF_UNKNOWN)) {
        auto* object = static_cast<IUnknown*>(value);
        if (object) object->AddRef();
        releaseElement(array, element);
        *static_cast<IUnknown**>(element) = object;
    } else {
        if (!value) return E_INVALIDARG;
        std::memcpy(element, value, array->cbElements);
    }
    return S_OK;
}

HRESULT SafeArrayGetElement(SAFEARRAY* array, LONG* indices, void* value)
{
    HRESULT hr;
    void* element = elementAt(array, indices, &hr);
    if (!element) return hr;
    if (!value) return E_INVALIDARG;
    if (array->fFeatures & FADF_BSTR) {
        const BSTR source = *static_cast<BSTR*>(element);
        BSTR copy = source ? SysAllocStringLen(source, SysStringLen(source)) : nullptr;
        if (source && !copy) return E_OUTOFMEMORY;
        *static_cast<BSTR*>(value) = copy;
    } else if (array->fFeatures & FADF_VARIANT) {
        VariantInit(static_cast<VARIANT*>(value));
        return VariantCopy(static_cast<VARIANT*>(value), static_cast<VARIANT*>(element));
    } else if (array->fFeatures & (FADF_DISPATCH | FADF_UNKNOWN)) {
        auto* object = *static_cast<IUnknown**>(element);
        if (object) object->AddRef();
        *static_cast<IUnknown**>(value) = object;
    } else {
        std::memcpy(value, element, array->cbElements);
    }
    return S_OK;
}
