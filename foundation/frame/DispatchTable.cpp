#include "DispatchTable.h"

#include <qdk_orv/automation.h>

namespace qdk::frame {

namespace detail {

std::size_t sizeOfType(VARTYPE type)
{
    if (type & VT_ARRAY) return sizeof(SAFEARRAY*);
    switch (type) {
    case VT_I2:
    case VT_BOOL: return 2;
    case VT_I4: return 4;
    case VT_BSTR: return sizeof(BSTR);
    case VT_DISPATCH: return sizeof(IDispatch*);
    case VT_VARIANT: return sizeof(VARIANT);
    default: return 0;
    }
}

}  // namespace detail

namespace {

char16_t foldAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

bool sameName(const char16_t* a, const OLECHAR* b)
{
    for (; *a && *b; ++a, ++b)
        if (foldAscii(*a) != foldAscii(*b)) return false;
    return *a == 0 && *b == 0;
}

// A value made for one call and whether it is ours to free after it.
struct Temporary {
    VARIANT value;
    bool owned = false;
    Temporary() { VariantInit(&value); }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    ~Temporary()
    {
        if (owned) VariantClear(&value);
    }
};

HRESULT makeDefault(const Parameter& p, Temporary* temp)
{
    const VARTYPE base = p.type & ~VT_BYREF;
    VARIANT source;
    VariantInit(&source);
    switch (p.fallback.kind) {
    case DefaultValue::Empty: break;
    case DefaultValue::Boolean:
        source.vt = VT_BOOL;
        source.boolVal = p.fallback.integer ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case DefaultValue::Integer:
        source.vt = VT_I8;
        source.llVal = p.fallback.integer;
        break;
    case DefaultValue::Text:
        source.vt = VT_BSTR;
        source.bstrVal = SysAllocString(p.fallback.text);
        if (!source.bstrVal) return E_OUTOFMEMORY;
        break;
    }
    temp->owned = true;
    if (base == VT_VARIANT) {
        temp->value = source;
        return S_OK;
    }
    if (base == VT_DISPATCH || (base & VT_ARRAY)) {
        temp->value.vt = base;  // a null object or array
        return S_OK;
    }
    const HRESULT hr = VariantChangeType(&temp->value, &source, 0, base);
    VariantClear(&source);
    return hr;
}

HRESULT convertInto(const VARIANT* source, VARTYPE base, Temporary* temp)
{
    const HRESULT hr = VariantChangeType(&temp->value, source, 0, base);
    if (FAILED(hr)) return hr == DISP_E_OVERFLOW ? hr : DISP_E_TYPEMISMATCH;
    temp->owned = true;
    return S_OK;
}

// Puts the argument for parameter p into its slot, converting or copying into temp where the
// caller's value does not have the parameter's exact form.
HRESULT prepare(const Parameter& p, const VARIANT* arg, bool defaulted, VARIANT* slot, Temporary* temp)
{
    const VARTYPE base = p.type & ~VT_BYREF;
    const bool byRef = (p.type & VT_BYREF) != 0;
    const VARIANT* actual = arg;
    const bool throughVariant = actual->vt == (VT_BYREF | VT_VARIANT);
    if (throughVariant) {
        if (!actual->pvarVal) return DISP_E_TYPEMISMATCH;
        actual = actual->pvarVal;
    }
    if ((actual->vt & VT_BYREF) && !actual->byref) return DISP_E_TYPEMISMATCH;

    if (base == VT_VARIANT && !byRef) {
        if (actual->vt & VT_BYREF) {
            const HRESULT hr = convertInto(actual, actual->vt & ~VT_BYREF, temp);
            if (FAILED(hr)) return hr;
            actual = &temp->value;
        }
        slot->pvarVal = const_cast<VARIANT*>(actual);
        return S_OK;
    }

    VARIANT* storage;
    if (defaulted) {
        storage = &temp->value;
    } else if (actual->vt == (base | VT_BYREF) && byRef) {
        slot->byref = actual->byref;  // the caller's own variable: written back as it is
        return S_OK;
    } else if (actual->vt == base && (!byRef || throughVariant)) {
        storage = const_cast<VARIANT*>(actual);  // used in place; a by-ref variant is written back
    } else if (actual->vt == base && (base == VT_DISPATCH || (base & VT_ARRAY))) {
        temp->value = *actual;  // borrowed, not ours to free
        storage = &temp->value;
    } else if (base == VT_DISPATCH || (base & VT_ARRAY)) {
        return DISP_E_TYPEMISMATCH;
    } else {
        const HRESULT hr = convertInto(actual, base, temp);
        if (FAILED(hr)) return hr;
        storage = &temp->value;
    }
    if (byRef)
        slot->byref = &storage->llVal;
    else
        *slot = *storage;
    return S_OK;
}

}  // namespace

DispatchTable::DispatchTable(std::vector<Method> methods) : methods_(std::move(methods)) {}

HRESULT DispatchTable::idsOfNames(OLECHAR** names, UINT count, DISPID* ids) const
{
    if (!names || !ids) return E_POINTER;
    if (count == 0) return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    const Method* found = nullptr;
    for (std::size_t m = 0; m < methods_.size() && names[0]; ++m)
        if (sameName(methods_[m].name, names[0])) {
            found = &methods_[m];
            ids[0] = kFirstId + static_cast<DISPID>(m);
        }
    if (!found) return DISP_E_UNKNOWNNAME;
    HRESULT hr = S_OK;
    for (UINT i = 1; i < count; ++i) {
        for (std::size_t k = 0; k < found->parameters.size() && names[i]; ++k)
            if (sameName(found->parameters[k].name, names[i])) ids[i] = static_cast<DISPID>(k);
        if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT DispatchTable::invoke(IDispatch* self, DISPID member, WORD flags, DISPPARAMS* params,
                              VARIANT* result, EXCEPINFO* exception, UINT* argumentError) const
{
    const std::int64_t index = static_cast<std::int64_t>(member) - kFirstId;
    if (index < 0 || index >= static_cast<std::int64_t>(methods_.size())) return DISP_E_MEMBERNOTFOUND;
    if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) return DISP_E_MEMBERNOTFOUND;
    if (!params || (params->cArgs && !params->rgvarg)) return E_INVALIDARG;
    if (params->cNamedArgs) return DISP_E_NONAMEDARGS;

    const Method& m = methods_[static_cast<std::size_t>(index)];
    const std::size_t count = m.parameters.size();
    std::size_t required = 0;
    for (std::size_t i = 0; i < count; ++i)
        if (!m.parameters[i].optional) required = i + 1;
    const UINT given = params->cArgs;
    if (given > count || given < required) return DISP_E_BADPARAMCOUNT;

    std::vector<VARIANT> slots(count + 1);
    for (VARIANT& slot : slots) VariantInit(&slot);
    std::vector<Temporary> temps(count);
    for (std::size_t i = 0; i < count; ++i) {
        const UINT position = given - 1 - static_cast<UINT>(i);  // arguments stand last first
        const VARIANT* arg = i < given ? &params->rgvarg[position] : nullptr;
        const bool omitted = !arg || (arg->vt == VT_ERROR && arg->scode == DISP_E_PARAMNOTFOUND);
        HRESULT hr;
        if (omitted) {
            if (!m.parameters[i].optional) {
                if (argumentError) *argumentError = position;
                return DISP_E_PARAMNOTFOUND;
            }
            hr = makeDefault(m.parameters[i], &temps[i]);
            if (SUCCEEDED(hr)) hr = prepare(m.parameters[i], &temps[i].value, true, &slots[i], &temps[i]);
        } else {
            hr = prepare(m.parameters[i], arg, false, &slots[i], &temps[i]);
        }
        if (FAILED(hr)) {
            if (argumentError && i < given) *argumentError = position;
            return hr;
        }
    }

    VARIANT value;
    VariantInit(&value);
    slots[count].byref = &value.llVal;
    QdkClearErrorInfo();
    const HRESULT hr = m.call(self, slots.data());
    if (FAILED(hr)) {
        HRESULT number;
        BSTR source = nullptr;
        BSTR description = nullptr;
        if (!exception) return hr;  // the error information stays for the caller to read
        if (QdkGetErrorInfo(&number, &source, &description) != S_OK) return hr;
        *exception = {};
        exception->bstrSource = source;
        exception->bstrDescription = description;
        exception->scode = number;
        return DISP_E_EXCEPTION;
    }
    value.vt = m.resultType;
    if (result)
        *result = value;
    else
        VariantClear(&value);
    return S_OK;
}

}  // namespace qdk::frame
