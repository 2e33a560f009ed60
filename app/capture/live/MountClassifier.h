#pragma once

#include "MountEntry.h"

#include <string>
#include <vector>

namespace orv::capture::live {

enum class MountKind {
    Other,           // bind mounts, tmpfs, images of packaged applications, pseudo file systems
    NetworkDrive,    // recorded as a drive added or removed
    RemovableMedia,  // recorded as media inserted or removed
};

// Tells what a mount stands for to the user. A network file system is a drive; a mount of a
// device that the kernel marks removable, or any mount below a media folder (/media,
// /run/media), is a medium.
class MountClassifier {
public:
    // mediaFolders: absolute, without a trailing '/'.
    explicit MountClassifier(std::vector<std::string> mediaFolders);

    MountKind classify(const MountEntry& entry, bool removableDevice) const;

private:
    static bool isNetwork(const MountEntry& entry);
    bool isBelowMediaFolder(const std::string& mountPoint) const;

    std::vector<std::string> mediaFolders_;
};

}  // namespace orv::capture::live
