#include "MountClassifier.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace orv::capture::live {

namespace {

constexpr std::array<std::string_view, 10> kNetworkTypes{
    "cifs", "smb3", "smbfs", "nfs", "nfs4", "ncpfs", "afs", "ceph", "davfs", "lustre"};
// FUSE file systems name their driver after "fuse."; these reach other machines.
constexpr std::array<std::string_view, 8> kNetworkFuseDrivers{
    "sshfs", "davfs", "rclone", "s3fs", "curlftpfs", "glusterfs", "smbnetfs", "gcsfuse"};

bool contains(const auto& list, std::string_view value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

}  // namespace

MountClassifier::MountClassifier(std::vector<std::string> mediaFolders) : mediaFolders_(std::move(mediaFolders)) {}

MountKind MountClassifier::classify(const MountEntry& entry, bool removableDevice) const
{
    if (isNetwork(entry)) return MountKind::NetworkDrive;
    if (removableDevice || isBelowMediaFolder(entry.mountPoint)) return MountKind::RemovableMedia;
    return MountKind::Other;
}

bool MountClassifier::isNetwork(const MountEntry& entry)
{
    const std::string_view type = entry.fileSystemType;
    if (contains(kNetworkTypes, type)) return true;
    if (type.starts_with("fuse.")) return contains(kNetworkFuseDrivers, type.substr(5));
    // Plain "fuse" says nothing of its driver; a web address as its source does.
    return type == "fuse" && entry.source.find("://") != std::string::npos;
}

bool MountClassifier::isBelowMediaFolder(const std::string& mountPoint) const
{
    return std::any_of(mediaFolders_.begin(), mediaFolders_.end(), [&](const std::string& folder) {
        return mountPoint.size() > folder.size() + 1 && mountPoint.starts_with(folder) && mountPoint[folder.size()] == '/';
    });
}

}  // namespace orv::capture::live
