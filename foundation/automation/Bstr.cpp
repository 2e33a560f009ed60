// Texts: one malloc block of [32-bit byte length][UTF-16 characters][NUL], handed out as a
// pointer to the first character.
#include <qdk_orv/automation.h>

#include <cstdlib>
#include <cstring>

namespace {

BSTR allocateBytes(const void* bytes, UINT byteLength)
{
    // Overflow of the block size on 32-bit lengths cannot happen in a 64-bit size_t.
    auto* block = static_cast<char*>(std::malloc(sizeof(std::uint32_t) + byteLength + 2));
    if (!block) return nullptr;
    const std::uint32_t length = byteLength;
    std::memcpy(block, &length, sizeof length);
    char* text = block + sizeof length;
    if (bytes)
        std::memcpy(text, bytes, byteLength);
    else
        std::memset(text, 0, byteLength);
    text[byteLength] = 0;
    text[byteLength + 1] = 0;
    return reinterpret_cast<BSTR>(text);
}

UINT lengthOf(const OLECHAR* text)
{
    UINT n = 0;
    while (text[n]) ++n;
    return n;
}

}  // namespace

BSTR SysAllocString(const OLECHAR* text)
{
    if (!text) return nullptr;
    return SysAllocStringLen(text, lengthOf(text));
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length)
{
    if (length > (0xFFFFFFFFu - 8) / sizeof(OLECHAR)) return nullptr;
    return allocateBytes(text, length * static_cast<UINT>(sizeof(OLECHAR)));
}

BSTR SysAllocStringByteLen(const char* bytes, UINT length)
{
    if (length > 0xFFFFFFFFu - 8) return nullptr;
    return allocateBytes(bytes, length);
}

int SysReAllocString(BSTR* target, const OLECHAR* text)
{
    if (!target) return 0;
    BSTR copy = SysAllocString(text);
    if (text && !copy) return 0;
    SysFreeString(*target);
    *target = copy;
    return 1;
}

void SysFreeString(BSTR text)
{
    if (text) std::free(reinterpret_cast<char*>(text) - sizeof(std::uint32_t));
}

UINT SysStringByteLen(BSTR text)
{
    if (!text) return 0;
    std::uint32_t length;
    std::memcpy(&length, reinterpret_cast<const char*>(text) - sizeof length, sizeof length);
    return length;
}

UINT SysStringLen(BSTR text)
{
    return SysStringByteLen(text) / sizeof(OLECHAR);
}
