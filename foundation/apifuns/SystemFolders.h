#pragma once

#include "UserEnvironment.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qdk::apifuns {

// The folders that callers ask for by shell folder identifier or by class, on Linux. Paths come
// without a trailing "/" (except the root), the temporary folder with one.
class SystemFolders {
public:
    // The identifiers that have a Linux folder; any other gives "".
    enum Id : std::uint16_t {
        kDesktop = 0x0000,
        kDocuments = 0x0005,
        kMusic = 0x000d,
        kVideos = 0x000e,
        kDesktopDirectory = 0x0010,
        kTemplates = 0x0015,
        kApplicationData = 0x001a,       // $XDG_DATA_HOME
        kLocalApplicationData = 0x001c,  // the same: Linux has no roaming profiles
        kSharedApplicationData = 0x0023, // /var/tmp
        kSystemRoot = 0x0024,            // /usr
        kSystem = 0x0025,                // the system library folder
        kProgramFiles = 0x0026,          // /opt
        kPictures = 0x0027,
        kHome = 0x0028,
        kSystemLibraries = 9966,         // the library's own identifier, as kSystem
    };

    explicit SystemFolders(const UserEnvironment& environment);

    // The folder for a shell folder identifier; "" when it has none or the user's home is unknown.
    // The user's folders (desktop, documents, ...) come from $XDG_CONFIG_HOME/user-dirs.dirs,
    // else $HOME/Desktop and the like, as desktops make them.
    std::string specialFolder(std::uint16_t id) const;

    // "W" the system root /usr, "P" the folder of add-on programs /opt; anything else "" (letter
    // case counts).
    static std::string systemPath(std::u16string_view pathClass);

    // $TMPDIR when it is an absolute path, else /tmp; always ending in "/".
    std::string userTempFolder() const;

private:
    std::string home() const;
    std::string baseFolder(const char* variable, std::string_view belowHome) const;
    std::string userFolder(std::string_view name, std::string_view belowHome) const;

    const UserEnvironment& environment_;
};

}  // namespace qdk::apifuns
