#pragma once

#include <qdk_orv/automation.h>

#include <string>
#include <string_view>

namespace qdk::frame {

// A null BSTR is the empty text.
inline std::u16string_view viewOf(BSTR text) { return text ? std::u16string_view(text, SysStringLen(text)) : std::u16string_view(); }

// A new text for the caller; throws std::bad_alloc when there is no memory for it.
BSTR makeBstr(std::u16string_view text);

// Stores a new text into *target, freeing what was there.
void assign(BSTR* target, std::u16string_view text);

// The bytes of a Linux path or file content that a text stands for, and back (lossless).
std::string bytesOf(BSTR text);
BSTR bstrOfBytes(std::string_view bytes);

}  // namespace qdk::frame
