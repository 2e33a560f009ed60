#pragma once

#include "LogEntry.h"

#include <optional>
#include <string>
#include <string_view>

namespace orv::capture {

// The stored form of a record, the one definition that the writer and the loader share.
//
// A line is six fields separated by TAB and ends in CR LF: Time ("YYYY-MM-DD HH:MM:SS", local),
// Object, Action, Path, Original Name, New Name; empty fields stay empty. UTF-8 without a byte
// order mark. A field never holds a TAB or a line break: '\' is stored as "\\", TAB as "\t", CR
// as "\r", LF as "\n", and any other control byte (below 0x20, and 0x7F) as "\xHH". Every other
// byte, invalid UTF-8 included, is stored as it is.
class LogLine {
public:
    // The complete line of an entry, CR LF included.
    static std::string format(const LogEntry& entry);

    // Reads one line (with or without its line end). Nothing when the first field (the text
    // before the first TAB, or the whole line) is not a time of the form above. Missing fields are
    // empty; the sixth field is everything after the fifth TAB. Fields come back unescaped.
    static std::optional<LogEntry> parse(std::string_view line);

    static std::string formatTime(const LocalDateTime& time);
    static std::optional<LocalDateTime> parseTime(std::string_view text);

    static void appendEscaped(std::string& out, std::string_view field);
    // A '\' that starts no escape of the form above stands for itself.
    static std::string unescape(std::string_view field);
};

}  // namespace orv::capture
