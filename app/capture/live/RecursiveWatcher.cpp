#include "RecursiveWatcher.h"

#include "FileItem.h"
#include "MovedItem.h"
#include "ShellEventTable.h"

#include <cerrno>
#include <memory>
#include <system_error>
#include <utility>

#include <sys/inotify.h>

namespace orv::capture::live {

namespace {

constexpr std::uint32_t kFolderMask = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_EXCL_UNLINK;
// Only a root's own move matters: below a root, the parent's events tell where a folder went.
constexpr std::uint32_t kRootMask = kFolderMask | IN_MOVE_SELF;

std::uint32_t createCode(bool isFolder) { return isFolder ? kMakeFolderEvent : kCreateEvent; }
std::uint32_t deleteCode(bool isFolder) { return isFolder ? kRemoveFolderEvent : kDeleteEvent; }

}  // namespace

RecursiveWatcher::RecursiveWatcher(InotifyInstance& kernel, FolderLister& lister, const WatchRules& rules,
                                   NotificationPoster& poster)
    : kernel_(kernel), lister_(lister), rules_(rules), poster_(poster)
{
}

void RecursiveWatcher::addRoot(const std::string& path)
{
    if (tree_.root(path)) return;
    const auto added = kernel_.addWatch(path, kRootMask);
    if (added.error != 0) {
        // A root that is missing is worth telling, unlike a folder that went while it was listed.
        noteWatchFailure(path, added.error, false);
        return;
    }
    // A root inside another root is watched already.
    if (tree_.byWatch(added.watch)) return;
    watchBelow(tree_.addRoot(path, added.watch), false);
}

void RecursiveWatcher::removeRoot(const std::string& path)
{
    if (Folder* root = tree_.root(path)) removeWatches(tree_.removeRoot(*root));
}

void RecursiveWatcher::handle(const std::vector<InotifyEvent>& events)
{
    watchNewFoldersEarly(events);
    for (const auto& event : events) {
        try {
            handle(event);
        } catch (const std::system_error& error) {
            // One event that fails is told and passed over; the next may well succeed.
            const Folder* folder = tree_.byWatch(event.watch);
            problems_.failed(folder ? tree_.pathOf(*folder) : event.name, error.what());
        }
    }
    // Those the events did not take in: their folders went, or the names were stale.
    const auto early = std::exchange(earlyWatches_, {});
    for (const int watch : early)
        if (!tree_.byWatch(watch)) kernel_.removeWatch(watch);
}

void RecursiveWatcher::watchNewFoldersEarly(const std::vector<InotifyEvent>& events)
{
    for (const auto& event : events) {
        if ((event.mask & (IN_CREATE | IN_ISDIR)) != (IN_CREATE | IN_ISDIR)) continue;
        const Folder* folder = tree_.byWatch(event.watch);
        if (!folder || tree_.find(*folder, event.name)) continue;
        const std::string path = tree_.pathOf(*folder, event.name);
        if (!rules_.watchesBelowRoot(event.name, path)) continue;
        const auto added = kernel_.addWatch(path, kFolderMask);
        // Failures are met again, and told, when the event itself is handled.
        if (added.error == 0 && !tree_.byWatch(added.watch)) earlyWatches_.push_back(added.watch);
    }
}

void RecursiveWatcher::handle(const InotifyEvent& event)
{
    if (heldMove_ && !((event.mask & IN_MOVED_TO) && event.cookie == heldMove_->cookie)) releaseHeldMove();
    if (event.mask & IN_Q_OVERFLOW) {
        repairOverflow();
        return;
    }
    Folder* folder = tree_.byWatch(event.watch);
    if (!folder) return;  // a watch given up already
    if (event.mask & IN_IGNORED) {
        // A folder below a root stays known until its parent reports it gone.
        if (folder->parent) tree_.unwatch(*folder);
        else tree_.removeRoot(*folder);
        return;
    }
    if (event.mask & IN_MOVE_SELF) {
        // A root moved away: where it is now is not known, so nothing below it can be named.
        removeWatches(tree_.removeRoot(*folder));
        return;
    }
    const bool isFolder = event.mask & IN_ISDIR;
    if (event.mask & IN_CREATE) created(*folder, event.name, isFolder, true);
    else if (event.mask & IN_DELETE) deleted(*folder, event.name, isFolder);
    else if (event.mask & IN_MOVED_FROM) heldMove_ = event;
    else if (event.mask & IN_MOVED_TO) {
        if (heldMove_) {
            const InotifyEvent from = std::move(*heldMove_);
            heldMove_.reset();
            moved(from, *folder, event);
        } else {
            created(*folder, event.name, isFolder, false);
        }
    }
}

void RecursiveWatcher::releaseHeldMove()
{
    if (!heldMove_) return;
    const InotifyEvent from = std::move(*heldMove_);
    heldMove_.reset();
    movedOut(from);
}

void RecursiveWatcher::created(Folder& folder, const std::string& name, bool isFolder, bool reportContents)
{
    // Known already when the listing of a new folder found it before its event came.
    if (!tree_.addName(folder, name, isFolder)) return;
    std::string path = tree_.pathOf(folder, name);
    if (isFolder && rules_.watchesBelowRoot(name, path))
        if (Folder* node = watchFolder(folder, name, path)) {
            post(createCode(isFolder), std::move(path));
            watchBelow(*node, reportContents);
            return;
        }
    post(createCode(isFolder), std::move(path));
}

void RecursiveWatcher::deleted(Folder& folder, const std::string& name, bool isFolder)
{
    // Unknown when a listing after an overflow reported it gone already.
    if (!tree_.find(folder, name)) return;
    post(deleteCode(isFolder), tree_.pathOf(folder, name));
    // The folder is gone, and with it the watches below it.
    tree_.removeEntry(folder, name);
}

void RecursiveWatcher::moved(const InotifyEvent& from, Folder& targetFolder, const InotifyEvent& to)
{
    Folder* source = tree_.byWatch(from.watch);
    Folder* target = &targetFolder;
    const bool isFolder = to.mask & IN_ISDIR;
    // Not known under its old name: the listing of a new folder has reported it under its new one,
    // or its old folder was given up.
    if (!source || !tree_.find(*source, from.name)) {
        created(*target, to.name, isFolder, false);
        return;
    }
    std::string oldPath = tree_.pathOf(*source, from.name);
    std::string newPath = tree_.pathOf(*target, to.name);
    const std::uint32_t code = isFolder ? kRenameFolderEvent : kRenameItemEvent;
    std::unique_ptr<ShellItem> newItem;
    if (source == target) newItem = std::make_unique<FileItem>(newPath);
    else newItem = std::make_unique<MovedItem>(newPath);
    poster_.postNotification(code, std::make_unique<FileItem>(std::move(oldPath)), std::move(newItem));

    removeWatches(tree_.moveEntry(*source, from.name, *target, to.name));
    const WatchedTree::Entry* entry = tree_.find(*target, to.name);
    if (!entry || !isFolder) return;
    const bool watchable = rules_.watchesBelowRoot(to.name, newPath);
    if (entry->node && !watchable) {
        removeWatches(tree_.removeEntry(*target, to.name));
        tree_.addName(*target, to.name, true);
    } else if (!entry->node && watchable) {
        if (Folder* node = watchFolder(*target, to.name, newPath)) watchBelow(*node, false);
    }
}

void RecursiveWatcher::movedOut(const InotifyEvent& from)
{
    Folder* folder = tree_.byWatch(from.watch);
    if (!folder || !tree_.find(*folder, from.name)) return;
    post(deleteCode(from.mask & IN_ISDIR), tree_.pathOf(*folder, from.name));
    // The folder lives on outside the tree; its watches would report from there.
    removeWatches(tree_.removeEntry(*folder, from.name));
}

void RecursiveWatcher::repairOverflow()
{
    ++overflows_;
    std::vector<Folder*> roots;
    for (const auto& root : tree_.roots()) roots.push_back(root.get());
    for (Folder* root : roots) watchBelow(*root, true);
}

void RecursiveWatcher::watchBelow(Folder& start, bool report)
{
    std::vector<Folder*> pending{&start};
    while (!pending.empty()) {
        Folder* folder = pending.back();
        pending.pop_back();
        reconcile(*folder, report, pending);
    }
}

void RecursiveWatcher::reconcile(Folder& folder, bool report, std::vector<Folder*>& pending)
{
    const std::string path = tree_.pathOf(folder);
    try {
        // A folder gone meanwhile: its parent's events tell.
        if (!lister_.list(path, listing_)) return;
    } catch (const std::system_error& error) {
        problems_.failed(path, error.what());
        return;
    }
    if (!folder.entries.empty()) {
        onDisk_.clear();
        for (const auto& entry : listing_) onDisk_.emplace(entry.name, entry.isFolder);
        std::vector<std::pair<std::string, bool>> vanished;
        for (const auto& [name, entry] : folder.entries) {
            const auto found = onDisk_.find(name);
            if (found == onDisk_.end() || found->second != entry.isFolder) vanished.emplace_back(name, entry.isFolder);
            else if (entry.node) pending.push_back(entry.node.get());
        }
        for (const auto& [name, isFolder] : vanished) {
            post(deleteCode(isFolder), WatchedTree::joinPath(path, name));
            removeWatches(tree_.removeEntry(folder, name));
        }
    }
    for (const auto& entry : listing_) {
        if (!tree_.addName(folder, entry.name, entry.isFolder)) continue;
        std::string child = WatchedTree::joinPath(path, entry.name);
        if (entry.isFolder && rules_.watchesBelowRoot(entry.name, child))
            if (Folder* node = watchFolder(folder, entry.name, child)) pending.push_back(node);
        if (report) post(createCode(entry.isFolder), std::move(child));
    }
}

RecursiveWatcher::Folder* RecursiveWatcher::watchFolder(Folder& parent, const std::string& name, const std::string& path)
{
    const auto added = kernel_.addWatch(path, kFolderMask);
    if (added.error != 0) {
        noteWatchFailure(path, added.error, true);
        return nullptr;
    }
    if (Folder* known = tree_.byWatch(added.watch)) {
        // The same folder by a second path (a bind mount, a root inside the tree) stays where it is.
        if (!known->parent || WatchedTree::isWithin(parent, *known)) return nullptr;
        const auto knownName = known->name;
        removeWatches(tree_.moveEntry(*known->parent, knownName, parent, name));
        return known;
    }
    return &tree_.watchEntry(parent, name, added.watch);
}

void RecursiveWatcher::noteWatchFailure(const std::string& path, int error, bool mayBeGone)
{
    // Gone or replaced by something else before its watch: its parent's events tell.
    if (mayBeGone && (error == ENOENT || error == ENOTDIR || error == ELOOP)) return;
    if (error == ENOSPC) problems_.watchLimitReached(path);
    else problems_.failed(path, std::system_error(error, std::generic_category(), "inotify_add_watch").what());
}

void RecursiveWatcher::removeWatches(const std::vector<int>& watches)
{
    for (const int watch : watches) kernel_.removeWatch(watch);
}

void RecursiveWatcher::post(std::uint32_t code, std::string path)
{
    poster_.postNotification(code, std::make_unique<FileItem>(std::move(path)));
}

}  // namespace orv::capture::live
