#pragma once

#include <string>

namespace orv::capture {

// One item of a notification: a file, a folder or a mount point, as a notification source
// describes it. The decoder reads items only while it handles their notification.
class ShellItem {
public:
    virtual ~ShellItem() = default;

    // The name as the file manager shows it; empty when there is none.
    virtual std::string displayName() const = 0;
    // The absolute file-system path, empty for an item without one. Ends in '/' for a mount point,
    // so that the folder cut from it is the mount point itself.
    virtual std::string fileSystemPath() const = 0;
};

}  // namespace orv::capture
