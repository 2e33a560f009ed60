#include <qdk_orv/automation.h>

#include <cstdio>

namespace {

int hexValue(OLECHAR c)
{
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// Reads `digits` hex digits at text[*at], advancing *at.
bool readHex(const OLECHAR* text, int* at, int digits, std::uint64_t* value)
{
    *value = 0;
    for (int i = 0; i < digits; ++i) {
        const int v = hexValue(text[*at]);
        if (v < 0) return false;
        *value = (*value << 4) | static_cast<std::uint64_t>(v);
        ++*at;
    }
    return true;
}

}  // namespace

int StringFromGUID2(REFIID guid, OLECHAR* buffer, int size)
{
    if (!buffer || size < 39) return 0;
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  guid.Data1, guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2],
                  guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    for (int i = 0; i < 39; ++i) buffer[i] = static_cast<OLECHAR>(text[i]);
    return 39;
}

HRESULT CLSIDFromString(const OLECHAR* text, CLSID* clsid)
{
    if (!text || !clsid) return E_INVALIDARG;
    int at = 0;
    const bool braced = text[0] == u'{';
    if (braced) ++at;
    std::uint64_t part[5];
    const int digits[5] = {8, 4, 4, 4, 12};
    for (int i = 0; i < 5; ++i) {
        if (i > 0 && text[at++] != u'-') return E_INVALIDARG;
        if (!readHex(text, &at, digits[i], &part[i])) return E_INVALIDARG;
    }
    if (braced && text[at++] != u'}') return E_INVALIDARG;
    if (text[at] != 0) return E_INVALIDARG;
    clsid->Data1 = static_cast<std::uint32_t>(part[0]);
    clsid->Data2 = static_cast<std::uint16_t>(part[1]);
    clsid->Data3 = static_cast<std::uint16_t>(part[2]);
    clsid->Data4[0] = static_cast<std::uint8_t>(part[3] >> 8);
    clsid->Data4[1] = static_cast<std::uint8_t>(part[3]);
    for (int i = 0; i < 6; ++i) clsid->Data4[2 + i] = static_cast<std::uint8_t>(part[4] >> (40 - 8 * i));
    return S_OK;
}
