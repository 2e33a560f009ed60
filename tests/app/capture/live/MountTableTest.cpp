#include "MountClassifier.h"
#include "MountInfoParser.h"
#include "MountTableSource.h"
#include "ShellEventTable.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>

namespace orv::capture::live {

void PrintTo(const MountEntry& entry, std::ostream* out)
{
    *out << entry.mountId << ' ' << entry.major << ':' << entry.minor << " [" << entry.mountPoint << "] "
         << entry.fileSystemType << " [" << entry.source << ']';
}

namespace {

TEST(MountInfoParser, ReadsEntriesWithEscapesAndOptionalFields)
{
    const auto entries = parseMountInfo(
        "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw,errors=remount-ro\n"
        "35 22 8:17 / /media/me/My\\040Disk\\011tab rw,nosuid shared:5 master:2 propagate_from:1 - vfat /dev/sdb1 rw\n"
        "36 22 0:52 / /mnt/back\\134slash rw - nfs4 server:/export rw,vers=4.2\n"
        "not a mount line\n"
        "37 22 0:53 / /mnt/no-separator rw shared:7 cifs //server/share rw\n"
        "\n"
        "38 22 8:1 /home/me/src /srv/bind rw,relatime - ext4 /dev/sda1 rw");
    const std::vector<MountEntry> expected = {
        {22, 8, 1, "/", "ext4", "/dev/sda1"},
        {35, 8, 17, "/media/me/My Disk\ttab", "vfat", "/dev/sdb1"},
        {36, 0, 52, "/mnt/back\\slash", "nfs4", "server:/export"},
        {38, 8, 1, "/srv/bind", "ext4", "/dev/sda1"},
    };
    EXPECT_EQ(entries, expected);
}

TEST(MountClassifier, NetworkFileSystemsAreDrivesRemovableMountsMedia)
{
    const MountClassifier classifier({"/media", "/run/media"});
    struct Case {
        const char* type;
        const char* source;
        const char* mountPoint;
        bool removable;
        MountKind kind;
    };
    const Case cases[] = {
        {"cifs", "//nas/share", "/mnt/share", false, MountKind::NetworkDrive},
        {"nfs4", "nas:/export", "/home/me/nas", false, MountKind::NetworkDrive},
        {"fuse.sshfs", "me@host:/", "/home/me/host", false, MountKind::NetworkDrive},
        {"fuse", "https://dav.example/remote", "/home/me/dav", false, MountKind::NetworkDrive},
        {"smb3", "//nas/media", "/media/me/media", false, MountKind::NetworkDrive},
        {"vfat", "/dev/sdb1", "/media/me/PHOTOS", true, MountKind::RemovableMedia},
        {"exfat", "/dev/sdc1", "/mnt/card", true, MountKind::RemovableMedia},
        {"ext4", "/dev/sdd1", "/run/media/me/backup", false, MountKind::RemovableMedia},
        {"tmpfs", "tmpfs", "/media/me/stick", false, MountKind::RemovableMedia},
        {"tmpfs", "tmpfs", "/media", false, MountKind::Other},
        {"ext4", "/dev/sda1", "/mediaX/disk", false, MountKind::Other},
        {"tmpfs", "tmpfs", "/tmp", false, MountKind::Other},
        {"squashfs", "/dev/loop3", "/snap/core/1234", false, MountKind::Other},
        {"fuse.gvfsd-fuse", "gvfsd-fuse", "/run/user/1000/gvfs", false, MountKind::Other},
        {"proc", "proc", "/proc", false, MountKind::Other},
    };
    for (const auto& c : cases)
        EXPECT_EQ(classifier.classify({1, 0, 0, c.mountPoint, c.type, c.source}, c.removable), c.kind)
            << c.type << " " << c.source << " on " << c.mountPoint;
}

class RecordingPoster final : public NotificationPoster {
public:
    std::vector<std::string> seen;  // "code path|name"
    void postNotification(std::uint32_t code, std::unique_ptr<ShellItem> first, std::unique_ptr<ShellItem>) override
    {
        seen.push_back(std::to_string(code) + " " + first->fileSystemPath() + "|" + first->displayName());
    }
    void postProblem(std::string text) override { seen.push_back("problem " + text); }
};

class RecordingRoots final : public MediaRoots {
public:
    std::vector<std::string> calls;
    void addRoot(const std::string& folder) override { calls.push_back("+" + folder); }
    void removeRoot(const std::string& folder) override { calls.push_back("-" + folder); }
};

class FakeMountFacts final : public MountFacts {
public:
    std::map<std::string, std::string> labels;  // by source; a labelled device is removable
    bool isRemovableDevice(const MountEntry& entry) override { return labels.contains(entry.source); }
    std::string volumeLabel(const MountEntry& entry) override
    {
        const auto it = labels.find(entry.source);
        return it == labels.end() ? std::string() : it->second;
    }
};

TEST(MountTableSource, ChangedTablesGiveMediaAndDriveRecords)
{
    RecordingPoster poster;
    RecordingRoots roots;
    auto facts = std::make_unique<FakeMountFacts>();
    auto& labels = facts->labels;
    MountTableSource source(poster, &roots, std::move(facts), MountClassifier({"/media"}));
    labels["/dev/sdb1"] = "PHOTOS";

    const std::string base = "22 1 8:1 / / rw,relatime - ext4 /dev/sda1 rw\n";
    source.tableChanged(base);
    source.tableChanged(base +
                        "40 22 8:17 / /mnt/My\\040Photos rw - vfat /dev/sdb1 rw\n"
                        "41 22 0:60 / /home/me/nas rw - nfs4 nas:/export rw\n"
                        "42 22 0:61 / /tmp/scratch rw - tmpfs tmpfs rw\n"
                        "43 22 8:1 /srv /home/me/srv rw - ext4 /dev/sda1 rw\n"
                        "44 22 0:62 / /media/me/stick rw - tmpfs tmpfs rw\n");
    // A remount with other options changes nothing; the rest goes.
    source.tableChanged("22 1 8:1 / / ro,relatime - ext4 /dev/sda1 ro\n");

    const auto code = [](std::uint32_t value) { return std::to_string(value) + " "; };
    EXPECT_EQ(poster.seen, (std::vector<std::string>{
                               code(kMediaInsertedEvent) + "/mnt/My Photos/|PHOTOS",
                               code(kDriveAddedEvent) + "/home/me/nas/|nas",
                               code(kMediaInsertedEvent) + "/media/me/stick/|stick",
                               code(kMediaRemovedEvent) + "/mnt/My Photos/|PHOTOS",
                               code(kDriveRemovedEvent) + "/home/me/nas/|nas",
                               code(kMediaRemovedEvent) + "/media/me/stick/|stick",
                           }));
    EXPECT_EQ(roots.calls, (std::vector<std::string>{"+/mnt/My Photos", "+/media/me/stick", "-/mnt/My Photos",
                                                     "-/media/me/stick"}));
}

}  // namespace
}  // namespace orv::capture::live
