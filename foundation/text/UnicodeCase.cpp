#include "UnicodeCase.h"

#include "Utf8Char.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace orv::text {
namespace {

// Every stride-th code point of first..last lowers to itself plus delta.
struct LowerRun {
    char32_t first;
    char32_t last;
    std::int32_t delta;
    std::uint8_t stride;
};

constexpr LowerRun kLowerRuns[] = {
#include "UnicodeLowerTable.inc"
};

// Characters of one or two UTF-8 bytes (Latin, Greek, Cyrillic, ...) are looked up directly.
constexpr char32_t kDirectLimit = 0x800;
constexpr auto kDirectDeltas = [] {
    std::array<std::int16_t, kDirectLimit> deltas{};
    for (const LowerRun& run : kLowerRuns) {
        for (char32_t c = run.first; c <= run.last && c < kDirectLimit; c += run.stride) {
            // The table is built while compiling, where a throw stops the build.
            if (run.delta < INT16_MIN || run.delta > INT16_MAX) throw "a delta below U+0800 needs more than 16 bits";
            deltas[c] = static_cast<std::int16_t>(run.delta);
        }
    }
    return deltas;
}();

// A loop of fixed length through a local block (the compiler cannot tell whether `p` and `out`
// overlap), so that it becomes vector instructions.
void lowerAsciiBlock(const unsigned char* p, unsigned char* out)
{
    unsigned char lowered[kAsciiBlock];
    for (std::size_t i = 0; i < kAsciiBlock; ++i) {
        const unsigned char b = p[i];
        lowered[i] = static_cast<unsigned char>(b | (static_cast<unsigned char>(b - 'A') < 26) << 5);
    }
    std::memcpy(out, lowered, kAsciiBlock);
}

char32_t lowerByRuns(char32_t c)
{
    const auto after = std::upper_bound(std::begin(kLowerRuns), std::end(kLowerRuns), c,
                                        [](char32_t v, const LowerRun& run) { return v < run.first; });
    if (after == std::begin(kLowerRuns)) return c;
    const LowerRun& run = *std::prev(after);
    if (c > run.last || (c - run.first) % run.stride != 0) return c;
    return static_cast<char32_t>(static_cast<std::int32_t>(c) + run.delta);
}

}  // namespace

char32_t toLower(char32_t c)
{
    if (c < kDirectLimit) return static_cast<char32_t>(static_cast<std::int32_t>(c) + kDirectDeltas[c]);
    return lowerByRuns(c);
}

std::u16string toLower(std::u16string_view text)
{
    std::u16string lowered;
    lowered.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t u = text[i];
        char16_t units[2];
        if (isHighSurrogate(u) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            lowered.append(units, writeUtf16Char(toLower(combineSurrogates(u, text[i + 1])), units));
            ++i;
        } else if (isHighSurrogate(u) || isLowSurrogate(u)) {
            lowered += u;
        } else {
            lowered.append(units, writeUtf16Char(toLower(char32_t(u)), units));
        }
    }
    return lowered;
}

Utf8LowerResult lowerUtf8(std::string_view input, char* out, std::size_t outSize, bool inputEnds,
                          std::vector<Utf8LengthChange>& changes)
{
    const auto begin = reinterpret_cast<const unsigned char*>(input.data());
    const auto end = begin + input.size();
    const auto outBegin = reinterpret_cast<unsigned char*>(out);
    const auto outEnd = outBegin + outSize;
    auto p = begin;
    auto o = outBegin;
    while (p < end) {
        if (static_cast<std::size_t>(end - p) >= kAsciiBlock && static_cast<std::size_t>(outEnd - o) >= kAsciiBlock) {
            lowerAsciiBlock(p, o);
            const std::size_t ascii = asciiPrefix(p);
            p += ascii;
            o += ascii;
            if (ascii == kAsciiBlock) continue;
        }
        const Utf8Char c = readUtf8Char(p, end);
        if (c.truncated && !inputEnds) break;
        if (c.length == 0) {
            if (o == outEnd) break;
            *o++ = *p++;
            continue;
        }
        const char32_t lowered = toLower(c.codePoint);
        const std::size_t length = utf8Length(lowered);
        if (static_cast<std::size_t>(outEnd - o) < length) break;
        writeUtf8Char(lowered, reinterpret_cast<char*>(o));
        p += c.length;
        o += length;
        if (length != c.length)
            changes.push_back({static_cast<std::size_t>(p - begin), static_cast<std::size_t>(o - outBegin)});
    }
    return {static_cast<std::size_t>(p - begin), static_cast<std::size_t>(o - outBegin)};
}

}  // namespace orv::text
