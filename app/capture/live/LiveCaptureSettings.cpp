#include "LiveCaptureSettings.h"

#include "LogPaths.h"

#include <cstdlib>

namespace orv::capture::live {

LiveCaptureSettings LiveCaptureSettings::forRoots(const std::vector<std::filesystem::path>& roots)
{
    LiveCaptureSettings settings;
    for (const auto& root : roots) settings.roots.push_back(normalFolder(root));
    settings.excludedFolders.push_back(normalFolder(LogPaths::defaultLogsFolder().parent_path()));
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    if (cache && *cache == '/') settings.excludedFolders.push_back(normalFolder(cache));
    else if (home && *home == '/') settings.excludedFolders.push_back(normalFolder(std::filesystem::path(home) / ".cache"));
    settings.mediaFolders = {"/media", "/run/media"};
    return settings;
}

std::string LiveCaptureSettings::normalFolder(const std::filesystem::path& folder)
{
    std::string path = std::filesystem::absolute(folder).lexically_normal().string();
    while (path.size() > 1 && path.ends_with('/')) path.pop_back();
    return path;
}

}  // namespace orv::capture::live
