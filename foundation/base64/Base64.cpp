#include "Base64.h"

#include "NotBuilt.h"

namespace qdk::base64 {

using frame::notBuilt;

namespace {

const frame::DispatchTable& dispatchTable()
{
    using namespace frame;
    static const DispatchTable table({
        method<&_Base64::Encode>(u"Encode", {text(u"Source"), optional(text(u"CharSet"), DefaultValue::string(u"utf-8"))}, VT_BSTR),
        method<&_Base64::EncodeFile>(u"EncodeFile", {text(u"astrFile")}, VT_BSTR),
        method<&_Base64::Decode>(u"Decode", {textRef(u"sInput"), optional(text(u"CharSet"), DefaultValue::string(u"utf-8"))}, VT_BSTR),
        method<&_Base64::DecodeToFile>(u"DecodeToFile", {textRef(u"sInput"), textRef(u"sFileName")}),
    });
    return table;
}

}  // namespace

Base64::Base64() : DispatchObject(IID__Base64, dispatchTable()) {}

HRESULT Base64::Encode(BSTR /*Source*/, BSTR /*CharSet*/, BSTR* result)
{
    return notBuilt(result);
}

HRESULT Base64::EncodeFile(BSTR /*astrFile*/, BSTR* result)
{
    return notBuilt(result);
}

HRESULT Base64::Decode(BSTR* /*sInput*/, BSTR /*CharSet*/, BSTR* result)
{
    return notBuilt(result);
}

HRESULT Base64::DecodeToFile(BSTR* /*sInput*/, BSTR* /*sFileName*/)
{
    return notBuilt();
}

}  // namespace qdk::base64
