#pragma once

#include "FolderLister.h"
#include "InotifyInstance.h"
#include "NotificationPoster.h"
#include "WatchProblems.h"
#include "WatchRules.h"
#include "WatchedTree.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orv::capture::live {

// Keeps the watched tree in step with the kernel's events and turns the events into
// notifications: created and deleted files and folders, renames within a folder and moves between
// folders. A new folder is watched at once and then listed, so that what was made in it before
// its watch existed is reported too, each item once: the names the tree knows decide what is new.
// A lost queue (overflow) is repaired by listing every watched folder again and reporting the
// difference. Used on the folder source's reader thread only.
class RecursiveWatcher {
public:
    RecursiveWatcher(InotifyInstance& kernel, FolderLister& lister, const WatchRules& rules, NotificationPoster& poster);

    // Watches a folder and everything below it; what it holds now is not reported.
    void addRoot(const std::string& path);
    // Stops watching a root given to addRoot; reports nothing.
    void removeRoot(const std::string& path);

    // Handles the events of one read, in order.
    void handle(const std::vector<InotifyEvent>& events);
    void handle(const InotifyEvent& event);
    // The move-from held, if any, will not be completed (the kernel's queue stayed empty): the
    // item left the tree.
    void releaseHeldMove();
    bool holdsMove() const { return heldMove_.has_value(); }

    WatchProblems& problems() { return problems_; }
    std::size_t watchCount() const { return tree_.watchCount(); }
    std::size_t overflows() const { return overflows_; }

private:
    using Folder = WatchedTree::Folder;

    void created(Folder& folder, const std::string& name, bool isFolder, bool reportContents);
    void deleted(Folder& folder, const std::string& name, bool isFolder);
    // A move-from and its move-to, which happened in target.
    void moved(const InotifyEvent& from, Folder& target, const InotifyEvent& to);
    void movedOut(const InotifyEvent& from);
    void repairOverflow();

    // Watches the folder and lists it and every new folder below it, reporting what was not
    // known when report is set; folders known already are listed again and compared.
    void watchBelow(Folder& start, bool report);
    void reconcile(Folder& folder, bool report, std::vector<Folder*>& pending);
    // The watched node of parent's folder entry, or null when it cannot be watched or was watched
    // already (found again by another path); a folder that was watched elsewhere in the tree moved
    // here unseen and is moved along.
    Folder* watchFolder(Folder& parent, const std::string& name, const std::string& path);
    // mayBeGone: a folder found by a listing, which may have gone since.
    void noteWatchFailure(const std::string& path, int error, bool mayBeGone);
    void removeWatches(const std::vector<int>& watches);
    // Watches the folders the events create before the events are handled in order: the sooner a
    // new folder's watch exists, the less of what is made and undone in it goes unseen.
    void watchNewFoldersEarly(const std::vector<InotifyEvent>& events);
    void post(std::uint32_t code, std::string path);

    InotifyInstance& kernel_;
    FolderLister& lister_;
    const WatchRules& rules_;
    NotificationPoster& poster_;
    WatchedTree tree_;
    // A move-from waiting for its move-to. The kernel queues the two halves of a rename one right
    // after the other, so any other event, or a queue that stays empty, means the item left the
    // tree. (Should another process's event ever come in between, the rename is recorded as a
    // delete and a create, and the tree stays right.)
    std::optional<InotifyEvent> heldMove_;
    WatchProblems problems_;
    std::size_t overflows_ = 0;
    // Watches added early that handling the events has not taken into the tree yet.
    std::vector<int> earlyWatches_;
    // Reused between listings.
    std::vector<FolderLister::Entry> listing_;
    std::unordered_map<std::string_view, bool> onDisk_;
};

}  // namespace orv::capture::live
