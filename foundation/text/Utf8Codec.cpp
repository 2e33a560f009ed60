#include "Utf8Codec.h"

#include "Utf8Char.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace orv::text {
namespace {

constexpr std::size_t kUnitBlock = 16;
constexpr char16_t kEscapeBase = 0xDC00;
constexpr char16_t kReplacement = 0xFFFD;

bool isByteEscape(char16_t u) { return u >= 0xDC80 && u <= 0xDCFF; }

// Runs of ASCII are converted a block at a time. The loops have a fixed length and go through a
// local block (the compiler cannot tell whether input and output overlap), so that they become
// vector instructions.
void widenAsciiBlock(const unsigned char* p, char16_t* out)
{
    char16_t wide[kAsciiBlock];
    for (std::size_t i = 0; i < kAsciiBlock; ++i) wide[i] = p[i];
    std::memcpy(out, wide, sizeof wide);
}

void narrowAsciiBlock(const char16_t* p, char* out)
{
    char narrow[kUnitBlock];
    for (std::size_t i = 0; i < kUnitBlock; ++i) narrow[i] = static_cast<char>(p[i]);
    std::memcpy(out, narrow, sizeof narrow);
}

// How many of the kUnitBlock units at `p` are ASCII before the first that is not.
std::size_t asciiPrefix(const char16_t* p)
{
    constexpr std::uint64_t nonAsciiBits = 0xFF80FF80FF80FF80;
    for (std::size_t i = 0; i < kUnitBlock; i += 4) {
        std::uint64_t word;
        std::memcpy(&word, p + i, 8);
        if (const std::uint64_t high = word & nonAsciiBits) {
            const int bit = std::endian::native == std::endian::little ? std::countr_zero(high) : std::countl_zero(high);
            return i + static_cast<std::size_t>(bit / 16);
        }
    }
    return kUnitBlock;
}

}  // namespace

std::u16string decodeBytes(std::string_view bytes)
{
    // Every byte gives at most one UTF-16 unit (four bytes give two).
    std::u16string text(bytes.size(), u'\0');
    auto p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto end = p + bytes.size();
    char16_t* out = text.data();
    while (p < end) {
        if (static_cast<std::size_t>(end - p) >= kAsciiBlock) {
            widenAsciiBlock(p, out);
            const std::size_t ascii = asciiPrefix(p);
            p += ascii;
            out += ascii;
            if (ascii == kAsciiBlock) continue;
        }
        const Utf8Char c = readUtf8Char(p, end);
        if (c.length == 0) {
            *out++ = static_cast<char16_t>(kEscapeBase + *p++);
        } else {
            out += writeUtf16Char(c.codePoint, out);
            p += c.length;
        }
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
    return text;
}

std::string encodeText(std::u16string_view text)
{
    // Every UTF-16 unit gives at most three bytes (a surrogate pair gives four for two units).
    std::string bytes(text.size() * 3, '\0');
    const char16_t* p = text.data();
    const char16_t* const end = p + text.size();
    char* out = bytes.data();
    while (p < end) {
        if (static_cast<std::size_t>(end - p) >= kUnitBlock) {
            narrowAsciiBlock(p, out);
            const std::size_t ascii = asciiPrefix(p);
            p += ascii;
            out += ascii;
            if (ascii == kUnitBlock) continue;
        }
        const char16_t u = *p++;
        if (isHighSurrogate(u) && p < end && isLowSurrogate(*p)) {
            out += writeUtf8Char(combineSurrogates(u, *p++), out);
        } else if (isByteEscape(u)) {
            *out++ = static_cast<char>(u - kEscapeBase);
        } else if (isHighSurrogate(u) || isLowSurrogate(u)) {
            out += writeUtf8Char(kReplacement, out);
        } else {
            out += writeUtf8Char(u, out);
        }
    }
    bytes.resize(static_cast<std::size_t>(out - bytes.data()));
    return bytes;
}

}  // namespace orv::text
