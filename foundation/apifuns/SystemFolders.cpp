#include "SystemFolders.h"

#include "PosixFile.h"
#include "UserDirs.h"

#include <system_error>

#include <fcntl.h>

namespace qdk::apifuns {

namespace {

std::string withoutTrailingSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

bool isAbsolute(const std::optional<std::string>& path) { return path && path->starts_with('/'); }

}  // namespace

SystemFolders::SystemFolders(const UserEnvironment& environment) : environment_(environment) {}

std::string SystemFolders::specialFolder(std::uint16_t id) const
{
    switch (id) {
    case kDesktop:
    case kDesktopDirectory: return userFolder("DESKTOP", "Desktop");
    case kDocuments: return userFolder("DOCUMENTS", "Documents");
    case kMusic: return userFolder("MUSIC", "Music");
    case kVideos: return userFolder("VIDEOS", "Videos");
    case kPictures: return userFolder("PICTURES", "Pictures");
    case kTemplates: return userFolder("TEMPLATES", "Templates");
    case kApplicationData:
    case kLocalApplicationData: return baseFolder("XDG_DATA_HOME", ".local/share");
    case kSharedApplicationData: return "/var/tmp";
    case kSystemRoot: return systemPath(u"W");
    case kProgramFiles: return systemPath(u"P");
    case kSystem:
    case kSystemLibraries: return QDK_SYSTEM_LIBRARY_DIR;
    case kHome: return home();
    default: return "";
    }
}

std::string SystemFolders::systemPath(std::u16string_view pathClass)
{
    if (pathClass == u"W") return "/usr";
    if (pathClass == u"P") return "/opt";
    return "";
}

std::string SystemFolders::userTempFolder() const
{
    const std::optional<std::string> tmpdir = environment_.variable("TMPDIR");
    const std::string folder = isAbsolute(tmpdir) ? withoutTrailingSlash(*tmpdir) : "/tmp";
    return folder == "/" ? folder : folder + "/";
}

std::string SystemFolders::home() const
{
    const std::optional<std::string> variable = environment_.variable("HOME");
    return withoutTrailingSlash(isAbsolute(variable) ? *variable : environment_.passwordHome());
}

// An XDG base folder: the variable when it holds an absolute path (relative ones are invalid and
// ignored), else its default below the home folder.
std::string SystemFolders::baseFolder(const char* variable, std::string_view belowHome) const
{
    const std::optional<std::string> value = environment_.variable(variable);
    if (isAbsolute(value)) return withoutTrailingSlash(*value);
    const std::string home = this->home();
    return home.empty() ? "" : home + "/" + std::string(belowHome);
}

std::string SystemFolders::userFolder(std::string_view name, std::string_view belowHome) const
{
    const std::string home = this->home();
    if (home.empty()) return "";
    try {
        const std::string dirs = PosixFile(baseFolder("XDG_CONFIG_HOME", ".config") + "/user-dirs.dirs",
                                           O_RDONLY | O_NONBLOCK)
                                     .readAll(std::size_t{1} << 20);
        if (const std::optional<std::string> folder = userDirOf(dirs, name, home)) return withoutTrailingSlash(*folder);
    } catch (const std::system_error&) {
        // No readable user-dirs.dirs: the folders have their usual names.
    }
    return home + "/" + std::string(belowHome);
}

}  // namespace qdk::apifuns
