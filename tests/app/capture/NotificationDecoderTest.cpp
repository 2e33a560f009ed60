#include "CapturePrinters.h"
#include "FileItem.h"
#include "MountPointItem.h"
#include "NotificationDecoder.h"
#include "ProgramObjects.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace orv::capture {
namespace {

// An item that counts how often it is asked anything.
class CountingItem final : public ShellItem {
public:
    std::string displayName() const override { return ++reads, "x.txt"; }
    std::string fileSystemPath() const override { return ++reads, "/a/x.txt"; }
    mutable int reads = 0;
};

// An item the file system does not know: a name but no path.
class PathlessItem final : public ShellItem {
public:
    std::string displayName() const override { return "Network"; }
    std::string fileSystemPath() const override { return {}; }
};

class NotificationDecoderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(objects.genFuns(), nullptr); }

    lifecycle::ProgramObjects objects;
    NotificationDecoder decoder{objects.genFuns()};
    const FileItem x{"/a/x.txt"};
    const FileItem y{"/a/y.txt"};
    const MountPointItem usb{"/media/me/USB", ""};
};

TEST_F(NotificationDecoderTest, EveryCodeOfTheTable)
{
    using R = ActivityRecord;
    struct Row {
        std::uint32_t code;
        const ShellItem* first;
        const ShellItem* second;
        std::optional<ActivityRecord> expected;
    };
    const Row rows[] = {
        {0x00000001, &x, &y, R{"File", "Renamed", "/a/", "x.txt", "y.txt"}},
        {0x00000002, &x, nullptr, R{"File", "Created", "/a/", "x.txt", ""}},
        {0x00000004, &x, nullptr, R{"File", "Deleted", "/a/", "x.txt", ""}},
        {0x00000008, &x, nullptr, R{"Folder", "Created", "/a/", "x.txt", ""}},
        {0x00000010, &x, nullptr, R{"Folder", "Deleted", "/a/", "x.txt", ""}},
        {0x00020000, &x, &y, R{"Folder", "Renamed", "/a/", "x.txt", "y.txt"}},
        {0x00000020, &usb, nullptr, R{"Storage Media", "Inserted", "/media/me/USB/", "USB", ""}},
        {0x00000040, &usb, nullptr, R{"Storage Media", "Removed", "/media/me/USB/", "USB", ""}},
        {0x00000100, &usb, nullptr, R{"Driver", "Added", "/media/me/USB/", "USB", ""}},
        {0x00000080, &usb, nullptr, R{"Driver", "Removed", "/media/me/USB/", "USB", ""}},
        // Named events that make no record, and the composite masks.
        {0x00000200, &x, nullptr, std::nullopt},
        {0x00000400, &x, nullptr, std::nullopt},
        {0x00000800, &x, nullptr, std::nullopt},
        {0x00001000, &x, nullptr, std::nullopt},
        {0x00002000, &x, nullptr, std::nullopt},
        {0x00004000, &x, nullptr, std::nullopt},
        {0x00008000, &x, nullptr, std::nullopt},
        {0x00010000, &x, nullptr, std::nullopt},
        {0x00040000, &x, nullptr, std::nullopt},
        {0x08000000, &x, nullptr, std::nullopt},
        {0x0002381F, &x, nullptr, std::nullopt},
        {0x0C0581E0, &x, nullptr, std::nullopt},
        {0x7FFFFFFF, &x, nullptr, std::nullopt},
        {0x80000000, &x, nullptr, std::nullopt},
        // Known events with extra bits, and codes of no event.
        {0x80000002, &x, nullptr, std::nullopt},
        {0x80000001, &x, &y, std::nullopt},
        {0x00000003, &x, nullptr, std::nullopt},
        {0x00000022, &usb, nullptr, std::nullopt},
        {0x00000000, &x, nullptr, std::nullopt},
        {0x40000000, &x, nullptr, std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "code 0x" << std::hex << row.code);
        EXPECT_EQ(decoder.decode({row.code, row.first, row.second}), row.expected);
    }
}

TEST_F(NotificationDecoderTest, ItemEdgeCases)
{
    const FileItem xUpper{"/a/X.txt"};
    const FileItem nameless{"/a/"};
    const PathlessItem pathless;
    const MountPointItem labelled{"/media/me/USB", "Holiday photos"};
    struct Row {
        const char* name;
        Notification notification;
        std::optional<ActivityRecord> expected;
    };
    const Row rows[] = {
        {"rename to the same name", {0x1, &x, &x}, std::nullopt},
        {"rename that changes only letter case", {0x1, &x, &xUpper}, ActivityRecord{"File", "Renamed", "/a/", "x.txt", "X.txt"}},
        {"rename without its new item", {0x1, &x, nullptr}, ActivityRecord{"File", "Renamed", "/a/", "x.txt", ""}},
        {"file without a first item", {0x2, nullptr, nullptr}, std::nullopt},
        {"file whose display name is empty", {0x2, &nameless, nullptr}, std::nullopt},
        {"file with a name but no path", {0x2, &pathless, nullptr}, std::nullopt},
        {"medium with a name but no path", {0x20, &pathless, nullptr}, ActivityRecord{"Storage Media", "Inserted", "", "Network", ""}},
        {"medium shown by its label", {0x20, &labelled, nullptr},
         ActivityRecord{"Storage Media", "Inserted", "/media/me/USB/", "Holiday photos", ""}},
        {"second item of a creation is its new name", {0x2, &x, &y}, ActivityRecord{"File", "Created", "/a/", "x.txt", "y.txt"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(decoder.decode(row.notification), row.expected);
    }
}

TEST_F(NotificationDecoderTest, ItemsOfImageAndFreeSpaceEventsAreNeverRead)
{
    for (const std::uint32_t code : {0x00008000u, 0x00040000u}) {
        const CountingItem first, second;
        EXPECT_EQ(decoder.decode({code, &first, &second}), std::nullopt);
        EXPECT_EQ(first.reads + second.reads, 0) << std::hex << code;
    }
    const CountingItem read;
    decoder.decode({0x00001000, &read, nullptr});
    EXPECT_GT(read.reads, 0);
}

}  // namespace
}  // namespace orv::capture
