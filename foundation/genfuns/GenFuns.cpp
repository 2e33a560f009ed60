#include "GenFuns.h"

#include "Guarded.h"
#include "ListColumnFitter.h"
#include "NotBuilt.h"
#include "VariantMembership.h"

namespace qdk::genfuns {

using frame::notBuilt;

namespace {

const frame::DispatchTable& dispatchTable()
{
    using namespace frame;
    static const DispatchTable table({
        method<&_GenFuns::GetCharsetList>(u"GetCharsetList", {}, VT_BSTR),
        method<&_GenFuns::LongToHTMLColor>(u"LongToHTMLColor", {i4(u"Color")}, VT_BSTR),
        method<&_GenFuns::SetMenuCaption>(u"SetMenuCaption", {objectRef(u"Target"), optional(text(u"MenusFile"))}),
        method<&_GenFuns::SetTip>(u"SetTip", {objectRef(u"Target"), optional(text(u"TipsFile"))}),
        method<&_GenFuns::InVar>(u"InVar", {variant(u"Target"), variantArrayRef(u"VarList")}, VT_BOOL),
        method<&_GenFuns::AdjListColWid>(u"AdjListColWid", {objectRef(u"Target")}),
        method<&_GenFuns::GetFilesQty>(u"GetFilesQty", {text(u"Path")}, VT_I4),
        method<&_GenFuns::CheckShortcut>(u"CheckShortcut", {text(u"Shortcut")}, VT_BOOL),
        method<&_GenFuns::GetSysTempPath>(u"GetSysTempPath", {}, VT_BSTR),
        method<&_GenFuns::GetEnglishWeekday>(u"GetEnglishWeekday", {i2(u"WeekSN")}, VT_BSTR),
        method<&_GenFuns::GetEnglishShortMonth>(u"GetEnglishShortMonth", {i2(u"MonthSN")}, VT_BSTR),
    });
    return table;
}

}  // namespace

GenFuns::GenFuns() : DispatchObject(IID__GenFuns, dispatchTable()) {}

HRESULT GenFuns::GetCharsetList(BSTR* result)
{
    return notBuilt(result);
}

HRESULT GenFuns::LongToHTMLColor(std::int32_t /*Color*/, BSTR* result)
{
    return notBuilt(result);
}

HRESULT GenFuns::SetMenuCaption(IDispatch** /*Target*/, BSTR /*MenusFile*/)
{
    return notBuilt();
}

HRESULT GenFuns::SetTip(IDispatch** /*Target*/, BSTR /*TipsFile*/)
{
    return notBuilt();
}

HRESULT GenFuns::InVar(VARIANT Target, SAFEARRAY** VarList, VARIANT_BOOL* result)
{
    if (!result) return E_POINTER;
    *result = VARIANT_FALSE;
    return frame::guarded([&] {
        if (VarList && isMember(Target, *VarList)) *result = VARIANT_TRUE;
        return S_OK;
    });
}

HRESULT GenFuns::AdjListColWid(IDispatch** Target)
{
    return frame::guarded([&] {
        if (Target && *Target) fitListColumns(*Target);
        return S_OK;
    });
}

HRESULT GenFuns::GetFilesQty(BSTR /*Path*/, std::int32_t* result)
{
    return notBuilt(result);
}

HRESULT GenFuns::CheckShortcut(BSTR /*Shortcut*/, VARIANT_BOOL* result)
{
    return notBuilt(result);
}

HRESULT GenFuns::GetSysTempPath(BSTR* result)
{
    return notBuilt(result);
}

HRESULT GenFuns::GetEnglishWeekday(std::int16_t /*WeekSN*/, BSTR* result)
{
    return notBuilt(result);
}

HRESULT GenFuns::GetEnglishShortMonth(std::int16_t /*MonthSN*/, BSTR* result)
{
    return notBuilt(result);
}

}  // namespace qdk::genfuns
