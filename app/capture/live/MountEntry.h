#pragma once

#include <string>

namespace orv::capture::live {

// One line of the mount table (/proc/self/mountinfo), with its escapes undone.
struct MountEntry {
    int mountId = 0;
    unsigned major = 0;  // of the device the file system is on; 0 for those without one
    unsigned minor = 0;
    std::string mountPoint;
    std::string fileSystemType;  // with its subtype, as "fuse.sshfs"
    std::string source;          // "/dev/sdb1", "//server/share", "tmpfs", ...

    friend bool operator==(const MountEntry&, const MountEntry&) = default;
};

}  // namespace orv::capture::live
