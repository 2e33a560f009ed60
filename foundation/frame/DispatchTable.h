#pragma once

#include <qdk_orv/unknown.h>

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace qdk::frame {

// The value an omitted optional argument takes.
struct DefaultValue {
    enum Kind { Empty, Boolean, Integer, Text } kind = Empty;
    std::int64_t integer = 0;
    const char16_t* text = u"";

    static DefaultValue boolean(bool value) { return {Boolean, value ? -1 : 0, u""}; }
    static DefaultValue number(std::int64_t value) { return {Integer, value, u""}; }
    static DefaultValue string(const char16_t* value) { return {Text, 0, value}; }
};

struct Parameter {
    const char16_t* name;
    VARTYPE type;  // with VT_BYREF for a by-reference parameter
    bool optional = false;
    DefaultValue fallback = {};  // an optional parameter without one gets "", 0 or false
};

// Calls the early-bound slot. `slots` holds one prepared value per parameter (by-value scalars in
// the union, texts as the caller's BSTR, variants through pvarVal, by-reference parameters and
// the result through byref/the union's storage).
using MethodCall = HRESULT (*)(IDispatch* self, VARIANT* slots);

struct Method {
    const char16_t* name;
    std::vector<Parameter> parameters;
    VARTYPE resultType;  // VT_EMPTY for a method without result
    MethodCall call;
};

// Late binding for one interface: names to dispatch ids, and Invoke by id with the arguments
// checked, converted and defaulted before the early-bound slot is called.
class DispatchTable {
public:
    static constexpr DISPID kFirstId = 0x60030000;

    explicit DispatchTable(std::vector<Method> methods);

    HRESULT idsOfNames(OLECHAR** names, UINT count, DISPID* ids) const;
    HRESULT invoke(IDispatch* self, DISPID member, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* exception, UINT* argumentError) const;

    const std::vector<Method>& methods() const { return methods_; }

private:
    std::vector<Method> methods_;
};

namespace detail {

// Reads the C++ argument of type T out of its prepared slot.
template <class T>
T argumentFrom(VARIANT& slot)
{
    if constexpr (std::is_same_v<T, BSTR>)
        return slot.bstrVal;
    else if constexpr (std::is_pointer_v<T>)
        return static_cast<T>(slot.byref);
    else if constexpr (std::is_same_v<T, VARIANT>)
        return *slot.pvarVal;
    else if constexpr (std::is_enum_v<T>)
        return static_cast<T>(slot.lVal);
    else if constexpr (std::is_same_v<T, std::int16_t>)
        return slot.iVal;
    else if constexpr (std::is_same_v<T, std::int32_t>)
        return slot.lVal;
    else
        static_assert(sizeof(T) == 0, "no Automation form for this parameter type");
}

template <class T>
constexpr std::size_t storageSize()
{
    if constexpr (std::is_pointer_v<T> && !std::is_same_v<T, BSTR>)
        return sizeof(std::remove_pointer_t<T>);
    else
        return sizeof(T);
}

template <auto M>
struct CallOf;

template <class I, class... A, HRESULT (I::*M)(A...)>
struct CallOf<M> {
    static constexpr std::size_t arity = sizeof...(A);
    static HRESULT call(IDispatch* self, VARIANT* slots)
    {
        return invoke(static_cast<I*>(self), slots, std::index_sequence_for<A...>{});
    }
    template <std::size_t... N>
    static HRESULT invoke(I* object, VARIANT* slots, std::index_sequence<N...>)
    {
        return (object->*M)(argumentFrom<A>(slots[N])...);
    }
    // Byte size of what each slot must hold, to check a table against the real signature.
    static std::vector<std::size_t> sizes() { return {storageSize<A>()...}; }
};

std::size_t sizeOfType(VARTYPE type);

}  // namespace detail

// One table row: the method's name and parameters as Automation sees them, bound to slot M.
template <auto M>
Method method(const char16_t* name, std::initializer_list<Parameter> parameters, VARTYPE resultType = VT_EMPTY)
{
    using Call = detail::CallOf<M>;
    const std::size_t expected = parameters.size() + (resultType != VT_EMPTY ? 1 : 0);
    const auto sizes = Call::sizes();
    bool consistent = expected == Call::arity;
    std::size_t i = 0;
    for (const Parameter& p : parameters) {
        if (!consistent) break;
        const bool byRef = (p.type & VT_BYREF) != 0;
        const VARTYPE base = p.type & ~VT_BYREF;
        // A by-value variant is passed whole; everything else must fit its slot exactly.
        if (base != VT_VARIANT || byRef) consistent = detail::sizeOfType(base) == sizes[i];
        ++i;
    }
    if (consistent && resultType != VT_EMPTY) consistent = detail::sizeOfType(resultType) == sizes.back();
    if (!consistent) throw std::logic_error("dispatch table row does not match its method");
    return Method{name, parameters, resultType, &Call::call};
}

// Parameter shorthands for the tables.
inline Parameter text(const char16_t* name) { return {name, VT_BSTR}; }
inline Parameter textRef(const char16_t* name) { return {name, VT_BSTR | VT_BYREF}; }
inline Parameter i2(const char16_t* name) { return {name, VT_I2}; }
inline Parameter i4(const char16_t* name) { return {name, VT_I4}; }
inline Parameter i4Ref(const char16_t* name) { return {name, VT_I4 | VT_BYREF}; }
inline Parameter boolean(const char16_t* name) { return {name, VT_BOOL}; }
inline Parameter variant(const char16_t* name) { return {name, VT_VARIANT}; }
inline Parameter objectRef(const char16_t* name) { return {name, VT_DISPATCH | VT_BYREF}; }
inline Parameter variantArrayRef(const char16_t* name) { return {name, VT_ARRAY | VT_VARIANT | VT_BYREF}; }
inline Parameter optional(Parameter p, DefaultValue fallback = {})
{
    p.optional = true;
    p.fallback = fallback;
    return p;
}

}  // namespace qdk::frame
