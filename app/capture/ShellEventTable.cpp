#include "ShellEventTable.h"

#include <array>

namespace orv::capture {

namespace {

struct NamedCode {
    std::string_view name;
    std::uint32_t code;
};

constexpr std::array<NamedCode, 24> kEventNames{{
    {"SHCNE_RENAMEITEM", 0x00000001},
    {"SHCNE_CREATE", 0x00000002},
    {"SHCNE_DELETE", 0x00000004},
    {"SHCNE_MKDIR", 0x00000008},
    {"SHCNE_RMDIR", 0x00000010},
    {"SHCNE_MEDIAINSERTED", 0x00000020},
    {"SHCNE_MEDIAREMOVED", 0x00000040},
    {"SHCNE_DRIVEREMOVED", 0x00000080},
    {"SHCNE_DRIVEADD", 0x00000100},
    {"SHCNE_NETSHARE", 0x00000200},
    {"SHCNE_NETUNSHARE", 0x00000400},
    {"SHCNE_ATTRIBUTES", 0x00000800},
    {"SHCNE_UPDATEDIR", 0x00001000},
    {"SHCNE_UPDATEITEM", 0x00002000},
    {"SHCNE_SERVERDISCONNECT", 0x00004000},
    {"SHCNE_UPDATEIMAGE", kUpdateImageEvent},
    {"SHCNE_DRIVEADDGUI", 0x00010000},
    {"SHCNE_RENAMEFOLDER", 0x00020000},
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
