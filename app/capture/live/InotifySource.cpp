#include "InotifySource.h"

#include "LinuxInotify.h"
#include "PosixFolderLister.h"
#include "RecursiveWatcher.h"

#include <chrono>
#include <iterator>
#include <system_error>
#include <utility>

namespace orv::capture::live {

namespace {

// How long a move-from waits for its move-to once no more events come. The kernel queues both
// halves of a rename at once, so this is only ever waited for a move out of the tree.
constexpr auto kPartnerWait = std::chrono::milliseconds(10);

}  // namespace

InotifySource::InotifySource(std::vector<std::string> roots, WatchRules rules, NotificationPoster& poster,
                             InstanceFactory makeInstance)
    : roots_(std::move(roots)), rules_(std::move(rules)), poster_(poster), makeInstance_(std::move(makeInstance))
{
    if (!makeInstance_) makeInstance_ = [] { return std::make_unique<LinuxInotify>(); };
}

InotifySource::~InotifySource() { stop(); }

void InotifySource::start()
{
    if (instance_) return;
    instance_ = makeInstance_();
    stopping_ = false;
    try {
        reader_ = std::thread([this] { read(); });
        processor_ = std::thread([this] { process(); });
    } catch (const std::system_error&) {
        stop();
        throw;
    }
}

void InotifySource::stop()
{
    if (!instance_) return;
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    work_.notify_all();
    instance_->wake();
    if (reader_.joinable()) reader_.join();
    if (processor_.joinable()) processor_.join();
    instance_.reset();
    events_.clear();
    rootChanges_.clear();
    watching_ = false;
    watches_ = 0;
}

void InotifySource::addRoot(const std::string& folder) { changeRoots({true, folder}); }

void InotifySource::removeRoot(const std::string& folder) { changeRoots({false, folder}); }

void InotifySource::changeRoots(RootChange change)
{
    if (!instance_) return;
    {
        const std::lock_guard lock(mutex_);
        rootChanges_.push_back(std::move(change));
    }
    work_.notify_one();
}

void InotifySource::read()
{
    std::vector<InotifyEvent> events;
    while (!stopping_) {
        events.clear();
        try {
            instance_->waitForEvents(events);
        } catch (const std::system_error& error) {
            poster_.postProblem(std::string("Orvane has stopped recording what happens in folders: ") + error.what());
            return;
        }
        if (events.empty()) continue;
        {
            const std::lock_guard lock(mutex_);
            events_.insert(events_.end(), std::make_move_iterator(events.begin()), std::make_move_iterator(events.end()));
        }
        work_.notify_one();
    }
}

void InotifySource::process()
{
    PosixFolderLister lister;
    RecursiveWatcher watcher(*instance_, lister, rules_, poster_);
    const auto report = [&] {
        if (watcher.problems().any())
            for (const auto& message : watcher.problems().takeMessages(instance_->watchLimit()))
                poster_.postProblem(message);
        watches_ = watcher.watchCount();
        overflows_ = watcher.overflows();
    };
    // One failing step is told and passed over; the next may well succeed.
    const auto guarded = [&](auto&& step) {
        try {
            step();
        } catch (const std::system_error& error) {
            poster_.postProblem(error.what());
        }
    };

    for (const auto& root : roots_) guarded([&] { watcher.addRoot(root); });
    report();
    watching_ = true;

    std::vector<InotifyEvent> events;
    std::deque<RootChange> changes;
    for (;;) {
        bool quiet = false;
        {
            std::unique_lock lock(mutex_);
            const auto ready = [&] { return stopping_ || !events_.empty() || !rootChanges_.empty(); };
            if (watcher.holdsMove()) quiet = !work_.wait_for(lock, kPartnerWait, ready);
            else work_.wait(lock, ready);
            if (stopping_) return;
            events.swap(events_);
            changes.swap(rootChanges_);
        }
        for (const auto& change : changes)
            guarded([&] { change.add ? watcher.addRoot(change.folder) : watcher.removeRoot(change.folder); });
        guarded([&] { watcher.handle(events); });
        if (quiet) guarded([&] { watcher.releaseHeldMove(); });
        report();
        events.clear();
        changes.clear();
    }
}

}  // namespace orv::capture::live
