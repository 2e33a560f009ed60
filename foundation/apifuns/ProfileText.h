#pragma once

#include <optional>
#include <string>
#include <string_view>

// Profile (INI) texts and the names and values in them as bytes (UTF-8): sections that start with a line "[name]" and hold entries
// "key=value" up to the next section line.
//
// - Section and key names are compared after text::toLower; the first matching section and,
//   within it, the first matching entry count.
// - Blanks (spaces and tabs) around names and values are not part of them.
// - Lines end in LF or CR LF; a UTF-8 byte-order mark before the first line is not part of it.
// - A section line is a "[" (after blanks) and the last "]" of the line; the name is what lies
//   between them, so a name may hold brackets itself. An entry line holds "=" and a non-empty key
//   before its first "=". Lines whose first non-blank character is ";" or "#" are comments.
//   Comments, blank lines and lines that are none of these belong to no entry and are kept.
// - A text that holds a NUL byte is not a profile text (it is some binary file): nothing is found
//   in it and it is never rewritten.
namespace qdk::apifuns {

// The value of the entry, its blanks removed; nothing when the text holds no such entry.
std::optional<std::string> findProfileValue(std::string_view text, std::string_view section, std::string_view key);

// The text with the entry set to `value`. An existing entry gets the new value in place; a new
// entry goes after the last entry of its section (after the section line in an empty one); a new
// section goes at the end with its entry. Every other byte stays as it was. Added lines end the way
// the text's first line does, CR LF when it has none.
//
// Nothing when the entry cannot be written without changing the meaning of the text: a binary
// text, an empty key, a key that holds "=" or starts with "[", ";" or "#", or a name or value that
// holds a line break or a NUL.
std::optional<std::string> withProfileValue(std::string_view text, std::string_view section, std::string_view key,
                                            std::string_view value);

}  // namespace qdk::apifuns
