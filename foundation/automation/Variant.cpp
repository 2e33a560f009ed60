#include <qdk_orv/automation.h>
#include <qdk_orv/unknown.h>

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

// A source value reduced to one of the forms conversions work from.
struct Scalar {
    enum Kind { Empty, Integer, Real, Boolean, Text } kind = Empty;
    std::int64_t integer = 0;
    std::uint64_t unsignedInteger = 0;  // set for values above INT64_MAX
    bool isHugeUnsigned = false;
    double real = 0;
    bool boolean = false;
    BSTR text = nullptr;
};

HRESULT readScalar(const VARIANT& v, Scalar* out)
{
    const bool byRef = (v.vt & VT_BYREF) != 0;
    if (byRef && !v.byref) return E_INVALIDARG;
    switch (v.vt & ~VT_BYREF) {
    case VT_EMPTY: out->kind = Scalar::Empty; return S_OK;
    case VT_I1: out->kind = Scalar::Integer; out->integer = byRef ? *static_cast<std::int8_t*>(v.byref) : v.cVal; return S_OK;
    case VT_UI1: out->kind = Scalar::Integer; out->integer = byRef ? *static_cast<std::uint8_t*>(v.byref) : v.bVal; return S_OK;
    case VT_I2: out->kind = Scalar::Integer; out->integer = byRef ? *v.piVal : v.iVal; return S_OK;
    case VT_UI2: out->kind = Scalar::Integer; out->integer = byRef ? *static_cast<std::uint16_t*>(v.byref) : v.uiVal; return S_OK;
    case VT_I4:
    case VT_INT: out->kind = Scalar::Integer; out->integer = byRef ? *v.plVal : v.lVal; return S_OK;
    case VT_UI4:
    case VT_UINT: out->kind = Scalar::Integer; out->integer = byRef ? *static_cast<std::uint32_t*>(v.byref) : v.ulVal; return S_OK;
    case VT_I8: out->kind = Scalar::Integer; out->integer = byRef ? *v.pllVal : v.llVal; return S_OK;
    case VT_UI8: {
        const std::uint64_t u = byRef ? *static_cast<std::uint64_t*>(v.byref) : v.ullVal;
        out->kind = Scalar::Integer;
        out->isHugeUnsigned = u > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
        out->unsignedInteger = u;
        out->integer = static_cast<std::int64_t>(u);
        return S_OK;
    }
    case VT_R4: out->kind = Scalar::Real; out->real = byRef ? *static_cast<float*>(v.byref) : v.fltVal; return S_OK;
    case VT_R8: out->kind = Scalar::Real; out->real = byRef ? *v.pdblVal : v.dblVal; return S_OK;
    case VT_BOOL: out->kind = Scalar::Boolean; out->boolean = (byRef ? *v.pboolVal : v.boolVal) != 0; return S_OK;
    case VT_BSTR: out->kind = Scalar::Text; out->text = byRef ? *v.pbstrVal : v.bstrVal; return S_OK;
    case VT_VARIANT:
        if (!byRef) return DISP_E_BADVARTYPE;
        return readScalar(*v.pvarVal, out);
    default: return DISP_E_TYPEMISMATCH;
    }
}

std::string asciiOf(BSTR text)
{
    std::string s;
    const UINT n = SysStringLen(text);
    for (UINT i = 0; i < n; ++i) {
        if (text[i] > 0x7F) return {};  // no number or Boolean word has other characters
        s += static_cast<char>(text[i]);
    }
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool equalsIgnoringCase(const std::string& a, const char* b)
{
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != b[i]) return false;
    return i == a.size() && !b[i];
}

// Text to number: decimal integers and reals; "True" and "False" read as -1 and 0.
HRESULT textToScalar(BSTR text, Scalar* out)
{
    const std::string s = asciiOf(text);
    if (s.empty()) return DISP_E_TYPEMISMATCH;
    if (equalsIgnoringCase(s, "true") || equalsIgnoringCase(s, "false")) {
        out->kind = Scalar::Boolean;
        out->boolean = equalsIgnoringCase(s, "true");
        return S_OK;
    }
    char* end = nullptr;
    errno = 0;
    const long long integer = std::strtoll(s.c_str(), &end, 10);
    if (*end == 0 && errno == 0) {
        out->kind = Scalar::Integer;
        out->integer = integer;
        return S_OK;
    }
    errno = 0;
    const double real = std::strtod(s.c_str(), &end);
    if (*end != 0 || !std::isfinite(real)) return DISP_E_TYPEMISMATCH;
    out->kind = Scalar::Real;
    out->real = real;
    return S_OK;
}

template <class T>
HRESULT toInteger(const Scalar& s, T* out)
{
    std::int64_t value = 0;
    switch (s.kind) {
    case Scalar::Empty: value = 0; break;
    case Scalar::Boolean: value = s.boolean ? -1 : 0; break;
    case Scalar::Integer:
        if (s.isHugeUnsigned) {
            if (s.unsignedInteger > static_cast<std::uint64_t>(std::numeric_limits<T>::max())) return DISP_E_OVERFLOW;
            *out = static_cast<T>(s.unsignedInteger);
            return S_OK;
        }
        value = s.integer;
        break;
    case Scalar::Real: {
        const double rounded = std::nearbyint(s.real);  // ties to even, as Automation rounds
        if (!(rounded >= static_cast<double>(std::numeric_limits<T>::min()) &&
              rounded <= static_cast<double>(std::numeric_limits<T>::max())))
            return DISP_E_OVERFLOW;
        *out = static_cast<T>(rounded);
        return S_OK;
    }
    case Scalar::Text: return DISP_E_TYPEMISMATCH;  // read as a number before
    }
    if constexpr (std::numeric_limits<T>::is_signed) {
        if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max()) return DISP_E_OVERFLOW;
    } else {
        if (value < 0 || static_cast<std::uint64_t>(value) > std::numeric_limits<T>::max()) return DISP_E_OVERFLOW;
    }
    *out = static_cast<T>(value);
    return S_OK;
}

HRESULT toReal(const Scalar& s, double* out)
{
    switch (s.kind) {
    case Scalar::Empty: *out = 0; return S_OK;
    case Scalar::Boolean: *out = s.boolean ? -1 : 0; return S_OK;
    case Scalar::Integer: *out = s.isHugeUnsigned ? static_cast<double>(s.unsignedInteger) : static_cast<double>(s.integer); return S_OK;
    case Scalar::Real: *out = s.real; return S_OK;
    case Scalar::Text: break;  // read as a number before
    }
    return DISP_E_TYPEMISMATCH;
}

HRESULT toBoolean(const Scalar& s, bool* out)
{
    switch (s.kind) {
    case Scalar::Empty: *out = false; return S_OK;
    case Scalar::Boolean: *out = s.boolean; return S_OK;
    case Scalar::Integer: *out = s.integer != 0 || s.isHugeUnsigned; return S_OK;
    case Scalar::Real: *out = s.real != 0; return S_OK;
    case Scalar::Text: break;  // read as a number before
    }
    return DISP_E_TYPEMISMATCH;
}

HRESULT toText(const Scalar& s, BSTR* out)
{
    std::string text;
    switch (s.kind) {
    case Scalar::Empty: break;
    case Scalar::Boolean: text = s.boolean ? "True" : "False"; break;
    case Scalar::Integer: text = s.isHugeUnsigned ? std::to_string(s.unsignedInteger) : std::to_string(s.integer); break;
    case Scalar::Real: {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.15G", s.real);
        text = buffer;
        break;
    }
    case Scalar::Text:
        *out = SysAllocStringLen(s.text, SysStringLen(s.text));
        return (*out || !s.text) ? S_OK : E_OUTOFMEMORY;
    }
    std::u16string wide(text.begin(), text.end());
    *out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT copyArray(SAFEARRAY* source, SAFEARRAY** target)
{
    *target = nullptr;
    if (!source) return S_OK;
    if (SafeArrayGetDim(source) != 1) return E_INVALIDARG;
    VARTYPE type;
    if (FAILED(SafeArrayGetVartype(source, &type))) return E_INVALIDARG;
    SAFEARRAY* copy = SafeArrayCreateVector(type, source->rgsabound[0].lLbound, source->rgsabound[0].cElements);
    if (!copy) return E_OUTOFMEMORY;
    for (ULONG i = 0; i < source->rgsabound[0].cElements; ++i) {
        LONG index = source->rgsabound[0].lLbound + static_cast<LONG>(i);
        void* element = static_cast<char*>(source->pvData) + i * source->cbElements;
        void* value = type == VT_BSTR ? *static_cast<BSTR*>(element) : element;
        const HRESULT hr = SafeArrayPutElement(copy, &index, value);
        if (FAILED(hr)) {
            SafeArrayDestroy(copy);
            return hr;
        }
    }
    *target = copy;
    return S_OK;
}

}  // namespace

void VariantInit(VARIANT* value)
{
    if (!value) return;
    value->vt = VT_EMPTY;
    value->wReserved1 = value->wReserved2 = value->wReserved3 = 0;
    value->record = {nullptr, nullptr};
}

HRESULT VariantClear(VARIANT* value)
{
    if (!value) return E_INVALIDARG;
    if (!(value->vt & VT_BYREF)) {
        if (value->vt & VT_ARRAY) {
            const HRESULT hr = SafeArrayDestroy(value->parray);
            if (FAILED(hr)) return hr;
        } else {
            switch (value->vt) {
            case VT_BSTR: SysFreeString(value->bstrVal); break;
            case VT_DISPATCH:
            case VT_UNKNOWN:
                if (value->punkVal) value->punkVal->Release();
                break;
            default:
                if ((value->vt & VT_TYPEMASK) > VT_UINT) return DISP_E_BADVARTYPE;
                break;
            }
        }
    }
    VariantInit(value);
    return S_OK;
}

HRESULT VariantCopy(VARIANT* target, const VARIANT* source)
{
    if (!target || !source) return E_INVALIDARG;
    if (target == source) return S_OK;
    HRESULT hr = VariantClear(target);
    if (FAILED(hr)) return hr;
    VARIANT copy = *source;
    if (!(source->vt & VT_BYREF)) {
        if (source->vt & VT_ARRAY) {
            hr = copyArray(source->parray, &copy.parray);
            if (FAILED(hr)) return hr;
        } else if (source->vt == VT_BSTR && source->bstrVal) {
            copy.bstrVal = SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal));
            if (!copy.bstrVal) return E_OUTOFMEMORY;
        } else if ((source->vt == VT_DISPATCH || source->vt == VT_UNKNOWN) && source->punkVal) {
            source->punkVal->AddRef();
        }
    }
    *target = copy;
    return S_OK;
}

HRESULT VariantChangeType(VARIANT* target, const VARIANT* source, std::uint16_t, VARTYPE type)
{
    if (!target || !source) return E_INVALIDARG;
    Scalar s;
    HRESULT hr = readScalar(*source, &s);
    if (FAILED(hr)) return hr;
    if (s.kind == Scalar::Text && type != VT_BSTR && type != VT_EMPTY) {
        hr = textToScalar(s.text, &s);
        if (FAILED(hr)) return hr;
    }
    VARIANT result;
    VariantInit(&result);
    result.vt = type;
    switch (type) {
    case VT_EMPTY: hr = S_OK; break;
    case VT_I1: hr = toInteger(s, &result.cVal); break;
    case VT_UI1: hr = toInteger(s, &result.bVal); break;
    case VT_I2: hr = toInteger(s, &result.iVal); break;
    case VT_UI2: hr = toInteger(s, &result.uiVal); break;
    case VT_I4:
    case VT_INT: hr = toInteger(s, &result.lVal); break;
    case VT_UI4:
    case VT_UINT: hr = toInteger(s, &result.ulVal); break;
    case VT_I8: hr = toInteger(s, &result.llVal); break;
    case VT_UI8: hr = toInteger(s, &result.ullVal); break;
    case VT_R4: {
        double d;
        hr = toReal(s, &d);
        if (SUCCEEDED(hr) && std::fabs(d) > std::numeric_limits<float>::max()) hr = DISP_E_OVERFLOW;
        result.fltVal = static_cast<float>(d);
        break;
    }
    case VT_R8: hr = toReal(s, &result.dblVal); break;
    case VT_BOOL: {
        bool b = false;
        hr = toBoolean(s, &b);
        result.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    }
    case VT_BSTR: hr = toText(s, &result.bstrVal); break;
    default: hr = DISP_E_TYPEMISMATCH; break;
    }
    if (FAILED(hr)) return hr;
    if (target != source) {
        hr = VariantClear(target);
        if (FAILED(hr)) {
            VariantClear(&result);
            return hr;
        }
    } else {
        VariantClear(target);  // the source value is no longer needed
    }
    *target = result;
    return S_OK;
}
