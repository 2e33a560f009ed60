#pragma once

#include "PosixFile.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace qdk::apifuns {

// A regular file held for one read-modify-write under an exclusive flock(2), replaced atomically.
//
// The lock sits on the file itself. A replacement renames a new file over the path, so a writer
// that waited for the lock on the old file finds, once it has it, that the path names another file
// now; it then opens and locks the new one. Readers take no lock: they see the old file or the new
// one, never a part of either. The lock only orders writers that take it (every writer of profile
// files in this library); other programs may still write the file at any time.
class LockedFile {
public:
    // Opens the file at `path` (a symbolic link is followed to the file it names, which is then the
    // one replaced), creating it empty with mode 0600 when it is missing (its folder must exist),
    // and waits for the lock. Throws std::system_error naming the failing call; a file that is not
    // a regular file, or larger than `sizeLimit`, is refused.
    LockedFile(const std::string& path, std::size_t sizeLimit);
    // Releases the lock. A file this object created and did not replace is removed again, so that a
    // write that failed leaves no empty file behind.
    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    // The content when the lock was taken.
    const std::string& bytes() const { return bytes_; }

    // Writes `bytes` into a new file in the same folder with the old file's permissions, syncs it,
    // renames it over the file and syncs the folder. If anything fails the old file stays as it was.
    void replace(std::string_view bytes);

private:
    std::string path_;
    bool created_ = false;  // set while file_ is opened, so it comes before it
    PosixFile file_;
    std::string bytes_;
    bool replaced_ = false;
};

}  // namespace qdk::apifuns
