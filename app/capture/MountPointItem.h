#pragma once

#include "ShellItem.h"

namespace orv::capture {

// A medium or drive by its mount point (absolute, no trailing '/'). Its display name is the
// volume label, or the mount point's last component when the volume has no label; its path is
// the mount point followed by '/'.
class MountPointItem final : public ShellItem {
public:
    MountPointItem(std::string mountPoint, std::string volumeLabel);

    std::string displayName() const override;
    std::string fileSystemPath() const override;

private:
    std::string mountPoint_;
    std::string volumeLabel_;
};

}  // namespace orv::capture
