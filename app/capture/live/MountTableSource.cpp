#include "MountTableSource.h"

#include "MountInfoParser.h"
#include "MountPointItem.h"
#include "MountTableDiff.h"
#include "ShellEventTable.h"

#include <cerrno>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace orv::capture::live {

MountTableSource::MountTableSource(NotificationPoster& poster, MediaRoots* mediaRoots, std::unique_ptr<MountFacts> facts,
                                   MountClassifier classifier, std::string table)
    : poster_(poster), mediaRoots_(mediaRoots), facts_(std::move(facts)), classifier_(std::move(classifier)),
      tablePath_(std::move(table))
{
}

MountTableSource::~MountTableSource() { stop(); }

void MountTableSource::start()
{
    if (table_.isOpen()) return;
    const int fd = ::open(tablePath_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw std::system_error(errno, std::generic_category(), "open " + tablePath_);
    table_ = FileDescriptor(fd, tablePath_);
    readTable();
    apply(parseMountInfo(text_), false);
    // The kernel marks a change of the table as an exceptional condition (POLLPRI).
    notifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Exception);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        try {
            readTable();
            tableChanged(text_);
        } catch (const std::system_error& error) {
            poster_.postProblem(error.what());
        }
    });
}

void MountTableSource::stop()
{
    notifier_.reset();
    table_.reset();
    current_.clear();
    counted_.clear();
}

void MountTableSource::tableChanged(std::string_view table) { apply(parseMountInfo(table), true); }

// The table must be read from its start each time, and reading it to the end is what clears the
// kernel's mark.
void MountTableSource::readTable()
{
    text_.clear();
    char buffer[16384];
    for (off_t at = 0;;) {
        const ssize_t size = ::pread(table_.get(), buffer, sizeof buffer, at);
        if (size < 0) {
            if (errno == EINTR) continue;
            throw std::system_error(errno, std::generic_category(), "pread " + tablePath_);
        }
        if (size == 0) return;
        text_.append(buffer, static_cast<std::size_t>(size));
        at += size;
    }
}

void MountTableSource::apply(std::vector<MountEntry> table, bool record)
{
    const auto diff = MountTableDiff::between(current_, table);
    current_ = std::move(table);
    for (const auto& entry : diff.removed) {
        const auto found = counted_.find({entry.mountId, entry.mountPoint});
        if (found == counted_.end()) continue;
        const Counted counted = std::move(found->second);
        counted_.erase(found);
        if (counted.kind == MountKind::RemovableMedia && mediaRoots_) mediaRoots_->removeRoot(entry.mountPoint);
        if (record)
            poster_.postNotification(counted.kind == MountKind::NetworkDrive ? kDriveRemovedEvent : kMediaRemovedEvent,
                                     std::make_unique<MountPointItem>(entry.mountPoint, counted.label));
    }
    for (const auto& entry : diff.added) {
        const auto kind = classifier_.classify(entry, facts_->isRemovableDevice(entry));
        if (kind == MountKind::Other) continue;
        const auto& counted = counted_[{entry.mountId, entry.mountPoint}] = {kind, facts_->volumeLabel(entry)};
        if (record)
            poster_.postNotification(kind == MountKind::NetworkDrive ? kDriveAddedEvent : kMediaInsertedEvent,
                                     std::make_unique<MountPointItem>(entry.mountPoint, counted.label));
        if (kind == MountKind::RemovableMedia && mediaRoots_) mediaRoots_->addRoot(entry.mountPoint);
    }
}

}  // namespace orv::capture::live
