#include "ShellEventTable.h"

#include <array>

namespace orv::capture {

namespace {

struct NamedCode {
    std::string_view name;
    std::uint32_t code;
};

constexpr std::array<NamedCode, 24> kEventNames{{
    {"SHCNE_RENAMEITEM", kRenameItemEvent},
    {"SHCNE_CREATE", kCreateEvent},
    {"SHCNE_DELETE", kDeleteEvent},
    {"SHCNE_MKDIR", kMakeFolderEvent},
    {"SHCNE_RMDIR", kRemoveFolderEvent},
    {"SHCNE_MEDIAINSERTED", kMediaInsertedEvent},
    {"SHCNE_MEDIAREMOVED", kMediaRemovedEvent},
    {"SHCNE_DRIVEREMOVED", kDriveRemovedEvent},
    {"SHCNE_DRIVEADD", kDriveAddedEvent},
    {"SHCNE_NETSHARE", 0x00000200},
    {"SHCNE_NETUNSHARE", 0x00000400},
    {"SHCNE_ATTRIBUTES", 0x00000800},
    {"SHCNE_UPDATEDIR", 0x00001000},
    {"SHCNE_UPDATEITEM", 0x00002000},
    {"SHCNE_SERVERDISCONNECT", 0x00004000},
    {"SHCNE_UPDATEIMAGE", kUpdateImageEvent},
    {"SHCNE_DRIVEADDGUI", 0x00010000},
    {"SHCNE_RENAMEFOLDER", kRenameFolderEvent},
    {"SHCNE_FREESPACE", kFreeSpaceEvent},
    {"SHCNE_ASSOCCHANGED", 0x08000000},
    {"SHCNE_DISKEVENTS", 0x0002381F},
    {"SHCNE_GLOBALEVENTS", 0x0C0581E0},
    {"SHCNE_ALLEVENTS", 0x7FFFFFFF},
    {"SHCNE_INTERRUPT", 0x80000000},
}};

struct Words {
    std::string_view eventName;
    ObjectAndAction words;
};

constexpr std::array<Words, 10> kRecordWords{{
    {"SHCNE_RENAMEITEM", {"File", "Renamed"}},
    {"SHCNE_CREATE", {"File", "Created"}},
    {"SHCNE_DELETE", {"File", "Deleted"}},
    {"SHCNE_MKDIR", {"Folder", "Created"}},
    {"SHCNE_RMDIR", {"Folder", "Deleted"}},
    {"SHCNE_RENAMEFOLDER", {"Folder", "Renamed"}},
    {"SHCNE_MEDIAINSERTED", {"Storage Media", "Inserted"}},
    {"SHCNE_MEDIAREMOVED", {"Storage Media", "Removed"}},
    {"SHCNE_DRIVEADD", {"Driver", "Added"}},
    {"SHCNE_DRIVEREMOVED", {"Driver", "Removed"}},
}};

}  // namespace

std::string_view shellEventName(std::uint32_t code)
{
    for (const auto& entry : kEventNames)
        if (entry.code == code) return entry.name;
    return {};
}

ObjectAndAction objectAndActionOf(std::string_view eventName)
{
    for (const auto& entry : kRecordWords)
        if (entry.eventName == eventName) return entry.words;
    return {};
}

}  // namespace orv::capture
