#include "Utf8Codec.h"

#include <gtest/gtest.h>

#include <random>

namespace orv::text {
namespace {

struct DecodeRow {
    const char* what;
    std::string bytes;
    std::u16string text;
};

const DecodeRow kDecodeRows[] = {
    {"empty", "", u""},
    {"ascii", "report.txt", u"report.txt"},
    {"two-byte character", "caf\xC3\xA9", u"caf\u00E9"},
    {"three-byte character", "\xE2\x82\xAC", u"\u20AC"},
    {"four-byte character becomes a surrogate pair", "\xF0\x9F\x98\x80", u"\U0001F600"},
    {"last scalar value", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
    {"last value before the surrogates", "\xED\x9F\xBF", u"\uD7FF"},
    {"lone continuation bytes", "\x80\xBF", u"\xDC80\xDCBF"},
    {"bytes that never occur in UTF-8", "\xC0\xC1\xF5\xFE\xFF", u"\xDCC0\xDCC1\xDCF5\xDCFE\xDCFF"},
    {"overlong two-byte NUL", std::string("\xC0\x80", 2), u"\xDCC0\xDC80"},
    {"overlong three-byte NUL", "\xE0\x80\x80", u"\xDCE0\xDC80\xDC80"},
    {"overlong three-byte form of U+07FF", "\xE0\x9F\xBF", u"\xDCE0\xDC9F\xDCBF"},
    {"overlong four-byte NUL", "\xF0\x80\x80\x80", u"\xDCF0\xDC80\xDC80\xDC80"},
    {"encoded high surrogate", "\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"},
    {"encoded low surrogate", "\xED\xBF\xBF", u"\xDCED\xDCBF\xDCBF"},
    {"above U+10FFFF", "\xF4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80"},
    {"truncated two-byte at the end", "a\xC3", u"a\xDCC3"},
    {"truncated three-byte at the end", "a\xE2\x82", u"a\xDCE2\xDC82"},
    {"truncated four-byte at the end", "\xF0\x9F\x98", u"\xDCF0\xDC9F\xDC98"},
    {"truncated sequence before ASCII", "\xE2\x82x", u"\xDCE2\xDC82x"},
    {"truncated sequence before a valid one", "\xE2\xC3\xA9", u"\xDCE2\u00E9"},
    {"Latin-1 name", "Gr\xF6\xDF" "e.txt", u"Gr\xDCF6\xDCDF" "e.txt"},
    {"binary name without NUL", "\x01\x1B[\x7F\x80\tx\xFE\xC2\xA0", u"\x01\x1B[\x7F\xDC80\tx\xDCFE\u00A0"},
    {"invalid byte inside a long ASCII run",
     "0123456789abcdef0123456789\xFF" "abcdef0123456789abcdef",
     u"0123456789abcdef0123456789\xDCFF" "abcdef0123456789abcdef"},
    {"non-ASCII at the end of a long ASCII run", "0123456789abcdef0123456789abcde\xC3\xA9",
     u"0123456789abcdef0123456789abcde\u00E9"},
};

TEST(Utf8Codec, DecodesStrictlyAndEncodesBackEveryRow)
{
    for (const auto& row : kDecodeRows) {
        SCOPED_TRACE(row.what);
        const std::u16string text = decodeBytes(row.bytes);
        EXPECT_EQ(text, row.text);
        EXPECT_EQ(encodeText(text), row.bytes);
    }
}

TEST(Utf8Codec, RoundTripsRandomBytes)
{
    // Bytes near the edges of the valid ranges make invalid and valid sequences alike.
    static const unsigned char edges[] = {0x00, 0x0A, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0,
                                          0xC1, 0xC2, 0xDF, 0xE0, 0xE1, 0xED, 0xEE, 0xEF, 0xF0, 0xF1, 0xF4,
                                          0xF5, 0xFF};
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> length(0, 48), kind(0, 2), anyByte(0, 255);
    std::uniform_int_distribution<std::size_t> edge(0, std::size(edges) - 1);
    for (int round = 0; round < 200000; ++round) {
        std::string bytes(static_cast<std::size_t>(length(random)), '\0');
        for (char& b : bytes) {
            const int k = kind(random);
            b = static_cast<char>(k == 0 ? edges[edge(random)] : k == 1 ? 0x80 + anyByte(random) % 64 : anyByte(random));
        }
        const std::u16string text = decodeBytes(bytes);
        ASSERT_EQ(encodeText(text), bytes);
    }
}

TEST(Utf8Codec, EncodesSurrogatesThatNoBytesGiveAsReplacementCharacter)
{
    const struct {
        const char* what;
        std::u16string text;
        std::string bytes;
    } rows[] = {
        {"lone high surrogate", u"a\xD800z", "a\xEF\xBF\xBDz"},
        {"high surrogate at the end", u"a\xDBFF", "a\xEF\xBF\xBD"},
        {"low surrogate below the byte forms", u"\xDC00\xDC7F", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"low surrogate above the byte forms", u"\xDD00\xDFFF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"two high surrogates before a low one", u"\xD83D\xD83D\xDE00", "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
        // A pair is a pair, even when its low half lies in the range of the byte forms.
        {"pair whose low half is a byte form", u"\xD800\xDC80", "\xF0\x90\x82\x80"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(encodeText(row.text), row.bytes);
    }
}

}  // namespace
}  // namespace orv::text
