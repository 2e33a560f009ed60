#include "VariantMembership.h"

#include <cstring>
#include <optional>
#include <string_view>
#include <variant>

namespace qdk::genfuns {

namespace {

struct Empty {};
using Comparable = std::variant<Empty, std::int64_t, double, std::u16string_view>;

std::optional<Comparable> comparableOf(const VARIANT& v)
{
    const bool byRef = (v.vt & VT_BYREF) != 0;
    if (byRef && !v.byref) return std::nullopt;
    switch (v.vt & ~VT_BYREF) {
    case VT_EMPTY: return Comparable{Empty{}};
    case VT_I1: return Comparable{std::int64_t{byRef ? *static_cast<std::int8_t*>(v.byref) : v.cVal}};
    case VT_UI1: return Comparable{std::int64_t{byRef ? *static_cast<std::uint8_t*>(v.byref) : v.bVal}};
    case VT_I2: return Comparable{std::int64_t{byRef ? *v.piVal : v.iVal}};
    case VT_UI2: return Comparable{std::int64_t{byRef ? *static_cast<std::uint16_t*>(v.byref) : v.uiVal}};
    case VT_I4:
    case VT_INT: return Comparable{std::int64_t{byRef ? *v.plVal : v.lVal}};
    case VT_UI4:
    case VT_UINT: return Comparable{std::int64_t{byRef ? *static_cast<std::uint32_t*>(v.byref) : v.ulVal}};
    case VT_I8: return Comparable{byRef ? *v.pllVal : v.llVal};
    case VT_BOOL: return Comparable{std::int64_t{(byRef ? *v.pboolVal : v.boolVal) ? -1 : 0}};
    case VT_R4: return Comparable{double{byRef ? *static_cast<float*>(v.byref) : v.fltVal}};
    case VT_R8: return Comparable{byRef ? *v.pdblVal : v.dblVal};
    case VT_BSTR: {
        const BSTR text = byRef ? *v.pbstrVal : v.bstrVal;
        return Comparable{text ? std::u16string_view(text, SysStringLen(text)) : std::u16string_view()};
    }
    case VT_VARIANT:
        if (byRef) return comparableOf(*v.pvarVal);
        return std::nullopt;
    default: return std::nullopt;
    }
}

// The pairs that can be equal; a pair listed in neither order is never equal.
struct Compare {
    bool operator()(Empty, Empty) const { return true; }
    bool operator()(Empty, std::int64_t n) const { return n == 0; }
    bool operator()(Empty, double n) const { return n == 0; }
    bool operator()(Empty, std::u16string_view s) const { return s.empty(); }
    bool operator()(std::int64_t a, std::int64_t b) const { return a == b; }
    bool operator()(std::int64_t a, double b) const { return static_cast<double>(a) == b; }
    bool operator()(double a, double b) const { return a == b; }
    bool operator()(std::u16string_view a, std::u16string_view b) const { return a == b; }
    bool operator()(std::int64_t, std::u16string_view) const { return false; }
    bool operator()(double, std::u16string_view) const { return false; }
};

bool equal(const Comparable& a, const Comparable& b)
{
    return std::visit(
        [](const auto& x, const auto& y) {
            if constexpr (std::is_invocable_v<Compare, decltype(x), decltype(y)>)
                return Compare{}(x, y);
            else
                return Compare{}(y, x);
        },
        a, b);
}

}  // namespace

bool variantsEqual(const VARIANT& a, const VARIANT& b)
{
    const auto left = comparableOf(a);
    const auto right = comparableOf(b);
    return left && right && equal(*left, *right);
}

bool isMember(const VARIANT& target, SAFEARRAY* list)
{
    if (!list || SafeArrayGetDim(list) != 1 || !list->pvData) return false;
    const auto wanted = comparableOf(target);
    if (!wanted) return false;
    VARTYPE type;
    if (FAILED(SafeArrayGetVartype(list, &type))) return false;
    for (ULONG i = 0; i < list->rgsabound[0].cElements; ++i) {
        const char* element = static_cast<const char*>(list->pvData) + static_cast<std::size_t>(i) * list->cbElements;
        VARIANT item;
        VariantInit(&item);
        if (type == VT_VARIANT) {
            std::memcpy(&item, element, sizeof item);
        } else if (type == VT_BSTR || type == VT_I2 || type == VT_I4 || type == VT_BOOL || type == VT_R8) {
            item.vt = type;
            std::memcpy(&item.llVal, element, list->cbElements);  // borrowed, never freed here
        } else {
            return false;
        }
        const auto candidate = comparableOf(item);
        if (candidate && equal(*wanted, *candidate)) return true;
    }
    return false;
}

}  // namespace qdk::genfuns
