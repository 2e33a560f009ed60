#include "BstrText.h"

#include "Utf8Codec.h"

#include <new>

namespace qdk::frame {

BSTR makeBstr(std::u16string_view text)
{
    BSTR made = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!made) throw std::bad_alloc();
    return made;
}

void assign(BSTR* target, std::u16string_view text)
{
    BSTR made = makeBstr(text);
    SysFreeString(*target);
    *target = made;
}

std::string bytesOf(BSTR text) { return orv::text::encodeText(viewOf(text)); }

BSTR bstrOfBytes(std::string_view bytes) { return makeBstr(orv::text::decodeBytes(bytes)); }

}  // namespace qdk::frame
