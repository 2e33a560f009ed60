#pragma once

#include "APIFuns.h"
#include "Utf8Codec.h"

#include <qdk_orv/com_ptr.h>

#include <optional>
#include <string>
#include <string_view>

namespace orv::test {

// ReadIni and WriteIni of one APIFuns object with texts given as bytes, the way Linux paths are.
class IniCalls {
public:
    IniCalls() : api_(qdk::ComPtr<_APIFuns>::adopt(new qdk::apifuns::APIFuns())) {}

    static qdk::Bstr text(std::string_view bytes) { return qdk::Bstr(orv::text::decodeBytes(bytes)); }

    // The value's bytes; nothing when the call failed.
    std::optional<std::string> read(const std::string& file, std::string_view section, std::string_view key) const
    {
        qdk::Bstr value;
        if (FAILED(api_->ReadIni(text(file).get(), text(section).get(), text(key).get(), value.put()))) return {};
        return orv::text::encodeText(value.view());
    }

    HRESULT write(const std::string& file, std::string_view section, std::string_view key, std::string_view value) const
    {
        qdk::Bstr f = text(file), s = text(section), k = text(key), v = text(value);
        return api_->WriteIni(f.slot(), s.slot(), k.slot(), v.slot());
    }

    _APIFuns* api() const { return api_.get(); }

private:
    qdk::ComPtr<_APIFuns> api_;
};

}  // namespace orv::test
