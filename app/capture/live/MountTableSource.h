#pragma once

#include "FileDescriptor.h"
#include "MediaRoots.h"
#include "MountClassifier.h"
#include "MountEntry.h"
#include "MountFacts.h"
#include "NotificationPoster.h"
#include "NotificationSource.h"

#include <QSocketNotifier>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <string_view>
#include <vector>

namespace orv::capture::live {

// The mount source: the kernel flags the mount table with POLLPRI whenever it changes; each new
// table is compared with the last one, and mounts of network file systems give drive records,
// mounts of removable media give media records and are watched by the folder source until they
// go. Lives on the user-interface thread.
class MountTableSource final : public NotificationSource {
public:
    // mediaRoots: where media are handed for watching; may be null. table: the mount table to
    // read (/proc/self/mountinfo).
    MountTableSource(NotificationPoster& poster, MediaRoots* mediaRoots, std::unique_ptr<MountFacts> facts,
                     MountClassifier classifier,
                     std::string table = "/proc/self/mountinfo");
    ~MountTableSource() override;
    MountTableSource(const MountTableSource&) = delete;
    MountTableSource& operator=(const MountTableSource&) = delete;

    // Reads the table as it is now, without records; media mounted already are watched.
    void start() override;
    void stop() override;

    // Takes the table's text as the new table: what changed is posted.
    void tableChanged(std::string_view table);

private:
    void readTable();
    void apply(std::vector<MountEntry> table, bool record);

    NotificationPoster& poster_;
    MediaRoots* mediaRoots_;
    std::unique_ptr<MountFacts> facts_;
    MountClassifier classifier_;
    std::string tablePath_;

    FileDescriptor table_;
    std::unique_ptr<QSocketNotifier> notifier_;
    struct Counted {
        MountKind kind;
        std::string label;
    };

    std::vector<MountEntry> current_;
    // The mounts that make records, as they were when they came: a removed device has no facts
    // left to find.
    std::map<std::pair<int, std::string>, Counted> counted_;
    std::string text_;
};

}  // namespace orv::capture::live
