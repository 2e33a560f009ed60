#include "UserDirs.h"

#include <algorithm>

namespace qdk::apifuns {

namespace {

// A shell word of the simple kind the file holds: quotes are dropped, a backslash keeps the
// character after it.
std::string unquoted(std::string_view word)
{
    std::string out;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word[i] == '"') continue;
        if (word[i] == '\\' && i + 1 < word.size()) ++i;
        out += word[i];
    }
    return out;
}

}  // namespace

std::optional<std::string> userDirOf(std::string_view text, std::string_view name, std::string_view home)
{
    const std::string assignment = "XDG_" + std::string(name) + "_DIR=";
    std::optional<std::string> found;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);

        line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
        line.remove_suffix(line.size() - std::min(line.find_last_not_of(" \t\r") + 1, line.size()));
        if (!line.starts_with(assignment)) continue;
        const std::string value = unquoted(line.substr(assignment.size()));
        constexpr std::string_view kHome = "$HOME";
        if (value.starts_with(kHome) && (value.size() == kHome.size() || value[kHome.size()] == '/'))
            found = std::string(home) + value.substr(kHome.size());
        else if (value.starts_with('/'))
            found = value;
    }
    return found;
}

}  // namespace qdk::apifuns
