#include "WatchedTree.h"

#include <algorithm>
#include <utility>

namespace orv::capture::live {

WatchedTree::Folder& WatchedTree::addRoot(std::string path, int watch)
{
    auto& root = *roots_.emplace_back(std::make_unique<Folder>());
    root.name = std::move(path);
    root.watch = watch;
    byWatch_[watch] = &root;
    return root;
}

WatchedTree::Folder* WatchedTree::root(std::string_view path) const
{
    const auto it = std::find_if(roots_.begin(), roots_.end(), [&](const auto& root) { return root->name == path; });
    return it == roots_.end() ? nullptr : it->get();
}

std::vector<int> WatchedTree::removeRoot(Folder& root)
{
    std::vector<int> watches;
    forgetWatches(root, watches);
    std::erase_if(roots_, [&](const auto& each) { return each.get() == &root; });
    return watches;
}

WatchedTree::Folder* WatchedTree::byWatch(int watch) const
{
    const auto it = byWatch_.find(watch);
    return it == byWatch_.end() ? nullptr : it->second;
}

std::string WatchedTree::pathOf(const Folder& folder) const
{
    std::vector<const std::string*> names;
    for (const Folder* at = &folder; at; at = at->parent) names.push_back(&at->name);
    std::string path = *names.back();
    for (auto it = names.rbegin() + 1; it != names.rend(); ++it) path = joinPath(std::move(path), **it);
    return path;
}

std::string WatchedTree::pathOf(const Folder& folder, std::string_view name) const
{
    return joinPath(pathOf(folder), name);
}

std::string WatchedTree::joinPath(std::string folder, std::string_view name)
{
    if (!folder.ends_with('/')) folder += '/';
    folder += name;
    return folder;
}

bool WatchedTree::isWithin(const Folder& folder, const Folder& ancestor)
{
    for (const Folder* at = &folder; at; at = at->parent)
        if (at == &ancestor) return true;
    return false;
}

const WatchedTree::Entry* WatchedTree::find(const Folder& folder, const std::string& name) const
{
    const auto it = folder.entries.find(name);
    return it == folder.entries.end() ? nullptr : &it->second;
}

bool WatchedTree::addName(Folder& folder, std::string name, bool isFolder)
{
    return folder.entries.try_emplace(std::move(name), Entry{isFolder, nullptr}).second;
}

WatchedTree::Folder& WatchedTree::watchEntry(Folder& parent, const std::string& name, int watch)
{
    Entry& entry = parent.entries[name];
    entry.isFolder = true;
    if (!entry.node) {
        entry.node = std::make_unique<Folder>();
        entry.node->parent = &parent;
        entry.node->name = name;
    }
    if (entry.node->watch >= 0) byWatch_.erase(entry.node->watch);
    entry.node->watch = watch;
    byWatch_[watch] = entry.node.get();
    return *entry.node;
}

void WatchedTree::unwatch(Folder& folder)
{
    if (folder.watch >= 0) byWatch_.erase(folder.watch);
    folder.watch = -1;
}

std::vector<int> WatchedTree::removeEntry(Folder& folder, const std::string& name)
{
    std::vector<int> watches;
    const auto it = folder.entries.find(name);
    if (it == folder.entries.end()) return watches;
    if (it->second.node) forgetWatches(*it->second.node, watches);
    folder.entries.erase(it);
    return watches;
}

std::vector<int> WatchedTree::moveEntry(Folder& from, const std::string& oldName, Folder& to, std::string newName)
{
    std::vector<int> replaced;
    auto moving = from.entries.extract(oldName);
    if (moving.empty()) return replaced;
    // A folder cannot be moved into itself; the kernel refuses it, so such events are stale.
    if (moving.mapped().node && isWithin(to, *moving.mapped().node)) {
        from.entries.insert(std::move(moving));
        return replaced;
    }
    replaced = removeEntry(to, newName);
    if (Folder* node = moving.mapped().node.get()) {
        node->parent = &to;
        node->name = newName;
    }
    moving.key() = std::move(newName);
    to.entries.insert(std::move(moving));
    return replaced;
}

void WatchedTree::forgetWatches(Folder& folder, std::vector<int>& watches)
{
    if (folder.watch >= 0) {
        watches.push_back(folder.watch);
        byWatch_.erase(folder.watch);
    }
    for (auto& [name, entry] : folder.entries)
        if (entry.node) forgetWatches(*entry.node, watches);
}

}  // namespace orv::capture::live
