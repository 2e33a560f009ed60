#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qdk::apifuns {

// One profile (INI) file on disk, one entry per call, with the rules of ProfileText.h. Paths,
// names and values are raw bytes.
class ProfileFile {
public:
    // The longest value a read returns, in bytes.
    static constexpr std::size_t kValueLimit = 65534;
    // Profile files are small; anything larger is not read at all.
    static constexpr std::size_t kSizeLimit = std::size_t{16} << 20;

    explicit ProfileFile(std::string path);

    // The entry's value, cut to kValueLimit bytes (never inside a UTF-8 character); "" for a
    // missing entry or section and for a file that is not a profile text. Throws std::system_error
    // naming the failing call when the file cannot be read (missing, a folder, unreadable, too large).
    std::string value(std::string_view section, std::string_view key) const;

    // Sets the entry, creating the file (mode 0600) when it is missing. Under the lock of
    // LockedFile, so that writers of other entries keep theirs; the file is replaced atomically
    // and left untouched when nothing changes or the entry cannot be written (see
    // withProfileValue). Throws std::system_error naming the failing call.
    void setValue(std::string_view section, std::string_view key, std::string_view value) const;

private:
    std::string path_;
};

}  // namespace qdk::apifuns
