#pragma once

#include <cstdint>

namespace orv::capture {

// What tells whether a file changed behind the writer's back.
struct FileState {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;

    friend bool operator==(const FileState&, const FileState&) = default;
};

}  // namespace orv::capture
