#pragma once

#include "MountFacts.h"

namespace orv::capture::live {

// Reads the removable flag from /sys/dev/block and labels from /dev/disk/by-label.
class SystemMountFacts final : public MountFacts {
public:
    bool isRemovableDevice(const MountEntry& entry) override;
    std::string volumeLabel(const MountEntry& entry) override;
};

}  // namespace orv::capture::live
