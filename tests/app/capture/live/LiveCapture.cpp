#include "LiveCapture.h"

#include "MountClassifier.h"
#include "NotificationEvent.h"
#include "SystemMountFacts.h"

#include <QTest>

#include <algorithm>
#include <fstream>

namespace orv::capture::live::test {

namespace {

constexpr int kDeadlineMs = 30000;

}  // namespace

LiveCapture::LiveCapture(LiveCaptureOptions options)
    : options_(std::move(options)),
      clock_({kToday, 10, 0, 0}),
      writer_(home_.logsFolder(), clock_, files_),
      receiver_(objects_.genFuns(), writer_),
      decoder_(objects_.genFuns()),
      window_(receiver_, boxes, [this](NotificationPoster& poster) {
          std::vector<std::unique_ptr<NotificationSource>> sources;
          auto folders = std::make_unique<InotifySource>(options_.roots, WatchRules(options_.excludedFolders), poster,
                                                         options_.makeInstance);
          folders_ = folders.get();
          sources.push_back(std::move(folders));
          if (options_.mediaFolders)
              sources.push_back(std::make_unique<MountTableSource>(poster, folders_, std::make_unique<SystemMountFacts>(),
                                                                   MountClassifier(*options_.mediaFolders)));
          return sources;
      })
{
}

LiveCapture::~LiveCapture() { window_.unload(); }

bool LiveCapture::load()
{
    window_.load();
    // Installed after the hook, so it sees each notification just before the hook does.
    window_.installEventFilter(this);
    return folders_ && QTest::qWaitFor([&] { return folders_->isWatching(); }, kDeadlineMs);
}

bool LiveCapture::waitForRecords(std::size_t count)
{
    return QTest::qWaitFor([&] { return records_.size() >= count; }, kDeadlineMs);
}

std::vector<ActivityRecord> LiveCapture::takeUntilMarker(const std::filesystem::path& folder)
{
    const std::string name = "marker-" + std::to_string(++markers_);
    std::ofstream(folder / name).close();
    const ActivityRecord marker{"File", "Created", folder.string() + "/", name, ""};
    std::vector<ActivityRecord> before;
    if (!QTest::qWaitFor([&] { return std::find(records_.begin(), records_.end(), marker) != records_.end(); },
                         kDeadlineMs)) {
        before = std::move(records_);
        records_.clear();
        before.push_back({"(no marker)", "", "", name, ""});
        return before;
    }
    const auto at = std::find(records_.begin(), records_.end(), marker);
    before.assign(records_.begin(), at);
    records_.erase(records_.begin(), at + 1);
    return before;
}

bool LiveCapture::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == NotificationEvent::notificationType())
        if (auto record = decoder_.decode(static_cast<NotificationEvent*>(event)->notification()))
            records_.push_back(std::move(*record));
    return false;
}

}  // namespace orv::capture::live::test
