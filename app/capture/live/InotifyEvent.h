#pragma once

#include <cstdint>
#include <string>

namespace orv::capture::live {

// One event of an inotify instance, copied out of the kernel's buffer. The mask bits are the
// kernel's (IN_CREATE, IN_ISDIR, ...).
struct InotifyEvent {
    int watch = -1;
    std::uint32_t mask = 0;
    std::uint32_t cookie = 0;
    std::string name;  // empty for events on the watched folder itself

    friend bool operator==(const InotifyEvent&, const InotifyEvent&) = default;
};

}  // namespace orv::capture::live
