#pragma once

#include <array>
#include <string>
#include <string_view>

namespace orv::capture {

// One operation on a file, folder, medium or drive. Texts are bytes: the words of the event
// table, and names and paths exactly as the file system gives them (UTF-8, or any bytes a Linux
// name may hold). Any field may be empty.
struct ActivityRecord {
    std::string object;        // "File", "Folder", "Storage Media", "Driver"
    std::string action;        // "Created", "Deleted", "Renamed", "Inserted", "Removed", "Added"
    std::string path;          // the folder of the item with its trailing '/', or a mount point's
    std::string originalName;  // the display name of the first item
    std::string newName;       // the display name of the second item (renames)

    std::array<std::string_view, 5> fields() const { return {object, action, path, originalName, newName}; }

    friend bool operator==(const ActivityRecord&, const ActivityRecord&) = default;
};

}  // namespace orv::capture
