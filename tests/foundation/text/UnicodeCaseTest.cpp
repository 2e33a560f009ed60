#include "UnicodeCase.h"

#include "Utf8Codec.h"

#include <gtest/gtest.h>

#include <random>

namespace orv::text {
namespace {

TEST(UnicodeCase, LowersEveryScriptOneCharacterToOne)
{
    const struct {
        char32_t upper;
        char32_t lower;
    } rows[] = {
        {U'A', U'a'}, {U'Z', U'z'}, {U'a', U'a'}, {U'@', U'@'}, {U'[', U'['},
        {U'I', U'i'},            // no Turkish dotless i: the mapping does not depend on a locale
        {0x00C4, 0x00E4},        // Ä
        {0x00DF, 0x00DF},        // ß has no simple upper or lower form of its own
        {0x1E9E, 0x00DF},        // capital sharp s
        {0x0100, 0x0101},        // a run of alternating pairs ...
        {0x0101, 0x0101},        // ... whose lower halves stay
        {0x03A3, 0x03C3},        // capital sigma gives the medial form, wherever it stands
        {0x03C2, 0x03C2},        // final sigma stays
        {0x2126, 0x03C9},        // Ohm sign
        {0x0414, 0x0434},        // Cyrillic De
        {0x0401, 0x0451},        // Cyrillic Io
        {0x13A0, 0xAB70},        // Cherokee
        {0x212A, U'k'},          // Kelvin sign
        {0x0130, U'i'},          // capital I with dot above: its full lower case is two characters
        {0x023A, 0x2C65},        // a lower form that is longer in UTF-8
        {0x10400, 0x10428},      // Deseret, beyond the first plane
        {0x1E921, 0x1E943},      // Adlam, the last cased letters
        {0x00B5, 0x00B5}, {0x10FFFF, 0x10FFFF}, {U'7', U'7'},
    };
    for (const auto& row : rows)
        EXPECT_EQ(toLower(row.upper), row.lower) << std::hex << "U+" << static_cast<std::uint32_t>(row.upper);
}

TEST(UnicodeCase, LowersTexts)
{
    const struct {
        std::u16string text;
        std::u16string lower;
    } rows[] = {
        {u"", u""},
        {u"Report FINAL.TXT", u"report final.txt"},
        {u"STRASSE Straße GRÖSSE", u"strasse straße grösse"},
        {u"ΟΔΥΣΣΕΥΣ", u"οδυσσευσ"},
        {u"МОСКВА Ёлка", u"москва ёлка"},
        {u"\u212Aelvin \u0130stanbul", u"kelvin istanbul"},
        {u"\U00010400\U00010401x", u"\U00010428\U00010429x"},
        {u"A\xD801" u"B\xDC80" u"C\xDC00", u"a\xD801" u"b\xDC80" u"c\xDC00"},
    };
    for (const auto& row : rows) EXPECT_EQ(toLower(row.text), row.lower);
}

std::string lowerAll(std::string_view bytes, std::vector<Utf8LengthChange>& changes)
{
    std::string out(bytes.size() * 2 + 4, '\0');
    const auto result = lowerUtf8(bytes, out.data(), out.size(), true, changes);
    EXPECT_EQ(result.consumed, bytes.size());
    out.resize(result.produced);
    return out;
}

TEST(UnicodeCase, LowersUtf8BytesAsTheirText)
{
    const std::string rows[] = {
        "",
        "ABC def 0123456789 ABCDEFGHIJKLMNOPQRSTUVWXYZ [\\]^_`{|}~",
        "GR\xC3\x96\xC3\x9F" "E \xE2\x84\xAA" "ELVIN \xC4\xB0 \xC8\xBA",
        "\xF0\x90\x90\x80 \xCE\xA3\xCE\x9F\xCE\xA6\xCE\x99\xCE\x91",
        "\xFF\xC3(ABC\xE2\x84 \xED\xA0\x80 \xC0\x80 \xF4\x90\x80\x80 Z",
        "\xC3",
    };
    for (const auto& bytes : rows) {
        std::vector<Utf8LengthChange> changes;
        EXPECT_EQ(lowerAll(bytes, changes), encodeText(toLower(decodeBytes(bytes))));
    }
}

// A stream lowered piece by piece, with little room for the output, gives the same bytes as when
// lowered at once, and every reported length change lies where lowering the input up to it ends.
TEST(UnicodeCase, LowersUtf8StreamsPieceByPiece)
{
    static const std::string_view pieces[] = {"A", "z", "\xE2\x84\xAA", "\xC4\xB0", "\xC8\xBA", "\xC3\x84",
                                              "\xF0\x90\x90\x80", "\xE2", "\x84", "\xFF", "\xC3", "\n"};
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1), count(0, 40), step(1, 9);
    for (int round = 0; round < 20000; ++round) {
        std::string input;
        for (std::size_t n = count(random); n > 0; --n) input += pieces[piece(random)];
        std::vector<Utf8LengthChange> wholeChanges;
        const std::string whole = lowerAll(input, wholeChanges);

        std::string streamed;
        std::vector<Utf8LengthChange> changes;
        std::size_t available = 0, consumed = 0;
        while (consumed < input.size()) {
            available = std::min(input.size(), available + step(random));
            std::vector<Utf8LengthChange> pieceChanges;
            char room[12];
            const std::size_t roomSize = 4 + step(random) % 8;
            const auto result = lowerUtf8(std::string_view(input).substr(consumed, available - consumed), room, roomSize,
                                          available == input.size(), pieceChanges);
            for (const auto& change : pieceChanges)
                changes.push_back({consumed + change.input, streamed.size() + change.output});
            streamed.append(room, result.produced);
            consumed += result.consumed;
        }
        ASSERT_EQ(streamed, whole);
        ASSERT_EQ(changes.size(), wholeChanges.size());
        for (std::size_t i = 0; i < changes.size(); ++i) {
            ASSERT_EQ(changes[i].input, wholeChanges[i].input);
            ASSERT_EQ(changes[i].output, wholeChanges[i].output);
            std::vector<Utf8LengthChange> ignored;
            ASSERT_EQ(lowerAll(std::string_view(input).substr(0, changes[i].input), ignored).size(), changes[i].output);
        }
    }
}

}  // namespace
}  // namespace orv::text
