#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Finding the first line of a text file that matches a piece of text.
//
// Lines end at CR LF, LF or a lone CR; the terminator is not part of a line, a last line without
// one counts, and a file that ends in a terminator has no empty line after it. Line bytes are
// decoded with text::decodeBytes, so a needle finds invalid bytes by their U+DC80..U+DCFF forms.
//
// Contains: the needle occurs in the line, letter case significant. ContainsIgnoringCase: the same
// after both are lowered with text::toLower. An empty needle matches the first non-empty line in
// both. Equals: the whole line equals the needle, letter case significant; an empty needle matches
// the first empty line. A needle that holds CR or LF matches no line. Matches cover whole
// characters: a needle never matches half of a surrogate pair or a byte of a valid sequence.
//
// The file is streamed through a buffer of fixed size, so the memory used does not grow with the
// file, however long its lines are (beyond the text of the line that is found).
namespace orv::txtfile {

enum class LineMatch { Contains, ContainsIgnoringCase, Equals };

struct FoundLine {
    std::int64_t number;  // counts lines from 1
    std::u16string text;
};

inline constexpr std::size_t kLineSearchBufferSize = std::size_t{1} << 20;

// First line of the file at `path` (raw bytes of a Linux path) that matches `needle`; nothing
// when the file is missing, cannot be opened or read, is a directory, or no line matches. Anything
// but a regular file (a FIFO, a device) gives nothing as well, since reading it could wait or never
// end; so does a path that holds a NUL byte, which names no file.
std::optional<FoundLine> findFirstLine(const std::string& path, std::u16string_view needle, LineMatch how);

// The same with the size of the read buffer chosen (at least a few bytes are used), so that tests
// can put buffer boundaries where they want them.
std::optional<FoundLine> findFirstLine(const std::string& path, std::u16string_view needle, LineMatch how,
                                       std::size_t bufferSize);

}  // namespace orv::txtfile
