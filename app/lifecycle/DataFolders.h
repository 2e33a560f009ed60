#pragma once

#include <qdk_orv/qdk_orv.h>

#include <filesystem>
#include <string>
#include <vector>

namespace orv::lifecycle {

// The data folder and what it holds, below the per-user application-data folder:
// VLM/ORV/logs, VLM/ORV/configuration.ini and an empty marker file that tells a person what
// the folder is. Folders are private (0700), files too (0600).
struct DataFolders {
    std::filesystem::path dataFolder;
    std::filesystem::path logsFolder;
    std::filesystem::path configurationFile;

    static constexpr const char* kMarkerName = "ORV data folder, please do not delete it";

    // The paths below the application-data folder that apiFuns names (special folder 26).
    static DataFolders locate(_APIFuns* apiFuns);

    // Creates whatever is missing, one level at a time; what exists is left as it is. Returns
    // the failures (each naming the call and the path) so that the caller can tell the user;
    // Orvane runs on without what could not be made.
    std::vector<std::string> prepare() const;
};

}  // namespace orv::lifecycle
