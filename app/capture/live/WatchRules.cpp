#include "WatchRules.h"

namespace orv::capture::live {

WatchRules::WatchRules(const std::vector<std::string>& excludedFolders)
    : excluded_(excludedFolders.begin(), excludedFolders.end())
{
}

bool WatchRules::watchesBelowRoot(std::string_view name, const std::string& path) const
{
    return !name.starts_with('.') && !excluded_.contains(path);
}

}  // namespace orv::capture::live
