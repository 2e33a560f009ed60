#pragma once

#include "MountEntry.h"

#include <vector>

namespace orv::capture::live {

// What changed between two mount tables: a mount is the same while its id and mount point are
// (a remount with other options changes neither).
struct MountTableDiff {
    std::vector<MountEntry> added;
    std::vector<MountEntry> removed;

    static MountTableDiff between(const std::vector<MountEntry>& before, const std::vector<MountEntry>& after);
};

}  // namespace orv::capture::live
