#include "LineSearch.h"

#include "ScratchDir.h"
#include "UnicodeCase.h"
#include "Utf8Char.h"
#include "Utf8Codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include <sys/stat.h>

namespace orv::txtfile {
namespace {

using text::decodeBytes;

constexpr LineMatch kAllModes[] = {LineMatch::Contains, LineMatch::ContainsIgnoringCase, LineMatch::Equals};

// Buffers from the smallest to the default, so that boundaries fall everywhere in small files.
const std::size_t kBufferSizes[] = {4, 5, 6, 7, 8, 9, 11, 13, 16, 23, 32, 64, kLineSearchBufferSize};

std::string modeName(LineMatch how)
{
    switch (how) {
    case LineMatch::Contains: return "Contains";
    case LineMatch::ContainsIgnoringCase: return "ContainsIgnoringCase";
    case LineMatch::Equals: return "Equals";
    }
    return "?";
}

// A result as one comparable value: the line number, or 0 for none, and the line.
using Result = std::pair<std::int64_t, std::u16string>;

Result summary(const std::optional<FoundLine>& found)
{
    if (!found) return {0, u""};
    return {found->number, found->text};
}

// Line by line, the way the search is defined, without any of its streaming.
Result referenceSearch(const std::string& bytes, std::u16string_view needle, LineMatch how)
{
    if (needle.find_first_of(u"\r\n") != std::u16string_view::npos) return {0, u""};
    const bool lower = how == LineMatch::ContainsIgnoringCase;
    const std::u16string wanted = lower ? text::toLower(needle) : std::u16string(needle);
    std::int64_t number = 0;
    for (std::size_t begin = 0; begin < bytes.size();) {
        std::size_t end = bytes.find_first_of("\r\n", begin);
        if (end == std::string::npos) end = bytes.size();
        const std::u16string line = decodeBytes(std::string_view(bytes).substr(begin, end - begin));
        ++number;
        const std::u16string compared = lower ? text::toLower(line) : line;
        bool match;
        if (how == LineMatch::Equals) {
            match = line == wanted;
        } else if (wanted.empty()) {
            match = !line.empty();
        } else {
            match = false;
            // A match must not begin or end inside a surrogate pair.
            const auto splitsPair = [&](std::size_t i) {
                return i > 0 && i < compared.size() && text::isHighSurrogate(compared[i - 1]) &&
                       text::isLowSurrogate(compared[i]);
            };
            for (auto at = compared.find(wanted); at != std::u16string::npos && !match; at = compared.find(wanted, at + 1))
                match = !splitsPair(at) && !splitsPair(at + wanted.size());
        }
        if (match) return {number, line};
        const bool crLf = end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n';
        begin = end + (crLf ? 2 : 1);
    }
    return {0, u""};
}

class LineSearchTest : public ::testing::Test {
protected:
    std::string write(const std::string& bytes) { return scratch.write("search.log", bytes).string(); }

    // Searches in every mode that the row names with every buffer size and expects the same result.
    void expectFound(const std::string& bytes, std::u16string_view needle, LineMatch how, std::int64_t number,
                     std::u16string_view line)
    {
        const std::string path = write(bytes);
        for (const std::size_t bufferSize : kBufferSizes) {
            SCOPED_TRACE("buffer " + std::to_string(bufferSize) + ", " + modeName(how));
            EXPECT_EQ(summary(findFirstLine(path, needle, how, bufferSize)), Result(number, line));
        }
    }

    orv::test::ScratchDir scratch;
};

TEST_F(LineSearchTest, FindsTheFirstMatchingLineInEachMode)
{
    const std::string threeLines = "alpha\r\nBeta\r\nbeta\r\n";
    expectFound(threeLines, u"beta", LineMatch::Contains, 3, u"beta");
    expectFound(threeLines, u"beta", LineMatch::ContainsIgnoringCase, 2, u"Beta");
    expectFound(threeLines, u"et", LineMatch::Contains, 2, u"Beta");
    expectFound(threeLines, u"beta", LineMatch::Equals, 3, u"beta");
    expectFound(threeLines, u"bet", LineMatch::Equals, 0, u"");
    expectFound(threeLines, u"BETA", LineMatch::Equals, 0, u"");
    expectFound("one\r\nmatch A\r\nmatch B\r\nmatch A\r\n", u"match", LineMatch::Contains, 2, u"match A");
}

TEST_F(LineSearchTest, SplitsLinesAtEveryKindOfTerminator)
{
    const std::string mixed = "a\rb\nc\r\nd\r\r\ne";
    expectFound(mixed, u"b", LineMatch::Contains, 2, u"b");
    expectFound(mixed, u"d", LineMatch::Equals, 4, u"d");
    expectFound(mixed, u"", LineMatch::Equals, 5, u"");
    expectFound(mixed, u"e", LineMatch::Contains, 6, u"e");
    expectFound("\r\n\n\rz", u"", LineMatch::Contains, 4, u"z");
    expectFound("\r\n\n\rz", u"", LineMatch::Equals, 1, u"");
    // A terminator at the end does not start another, empty line.
    expectFound("a\r\n", u"", LineMatch::Equals, 0, u"");
    expectFound("a\r", u"", LineMatch::Equals, 0, u"");
    expectFound("a\r\n\r\n", u"", LineMatch::Equals, 2, u"");
    expectFound("a\r\nb", u"a\r\nb", LineMatch::Contains, 0, u"");
    expectFound("a\r\nb", u"\n", LineMatch::Contains, 0, u"");
}

TEST_F(LineSearchTest, EmptyFilesAndMissingFilesHoldNoLine)
{
    const std::string empty = write("");
    const std::string missing = (scratch / "missing.log").string();
    for (const LineMatch how : kAllModes) {
        for (const std::u16string_view needle : {u"", u"x"}) {
            EXPECT_FALSE(findFirstLine(empty, needle, how));
            EXPECT_FALSE(findFirstLine(missing, needle, how));
        }
    }
}

TEST_F(LineSearchTest, IgnoresLetterCaseBeyondAscii)
{
    // The line comes back as it stands in the file, whatever the lowered form looked like.
    const std::string lines = "GR\xC3\x96\xC3\x9F" "E\r\n\xCE\xA3\xCE\x9F\xCE\xA6\xCE\x99\xCE\x91\r\n"
                              "\xD0\x9C\xD0\x9E\xD0\xA1\xD0\x9A\xD0\x92\xD0\x90\r\n\xE2\x84\xAA" "elvin\r\n"
                              "\xC4\xB0stanbul \xC8\xBA\xC8\xBA" "x\r\n\xF0\x90\x90\x80\r\n";
    expectFound(lines, u"größe", LineMatch::ContainsIgnoringCase, 1, u"GRÖßE");
    expectFound(lines, u"σοφια", LineMatch::ContainsIgnoringCase, 2, u"ΣΟΦΙΑ");
    expectFound(lines, u"Москва", LineMatch::ContainsIgnoringCase, 3, u"МОСКВА");
    expectFound(lines, u"KELVIN", LineMatch::ContainsIgnoringCase, 4, u"\u212Aelvin");
    expectFound(lines, u"istanbul ⱥⱥX", LineMatch::ContainsIgnoringCase, 5, u"\u0130stanbul ȺȺx");
    expectFound(lines, u"\U00010428", LineMatch::ContainsIgnoringCase, 6, u"\U00010400");
    expectFound(lines, u"größe", LineMatch::Contains, 0, u"");
    expectFound("kelvin\r\n", u"\u212A", LineMatch::ContainsIgnoringCase, 1, u"kelvin");
}

TEST_F(LineSearchTest, MatchesInvalidBytesByTheirTextForms)
{
    const std::string lines = "caf\xC3\xA9\r\n\xF0\x90\x82\x80\r\n\xFFname\x80\r\n";
    expectFound(lines, u"\xDCFF" u"name", LineMatch::Contains, 3, u"\xDCFF" u"name\xDC80");
    expectFound(lines, u"\xDCFF" u"NAME\xDC80", LineMatch::ContainsIgnoringCase, 3, u"\xDCFF" u"name\xDC80");
    expectFound(lines, u"\xDCFF" u"name\xDC80", LineMatch::Equals, 3, u"\xDCFF" u"name\xDC80");
    // Byte forms never match the bytes of a valid character, alone or together.
    expectFound(lines, u"\xDCA9", LineMatch::Contains, 0, u"");
    expectFound(lines, u"caf\xDCC3\xDCA9", LineMatch::Contains, 0, u"");
    expectFound(lines, u"\xDC80", LineMatch::Contains, 3, u"\xDCFF" u"name\xDC80");
    // Neither does a half of the surrogate pair that stands for a character.
    expectFound(lines, u"\xD800", LineMatch::Contains, 0, u"");
}

TEST_F(LineSearchTest, CountsLinesAcrossManyBuffers)
{
    std::string bytes;
    for (int i = 0; bytes.size() < 3 * kLineSearchBufferSize; ++i)
        bytes += "2031-01-02 10:00:00\tFile\tCreated\t/home/user/\tfile" + std::to_string(i) + ".txt\t\r\n";
    const std::int64_t before = std::count(bytes.begin(), bytes.end(), '\n');
    const std::size_t matchAt = bytes.size();
    bytes += "2031-01-02 10:00:01\tFolder\tDeleted\t/home/user/\tNeedle\t\r\nlast\r\n";
    const std::string path = write(bytes);
    const std::u16string line = u"2031-01-02 10:00:01\tFolder\tDeleted\t/home/user/\tNeedle\t";
    const Result expected(before + 1, line);
    for (const LineMatch how : kAllModes) {
        const std::u16string needle = how == LineMatch::Equals                 ? line
                                      : how == LineMatch::ContainsIgnoringCase ? u"deleted\t/home/USER/\tneedle"
                                                                               : u"Deleted\t/home/user/\tNeedle";
        SCOPED_TRACE(modeName(how));
        EXPECT_EQ(summary(findFirstLine(path, needle, how)), expected);
        // Buffers that end at every place in and around the matching line.
        for (std::size_t size = matchAt - 70; size < matchAt + 70; size += 3)
            EXPECT_EQ(summary(findFirstLine(path, needle, how, size)), expected) << "buffer " << size;
    }
}

TEST_F(LineSearchTest, FindsMatchesInLinesLongerThanTheBuffer)
{
    std::string bytes = "short\r\n";
    bytes.append(2 * kLineSearchBufferSize + 17, 'x');
    bytes += "\xE2\x84\xAA" "ey";
    const std::string path = write(bytes + "\r\nafter\r\n");
    const std::u16string longLine = decodeBytes(bytes.substr(7));
    EXPECT_EQ(summary(findFirstLine(path, u"xK", LineMatch::ContainsIgnoringCase)), Result(2, longLine));
    EXPECT_EQ(summary(findFirstLine(path, u"x\u212A", LineMatch::Contains)), Result(2, longLine));
    EXPECT_EQ(summary(findFirstLine(path, u"after", LineMatch::Contains, 4096)), Result(3, u"after"));
    EXPECT_EQ(summary(findFirstLine(path, u"xy", LineMatch::Contains)), Result(0, u""));
}

// The search looks first for the pattern's byte that is rarest at the start of the file; here that
// byte becomes common later, so the search changes its way near the match.
TEST_F(LineSearchTest, FindsMatchesWhereAByteRareAtTheStartBecomesCommon)
{
    for (std::size_t run = 1000; run < 1300; ++run) {
        const std::string path = write(std::string(70000, 'a') + "\n" + std::string(run, 'z') + "q\nend\n");
        EXPECT_EQ(summary(findFirstLine(path, u"zq", LineMatch::Contains)), Result(2, std::u16string(run, u'z') + u"q"))
            << run;
    }
}

TEST_F(LineSearchTest, GivesNothingForWhatIsNotARegularFileOrCannotBeRead)
{
    const std::string folder = (scratch / "folder").string();
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    // Opening a FIFO must not wait for a writer.
    const std::string fifo = (scratch / "fifo").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string file = write("x\r\n");
    const std::string withNul = file + std::string(1, '\0') + "ignored";
    // The kernel refuses to read at address 0 of the process's own memory.
    for (const std::string& path : {folder, fifo, withNul, std::string("/proc/self/mem"), std::string()}) {
        for (const LineMatch how : kAllModes) EXPECT_FALSE(findFirstLine(path, u"", how)) << path;
    }
    EXPECT_TRUE(findFirstLine(file, u"", LineMatch::Contains));
}

// Random files and needles made of pieces that stress terminators, invalid bytes, characters whose
// lower form has another length, and buffer boundaries, against the line-by-line definition.
TEST_F(LineSearchTest, AgreesWithLineByLineSearchOnRandomFiles)
{
    static const std::string_view pieces[] = {
        "a", "b", "ab", "A", "B", "k", "K", "\xE2\x84\xAA", "\xC4\xB0", "i", "\xC8\xBA", "\xE2\xB1\xA5", "\xC3\xA9",
        "\xC3\x89", "\xC3", "\xA9", "\xE2\x84", "\xFF", "\xF0\x90\x82\x80", "\xF0\x90\x90\x80", "\r", "\n", "\r\n"};
    std::mt19937 random(31337);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1), fileLength(0, 60), needleLength(0, 4),
        bufferSize(4, 24);
    for (int round = 0; round < 1500; ++round) {
        std::string bytes;
        for (std::size_t n = fileLength(random); n > 0; --n) bytes += pieces[piece(random)];
        const std::string path = write(bytes);
        for (int attempt = 0; attempt < 6; ++attempt) {
            std::string needleBytes;
            for (std::size_t n = needleLength(random); n > 0; --n) needleBytes += pieces[piece(random)];
            std::u16string needle = decodeBytes(needleBytes);
            // Now and then every non-ASCII byte in its byte form, even where the bytes together
            // make a valid character.
            if (attempt == 5) {
                needle.clear();
                for (const unsigned char b : needleBytes) needle += static_cast<char16_t>(b < 0x80 ? b : 0xDC00 + b);
            }
            for (const LineMatch how : kAllModes) {
                const std::size_t size = bufferSize(random);
                ASSERT_EQ(summary(findFirstLine(path, needle, how, size)), referenceSearch(bytes, needle, how))
                    << modeName(how) << ", buffer " << size << ", file " << ::testing::PrintToString(bytes)
                    << ", needle " << ::testing::PrintToString(needle);
            }
        }
    }
}

}  // namespace
}  // namespace orv::txtfile
