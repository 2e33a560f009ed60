#include "ProfileFile.h"

#include "LockedFile.h"
#include "PosixFile.h"
#include "ProfileText.h"
#include "Utf8Codec.h"

#include <optional>
#include <utility>

#include <fcntl.h>

namespace qdk::apifuns {

namespace {

// The UTF-8 length of the character at the start of `bytes`; 0 when no valid character starts there.
std::size_t characterLength(std::string_view bytes)
{
    const std::u16string decoded = orv::text::decodeBytes(bytes.substr(0, 4));
    const char16_t first = decoded.front();
    if (first >= 0xDC80 && first <= 0xDCFF) return 0;  // a byte that is not part of a character
    if (first >= 0xD800 && first <= 0xDBFF) return 4;  // a character beyond the BMP
    return first < 0x80 ? 1 : first < 0x800 ? 2 : 3;
}

// The first `limit` bytes, less the start of a character that the cut would split.
std::string_view cutAtCharacter(std::string_view bytes, std::size_t limit)
{
    if (bytes.size() <= limit) return bytes;
    // A character is at most four bytes long: the one the cut falls into starts at most three
    // bytes before it.
    for (std::size_t back = 1; back <= 3 && back <= limit; ++back) {
        const std::size_t start = limit - back;
        const std::size_t length = characterLength(bytes.substr(start));
        if (length > 0) return bytes.substr(0, start + length > limit ? start : limit);
    }
    return bytes.substr(0, limit);
}

}  // namespace

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {}

std::string ProfileFile::value(std::string_view section, std::string_view key) const
{
    // No lock: writers replace the file by renaming, so this reads the old file or the new one.
    const std::string text = PosixFile(path_, O_RDONLY | O_NONBLOCK).readAll(kSizeLimit);
    const std::optional<std::string> found = findProfileValue(text, section, key);
    return found ? std::string(cutAtCharacter(*found, kValueLimit)) : std::string();
}

void ProfileFile::setValue(std::string_view section, std::string_view key, std::string_view value) const
{
    LockedFile file(path_, kSizeLimit);
    const std::optional<std::string> edited = withProfileValue(file.bytes(), section, key, value);
    if (edited && *edited != file.bytes()) file.replace(*edited);
}

}  // namespace qdk::apifuns
