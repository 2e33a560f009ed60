#include "MountPointItem.h"

#include <utility>

namespace orv::capture {

MountPointItem::MountPointItem(std::string mountPoint, std::string volumeLabel)
    : mountPoint_(std::move(mountPoint)), volumeLabel_(std::move(volumeLabel))
{
}

std::string MountPointItem::displayName() const
{
    if (!volumeLabel_.empty()) return volumeLabel_;
    const auto slash = mountPoint_.rfind('/');
    if (slash == std::string::npos) return mountPoint_;
    // The root has no last component; it is shown as itself.
    return slash + 1 == mountPoint_.size() ? mountPoint_ : mountPoint_.substr(slash + 1);
}

std::string MountPointItem::fileSystemPath() const
{
    return mountPoint_.ends_with('/') ? mountPoint_ : mountPoint_ + '/';
}

}  // namespace orv::capture
