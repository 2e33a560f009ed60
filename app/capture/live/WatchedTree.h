#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orv::capture::live {

// What the folder source knows of the watched folders: for each root, the folders below it with
// their watch and the names of everything they hold. A folder knows its parent and its own name
// only, so that renaming or moving a folder moves everything below it at once; paths are put
// together when they are needed. Used on the reader thread only.
class WatchedTree {
public:
    struct Folder;
    struct Entry {
        bool isFolder = false;
        std::unique_ptr<Folder> node;  // set for a folder that is watched
    };
    struct Folder {
        Folder* parent = nullptr;
        std::string name;  // a root's is its full path
        int watch = -1;    // -1 once the kernel has dropped the watch
        std::unordered_map<std::string, Entry> entries;
    };

    WatchedTree() = default;
    WatchedTree(const WatchedTree&) = delete;
    WatchedTree& operator=(const WatchedTree&) = delete;

    Folder& addRoot(std::string path, int watch);
    // The root with this path; null when there is none.
    Folder* root(std::string_view path) const;
    const std::vector<std::unique_ptr<Folder>>& roots() const { return roots_; }
    // Forgets a root with everything below it; returns the watches it held.
    std::vector<int> removeRoot(Folder& root);

    Folder* byWatch(int watch) const;
    std::size_t watchCount() const { return byWatch_.size(); }

    std::string pathOf(const Folder& folder) const;
    std::string pathOf(const Folder& folder, std::string_view name) const;
    // folder + '/' + name, without doubling the '/' of the root folder.
    static std::string joinPath(std::string folder, std::string_view name);
    // True when folder is ancestor itself or lies below it.
    static bool isWithin(const Folder& folder, const Folder& ancestor);

    const Entry* find(const Folder& folder, const std::string& name) const;
    // Records a name; false when the folder knew it already.
    bool addName(Folder& folder, std::string name, bool isFolder);
    // Gives a folder entry of parent (recorded when missing) its watch; returns its node.
    Folder& watchEntry(Folder& parent, const std::string& name, int watch);
    // The kernel dropped the folder's watch; the folder and its names stay until their own events.
    void unwatch(Folder& folder);
    // Forgets an entry with everything below it; returns the watches it held.
    std::vector<int> removeEntry(Folder& folder, const std::string& name);
    // Moves an entry with everything below it to another name, maybe in another folder. An entry
    // already there is replaced; the watches it held are returned.
    std::vector<int> moveEntry(Folder& from, const std::string& oldName, Folder& to, std::string newName);

private:
    void forgetWatches(Folder& folder, std::vector<int>& watches);

    std::vector<std::unique_ptr<Folder>> roots_;
    std::unordered_map<int, Folder*> byWatch_;
};

}  // namespace orv::capture::live
