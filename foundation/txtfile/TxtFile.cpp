#include "TxtFile.h"

#include "BstrText.h"
#include "Guarded.h"
#include "LineSearch.h"
#include "NotBuilt.h"

#include <algorithm>
#include <limits>

namespace qdk::txtfile {

using frame::notBuilt;

namespace {

const frame::DispatchTable& dispatchTable()
{
    using namespace frame;
    static const DispatchTable table({
        method<&_TxtFile::AppendLine>(u"AppendLine", {text(u"FileName"), textRef(u"Content")}),
        method<&_TxtFile::ReadLastLine>(u"ReadLastLine", {text(u"FileName")}, VT_BSTR),
        method<&_TxtFile::GetLineQty>(u"GetLineQty", {text(u"FileName")}, VT_I4),
        method<&_TxtFile::DeleteLine>(u"DeleteLine", {text(u"FileName"), text(u"Content"), optional(text(u"Separator"), DefaultValue::string(u"")), optional(i2(u"FieldNo"), DefaultValue::number(0))}),
        method<&_TxtFile::ModifyLine>(u"ModifyLine", {text(u"FileName"), text(u"OldString"), text(u"NewString"), optional(text(u"Separator"), DefaultValue::string(u"")), optional(i2(u"FieldNo"), DefaultValue::number(0))}),
        method<&_TxtFile::FindLine>(u"FindLine", {text(u"FileName"), text(u"Line")}, VT_BOOL),
        method<&_TxtFile::GetLineNoByFind>(u"GetLineNoByFind", {text(u"FileName"), text(u"FindString"), optional(boolean(u"MatchCase"), DefaultValue::boolean(true))}, VT_I4),
        method<&_TxtFile::GetLineStrByFind>(u"GetLineStrByFind", {text(u"FileName"), text(u"FindString"), optional(boolean(u"MatchCase"), DefaultValue::boolean(true))}, VT_BSTR),
        method<&_TxtFile::WriteByCharset>(u"WriteByCharset", {text(u"FileName"), text(u"Content"), optional(text(u"CharSet"), DefaultValue::string(u"utf-8"))}),
        method<&_TxtFile::ReadByCharset>(u"ReadByCharset", {text(u"FileName"), optional(text(u"CharSet"), DefaultValue::string(u"utf-8"))}, VT_BSTR),
        method<&_TxtFile::AutoRead>(u"AutoRead", {text(u"FileName")}, VT_BSTR),
        method<&_TxtFile::GetEncoding>(u"GetEncoding", {text(u"FileName")}, VT_BSTR),
    });
    return table;
}

orv::txtfile::LineMatch searchMode(VARIANT_BOOL matchCase)
{
    return matchCase ? orv::txtfile::LineMatch::Contains : orv::txtfile::LineMatch::ContainsIgnoringCase;
}

}  // namespace

TxtFile::TxtFile() : DispatchObject(IID__TxtFile, dispatchTable()) {}

HRESULT TxtFile::AppendLine(BSTR /*FileName*/, BSTR* /*Content*/)
{
    return notBuilt();
}

HRESULT TxtFile::ReadLastLine(BSTR /*FileName*/, BSTR* result)
{
    return notBuilt(result);
}

HRESULT TxtFile::GetLineQty(BSTR /*FileName*/, std::int32_t* result)
{
    return notBuilt(result);
}

HRESULT TxtFile::DeleteLine(BSTR /*FileName*/, BSTR /*Content*/, BSTR /*Separator*/, std::int16_t /*FieldNo*/)
{
    return notBuilt();
}

HRESULT TxtFile::ModifyLine(BSTR /*FileName*/, BSTR /*OldString*/, BSTR /*NewString*/, BSTR /*Separator*/, std::int16_t /*FieldNo*/)
{
    return notBuilt();
}

HRESULT TxtFile::FindLine(BSTR FileName, BSTR Line, VARIANT_BOOL* result)
{
    if (!result) return E_POINTER;
    *result = VARIANT_FALSE;
    return frame::guarded([&] {
        if (orv::txtfile::findFirstLine(frame::bytesOf(FileName), frame::viewOf(Line), orv::txtfile::LineMatch::Equals))
            *result = VARIANT_TRUE;
        return S_OK;
    });
}

HRESULT TxtFile::GetLineNoByFind(BSTR FileName, BSTR FindString, VARIANT_BOOL MatchCase, std::int32_t* result)
{
    if (!result) return E_POINTER;
    *result = 0;
    return frame::guarded([&] {
        if (const auto found = orv::txtfile::findFirstLine(frame::bytesOf(FileName), frame::viewOf(FindString), searchMode(MatchCase)))
            // Beyond the 32-bit range the number cannot be told; the largest one stands for it.
            *result = static_cast<std::int32_t>(std::min<std::int64_t>(found->number, std::numeric_limits<std::int32_t>::max()));
        return S_OK;
    });
}

HRESULT TxtFile::GetLineStrByFind(BSTR FileName, BSTR FindString, VARIANT_BOOL MatchCase, BSTR* result)
{
    if (!result) return E_POINTER;
    *result = nullptr;
    return frame::guarded([&] {
        if (const auto found = orv::txtfile::findFirstLine(frame::bytesOf(FileName), frame::viewOf(FindString), searchMode(MatchCase)))
            *result = frame::makeBstr(found->text);
        return S_OK;
    });
}

HRESULT TxtFile::WriteByCharset(BSTR /*FileName*/, BSTR /*Content*/, BSTR /*CharSet*/)
{
    return notBuilt();
}

HRESULT TxtFile::ReadByCharset(BSTR /*FileName*/, BSTR /*CharSet*/, BSTR* result)
{
    return notBuilt(result);
}

HRESULT TxtFile::AutoRead(BSTR /*FileName*/, BSTR* result)
{
    return notBuilt(result);
}

HRESULT TxtFile::GetEncoding(BSTR /*FileName*/, BSTR* result)
{
    return notBuilt(result);
}

}  // namespace qdk::txtfile
