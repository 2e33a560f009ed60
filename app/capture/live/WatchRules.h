#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace orv::capture::live {

// Which folders below a root are watched: not hidden ones (names starting with '.'), and not the
// excluded folders (Orvane's data folder, whose writes would journal themselves, and the cache).
// A root is watched whatever it is.
class WatchRules {
public:
    // Absolute paths without a trailing '/'.
    explicit WatchRules(const std::vector<std::string>& excludedFolders);

    bool watchesBelowRoot(std::string_view name, const std::string& path) const;

private:
    std::unordered_set<std::string> excluded_;
};

}  // namespace orv::capture::live
