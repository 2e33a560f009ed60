#pragma once

#include <cstdint>
#include <string_view>

// The shell's event codes and the words Orvane stores for them. Every part that shows or stores
// an object or action word takes it from here.
namespace orv::capture {

// The codes that make records, for the notification sources that deliver them.
inline constexpr std::uint32_t kRenameItemEvent = 0x00000001;
inline constexpr std::uint32_t kCreateEvent = 0x00000002;
inline constexpr std::uint32_t kDeleteEvent = 0x00000004;
inline constexpr std::uint32_t kMakeFolderEvent = 0x00000008;
inline constexpr std::uint32_t kRemoveFolderEvent = 0x00000010;
inline constexpr std::uint32_t kMediaInsertedEvent = 0x00000020;
inline constexpr std::uint32_t kMediaRemovedEvent = 0x00000040;
inline constexpr std::uint32_t kDriveRemovedEvent = 0x00000080;
inline constexpr std::uint32_t kDriveAddedEvent = 0x00000100;
inline constexpr std::uint32_t kRenameFolderEvent = 0x00020000;

// Codes whose items are never read: their items carry nothing a record could use.
inline constexpr std::uint32_t kUpdateImageEvent = 0x00008000;
inline constexpr std::uint32_t kFreeSpaceEvent = 0x00040000;

// The name of a code by exact 32-bit comparison ("SHCNE_CREATE" for 0x2); "" for any other code,
// a known code with extra bits included.
std::string_view shellEventName(std::uint32_t code);

struct ObjectAndAction {
    std::string_view object;
    std::string_view action;
};

// The object and action words of the ten event names that make records; empty words otherwise.
ObjectAndAction objectAndActionOf(std::string_view eventName);

}  // namespace orv::capture
