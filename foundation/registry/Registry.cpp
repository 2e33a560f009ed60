#include "Registry.h"

#include "NotBuilt.h"

namespace qdk::registry {

using frame::notBuilt;

namespace {

const frame::DispatchTable& dispatchTable()
{
    using namespace frame;
    static const DispatchTable table({
        method<&_Registry::ExportRegKey>(u"ExportRegKey", {i4Ref(u"KeyRoot"), textRef(u"KeyPath"), textRef(u"FileName")}, VT_BOOL),
        method<&_Registry::ImportRegKey>(u"ImportRegKey", {i4Ref(u"KeyRoot"), textRef(u"KeyPath"), textRef(u"FileName")}, VT_BOOL),
        method<&_Registry::ReadRegKey>(u"ReadRegKey", {i4Ref(u"KeyRoot"), textRef(u"KeyPath"), textRef(u"SubKey"), optional(textRef(u"NoKeyFoundValue"), DefaultValue::string(u""))}, VT_BSTR),
        method<&_Registry::WriteRegKey>(u"WriteRegKey", {i4Ref(u"KeyType"), i4Ref(u"KeyRoot"), textRef(u"KeyPath"), textRef(u"SubKey"), textRef(u"SubKeyValue")}, VT_BOOL),
        method<&_Registry::EnumerateRegKeys>(u"EnumerateRegKeys", {i4Ref(u"KeyRoot"), textRef(u"KeyPath")}, VT_BSTR),
        method<&_Registry::EnumerateRegKeyValues>(u"EnumerateRegKeyValues", {i4Ref(u"KeyRoot"), textRef(u"KeyPath")}, VT_BSTR),
        method<&_Registry::DeleteRegKey>(u"DeleteRegKey", {i4Ref(u"KeyRoot"), textRef(u"KeyPath")}),
        method<&_Registry::DeleteRegKeyValue>(u"DeleteRegKeyValue", {i4Ref(u"KeyRoot"), textRef(u"KeyPath"), optional(textRef(u"SubKey"), DefaultValue::string(u""))}, VT_BOOL),
        method<&_Registry::GetRegKeyItems>(u"GetRegKeyItems", {i4Ref(u"KeyRoot"), textRef(u"KeyPath")}, VT_I2),
        method<&_Registry::EnumerateRegKeyItemNames>(u"EnumerateRegKeyItemNames", {i4Ref(u"KeyRoot"), textRef(u"KeyPath")}, VT_BSTR),
    });
    return table;
}

}  // namespace

Registry::Registry() : DispatchObject(IID__Registry, dispatchTable()) {}

HRESULT Registry::ExportRegKey(KeyRoot* /*KeyRoot*/, BSTR* /*KeyPath*/, BSTR* /*FileName*/, VARIANT_BOOL* result)
{
    return notBuilt(result);
}

HRESULT Registry::ImportRegKey(KeyRoot* /*KeyRoot*/, BSTR* /*KeyPath*/, BSTR* /*FileName*/, VARIANT_BOOL* result)
{
    return notBuilt(result);
}

HRESULT Registry::ReadRegKey(KeyRoot* /*KeyRoot*/, BSTR* /*KeyPath*/, BSTR* /*SubKey*/, BSTR* /*NoKeyFoundValue*/, BSTR* result)
{
    return notBuilt(result);
}

HRESULT Registry::WriteRegKey(KeyType* /*KeyType*/, KeyRoot* /*KeyRoot*/, BSTR* /*KeyPath*/, BSTR* /*SubKey*/, BSTR* /*SubKeyValue*/, VARIANT_BOOL* result)
{
    return notBuilt(result);
}

HRESULT Registry::EnumerateRegKeys(KeyRoot* /*KeyRoot*/, BSTR* /*KeyPath*/, BSTR* result)
{
    return notBuilt(result);
}

HRESULT Registry::EnumerateRegKeyValues(KeyRoot* /*KeyRoot*/, BSTR* /*KeyPath*/, BSTR* result)
{
    return notBuilt(result);
}

HRESULT Registry::DeleteRegKey(KeyRoot* /*KeyRoot*/, BSTR* /*KeyPath*/)
{
    return notBuilt();
}

HRESULT Registry::DeleteRegKeyValue(KeyRoot* /*KeyRoot*/, BSTR* /*KeyPath*/, BSTR* /*SubKey*/, VARIANT_BOOL* result)
{
    return notBuilt(result);
}

HRESULT Registry::GetRegKeyItems(KeyRoot* /*KeyRoot*/, BSTR* /*KeyPath*/, std::int16_t* result)
{
    return notBuilt(result);
}

HRESULT Registry::EnumerateRegKeyItemNames(KeyRoot* /*KeyRoot*/, BSTR* /*KeyPath*/, BSTR* result)
{
    return notBuilt(result);
}

}  // namespace qdk::registry
