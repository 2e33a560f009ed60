#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace orv::capture::live {

// What the live sources watch. Paths are absolute, without a trailing '/'.
struct LiveCaptureSettings {
    std::vector<std::string> roots;
    // Never watched below a root: Orvane's data folder and the cache folder.
    std::vector<std::string> excludedFolders;
    // A mount below one of these is a medium.
    std::vector<std::string> mediaFolders;

    // The roots given (made absolute), the data folder ($XDG_DATA_HOME/VLM/ORV) and the cache
    // ($XDG_CACHE_HOME, else ~/.cache) excluded, /media and /run/media as media folders.
    static LiveCaptureSettings forRoots(const std::vector<std::filesystem::path>& roots);
    // An absolute path in the form the sources compare: normal, without a trailing '/'.
    static std::string normalFolder(const std::filesystem::path& folder);
};

}  // namespace orv::capture::live
