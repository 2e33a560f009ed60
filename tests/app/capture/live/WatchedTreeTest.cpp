#include "WatchedTree.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orv::capture::live {
namespace {

TEST(WatchedTree, MovingAFolderMovesEverythingBelowIt)
{
    WatchedTree tree;
    auto& root = tree.addRoot("/home/me", 1);
    auto& a = tree.watchEntry(root, "a", 2);
    auto& b = tree.watchEntry(a, "b", 3);
    auto& other = tree.watchEntry(root, "other", 4);
    tree.addName(b, "file.txt", false);

    EXPECT_TRUE(tree.moveEntry(root, "a", other, "moved").empty());
    EXPECT_EQ(tree.pathOf(*tree.byWatch(3), "file.txt"), "/home/me/other/moved/b/file.txt");
    EXPECT_EQ(tree.find(root, "a"), nullptr);

    // A folder cannot go below itself; such an event is stale and changes nothing.
    EXPECT_TRUE(tree.moveEntry(other, "moved", b, "loop").empty());
    EXPECT_EQ(tree.pathOf(b), "/home/me/other/moved/b");

    auto watches = tree.removeEntry(root, "other");
    std::sort(watches.begin(), watches.end());
    EXPECT_EQ(watches, (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(tree.byWatch(3), nullptr);
    EXPECT_EQ(tree.watchCount(), 1u);
}

TEST(WatchedTree, TheRootFolderDoesNotDoubleItsSlash)
{
    WatchedTree tree;
    auto& root = tree.addRoot("/", 1);
    EXPECT_EQ(tree.pathOf(tree.watchEntry(root, "srv", 2), "x"), "/srv/x");
}

}  // namespace
}  // namespace orv::capture::live
