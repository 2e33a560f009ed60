#include "MountTableDiff.h"

#include <set>
#include <string>
#include <utility>

namespace orv::capture::live {

MountTableDiff MountTableDiff::between(const std::vector<MountEntry>& before, const std::vector<MountEntry>& after)
{
    using Key = std::pair<int, std::string>;
    const auto keysOf = [](const std::vector<MountEntry>& table) {
        std::set<Key> keys;
        for (const auto& entry : table) keys.emplace(entry.mountId, entry.mountPoint);
        return keys;
    };
    const auto keysBefore = keysOf(before);
    const auto keysAfter = keysOf(after);
    MountTableDiff diff;
    for (const auto& entry : before)
        if (!keysAfter.contains({entry.mountId, entry.mountPoint})) diff.removed.push_back(entry);
    for (const auto& entry : after)
        if (!keysBefore.contains({entry.mountId, entry.mountPoint})) diff.added.push_back(entry);
    return diff;
}

}  // namespace orv::capture::live
