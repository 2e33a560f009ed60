#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Single characters in UTF-8 and UTF-16, the steps that decoding, encoding and lower-casing share.
namespace orv::text {

// The character that a UTF-8 sequence at the start of some bytes encodes.
struct Utf8Char {
    char32_t codePoint = 0;   // meaningful when length > 0
    std::uint8_t length = 0;  // 1 to 4; 0 when the first byte starts no valid sequence
    bool truncated = false;   // length is 0 only because the bytes end inside a valid beginning
};

// Reads the character at `p` (p < end) under the strict rules of decodeBytes (Utf8Codec.h).
inline Utf8Char readUtf8Char(const unsigned char* p, const unsigned char* end)
{
    const unsigned char lead = p[0];
    if (lead < 0x80) return {lead, 1, false};
    std::size_t length;
    unsigned char secondMin = 0x80, secondMax = 0xBF;
    if (lead < 0xC2) {
        return {};  // a continuation byte, or the lead of an overlong two-byte form
    } else if (lead < 0xE0) {
        length = 2;
    } else if (lead < 0xF0) {
        length = 3;
        if (lead == 0xE0) secondMin = 0xA0;       // overlong
        else if (lead == 0xED) secondMax = 0x9F;  // surrogates
    } else if (lead < 0xF5) {
        length = 4;
        if (lead == 0xF0) secondMin = 0x90;       // overlong
        else if (lead == 0xF4) secondMax = 0x8F;  // above U+10FFFF
    } else {
        return {};
    }
    char32_t c = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if (p + i == end) return {0, 0, true};
        const unsigned char b = p[i];
        const unsigned char min = i == 1 ? secondMin : 0x80;
        const unsigned char max = i == 1 ? secondMax : 0xBF;
        if (b < min || b > max) return {};
        c = (c << 6) | (b & 0x3F);
    }
    return {c, static_cast<std::uint8_t>(length), false};
}

// Writes the UTF-8 form of the scalar value `c` (not a surrogate) at `out`; returns its length.
inline std::size_t writeUtf8Char(char32_t c, char* out)
{
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (c >> 12));
        out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (c >> 18));
    out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (c & 0x3F));
    return 4;
}

inline constexpr std::size_t kAsciiBlock = 32;

// How many of the kAsciiBlock bytes at `p` are ASCII before the first that is not: lets the fast
// paths of decoding and lower-casing go through text that is mostly ASCII a block at a time.
inline std::size_t asciiPrefix(const unsigned char* p)
{
    constexpr std::uint64_t highBits = 0x8080808080808080;
    for (std::size_t i = 0; i < kAsciiBlock; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, p + i, 8);
        if (const std::uint64_t high = word & highBits) {
            const int bit = std::endian::native == std::endian::little ? std::countr_zero(high) : std::countl_zero(high);
            return i + static_cast<std::size_t>(bit / 8);
        }
    }
    return kAsciiBlock;
}

inline std::size_t utf8Length(char32_t c)
{
    return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

inline bool isHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
inline bool isLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

inline char32_t combineSurrogates(char16_t high, char16_t low)
{
    return 0x10000 + ((char32_t(high) - 0xD800) << 10) + (char32_t(low) - 0xDC00);
}

// Writes the scalar value `c` as one or two UTF-16 units at `out`; returns their number.
inline std::size_t writeUtf16Char(char32_t c, char16_t* out)
{
    if (c < 0x10000) {
        out[0] = static_cast<char16_t>(c);
        return 1;
    }
    out[0] = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
    out[1] = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    return 2;
}

}  // namespace orv::text
