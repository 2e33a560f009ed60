#pragma once

#include <string>
#include <vector>

namespace orv::capture::live {

// Lists folders for the folder source, on its reader thread.
class FolderLister {
public:
    struct Entry {
        std::string name;
        bool isFolder = false;  // a real folder; a symbolic link to one is not
    };

    virtual ~FolderLister() = default;

    // Replaces entries with the folder's entries ("." and ".." left out). False when the folder
    // is gone (removed or replaced meanwhile); any other failure throws std::system_error naming
    // the call and the folder.
    virtual bool list(const std::string& folder, std::vector<Entry>& entries) = 0;
};

}  // namespace orv::capture::live
