#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qdk::apifuns {

// The folder that the user's user-dirs.dirs text (lines such as XDG_MUSIC_DIR="$HOME/Music")
// gives for `name` ("DESKTOP", "MUSIC", ...), with a leading $HOME replaced by `home`; the last
// assignment counts, as when the file is read by a shell. Nothing when no valid line names it: a
// value must be an absolute path or start with $HOME, anything else is ignored.
std::optional<std::string> userDirOf(std::string_view text, std::string_view name, std::string_view home);

}  // namespace qdk::apifuns
