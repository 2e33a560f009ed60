#pragma once

#include "MountEntry.h"

#include <string>

namespace orv::capture::live {

// What the mount table does not say about a mount. Called on the user-interface thread; a fact
// that cannot be found out is taken as absent.
class MountFacts {
public:
    virtual ~MountFacts() = default;

    // Whether the kernel marks the mount's block device (or the disk it is a partition of)
    // removable.
    virtual bool isRemovableDevice(const MountEntry& entry) = 0;
    // The volume label of the mount's device; empty when it has none.
    virtual std::string volumeLabel(const MountEntry& entry) = 0;
};

}  // namespace orv::capture::live
