#pragma once

#include "MountEntry.h"

#include <string_view>
#include <vector>

namespace orv::capture::live {

// The entries of a mount table in the format of /proc/self/mountinfo, in its order:
//   36 35 98:0 /mnt1 /mnt/parent rw,noatime master:1 - ext3 /dev/root rw,errors=continue
// Spaces, tabs, line feeds and backslashes in paths come as octal escapes (\040, \011, \012,
// \134). A line that does not have this form is left out.
std::vector<MountEntry> parseMountInfo(std::string_view table);

}  // namespace orv::capture::live
