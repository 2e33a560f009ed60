#include "KernelVersion.h"
#include "SystemFolders.h"
#include "UserDirs.h"

#include "IniCalls.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include <sys/utsname.h>

namespace {

using qdk::apifuns::SystemFolders;
using orv::test::ScratchDir;

class FakeEnvironment final : public qdk::apifuns::UserEnvironment {
public:
    FakeEnvironment(std::map<std::string, std::string> variables, std::string passwordHome = "/home/from-passwd")
        : variables_(std::move(variables)), passwordHome_(std::move(passwordHome))
    {
    }
    std::optional<std::string> variable(const char* name) const override
    {
        const auto found = variables_.find(name);
        if (found == variables_.end()) return std::nullopt;
        return found->second;
    }
    std::string passwordHome() const override { return passwordHome_; }

private:
    std::map<std::string, std::string> variables_;
    std::string passwordHome_;
};

TEST(SystemFolders, MapsTheApplicationDataAndSystemIdentifiers)
{
    struct Row {
        const char* name;
        std::map<std::string, std::string> variables;
        std::uint16_t id;
        std::string expected;
    };
    const Row rows[] = {
        {"26 is $XDG_DATA_HOME", {{"HOME", "/home/u"}, {"XDG_DATA_HOME", "/data/u/"}}, 26, "/data/u"},
        {"26 below the home folder", {{"HOME", "/home/u/"}}, 26, "/home/u/.local/share"},
        {"a relative XDG_DATA_HOME is ignored", {{"HOME", "/home/u"}, {"XDG_DATA_HOME", "data"}}, 26, "/home/u/.local/share"},
        {"without HOME the password entry", {}, 26, "/home/from-passwd/.local/share"},
        {"local application data alike", {{"HOME", "/home/u"}}, 28, "/home/u/.local/share"},
        {"35 is shared by all users", {{"HOME", "/home/u"}}, 35, "/var/tmp"},
        {"the home folder", {{"HOME", "/home/u"}}, 40, "/home/u"},
        {"the system root", {}, 36, "/usr"},
        {"the programs folder", {}, 38, "/opt"},
        {"a folder Linux does not have", {{"HOME", "/home/u"}}, 0x0008 /* recent documents */, ""},
        {"an identifier that names nothing", {{"HOME", "/home/u"}}, 9999, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const FakeEnvironment environment(row.variables);
        EXPECT_EQ(SystemFolders(environment).specialFolder(row.id), row.expected);
    }
    const FakeEnvironment none({});
    const std::string system = SystemFolders(none).specialFolder(9966);
    EXPECT_TRUE(std::filesystem::is_directory(system)) << system;
    EXPECT_TRUE(std::filesystem::exists(system + "/libc.so.6")) << system;
    EXPECT_EQ(SystemFolders(none).specialFolder(0x0025), system);
    EXPECT_EQ(SystemFolders(FakeEnvironment({}, "")).specialFolder(26), "");
}

TEST(SystemFolders, TakesTheUserFoldersFromUserDirsWithTheUsualNamesAsFallback)
{
    ScratchDir dir;
    dir.write("config/user-dirs.dirs",
              "# written by xdg-user-dirs-update\n"
              "XDG_DESKTOP_DIR=\"$HOME/\"\n"
              "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n"
              "XDG_MUSIC_DIR=\"/srv/music/\"\n"
              "XDG_PICTURES_DIR=\"Pictures\"\n"
              "XDG_TEMPLATES_DIR=\"$HOME/Vor\\\"lagen\"\n");
    const std::string home = "/home/u";
    const FakeEnvironment configured({{"HOME", home}, {"XDG_CONFIG_HOME", (dir / "config").string()}});
    const FakeEnvironment unconfigured({{"HOME", home}, {"XDG_CONFIG_HOME", (dir / "nothing").string()}});
    struct Row {
        const char* name;
        const FakeEnvironment& environment;
        std::uint16_t id;
        std::string expected;
    };
    const Row rows[] = {
        {"desktop set to the home folder", configured, 0x0000, home},
        {"desktop folder alike", configured, 0x0010, home},
        {"documents", configured, 0x0005, home + "/Dokumente"},
        {"music outside home", configured, 0x000d, "/srv/music"},
        {"a relative value is ignored", configured, 0x0027, home + "/Pictures"},
        {"an escaped quote", configured, 0x0015, home + "/Vor\"lagen"},
        {"videos not set", configured, 0x000e, home + "/Videos"},
        {"no user-dirs file", unconfigured, 0x0000, home + "/Desktop"},
        {"no user-dirs file, documents", unconfigured, 0x0005, home + "/Documents"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(SystemFolders(row.environment).specialFolder(row.id), row.expected);
    }
}

TEST(SystemFolders, ReadsUserDirsTheWayAShellWould)
{
    using qdk::apifuns::userDirOf;
    EXPECT_EQ(userDirOf("XDG_MUSIC_DIR=\"$HOME/a\"\nXDG_MUSIC_DIR=\"$HOME/b\"\n", "MUSIC", "/h"), "/h/b");
    EXPECT_EQ(userDirOf("  XDG_MUSIC_DIR=$HOME/a\\ b  \r\n", "MUSIC", "/h"), "/h/a b");
    EXPECT_EQ(userDirOf("XDG_MUSIC_DIR=\"$HOMEx/a\"\n", "MUSIC", "/h"), std::nullopt);
    EXPECT_EQ(userDirOf("# XDG_MUSIC_DIR=\"/a\"\nXDG_MUSICS_DIR=\"/b\"\n", "MUSIC", "/h"), std::nullopt);
}

TEST(SystemFolders, GivesTheSystemPathsAndATemporaryFolderEndingInASlash)
{
    EXPECT_EQ(SystemFolders::systemPath(u"W"), "/usr");
    EXPECT_EQ(SystemFolders::systemPath(u"P"), "/opt");
    for (const char16_t* other : {u"w", u"p", u"", u"WW"}) EXPECT_EQ(SystemFolders::systemPath(other), "");

    struct Row {
        std::map<std::string, std::string> variables;
        std::string expected;
    };
    const Row rows[] = {
        {{}, "/tmp/"},
        {{{"TMPDIR", "/scratch/tmp//"}}, "/scratch/tmp/"},
        {{{"TMPDIR", "relative"}}, "/tmp/"},
        {{{"TMPDIR", ""}}, "/tmp/"},
        {{{"TMPDIR", "/"}}, "/"},
    };
    for (const Row& row : rows) {
        const FakeEnvironment environment(row.variables);
        EXPECT_EQ(SystemFolders(environment).userTempFolder(), row.expected);
    }
}

TEST(SystemFolders, KernelReleaseGivesTheMajorVersion)
{
    using qdk::apifuns::majorVersionOf;
    EXPECT_EQ(majorVersionOf("6.1.0-18-amd64"), 6);
    EXPECT_EQ(majorVersionOf("10.4"), 10);
    EXPECT_EQ(majorVersionOf(""), 0);
    EXPECT_EQ(majorVersionOf("linux"), 0);
}

// The methods of the interface answer from this process's environment.
TEST(SystemFolders, TheInterfaceAnswersFromTheProcess)
{
    const ScratchDir dataHome;
    const char* previous = std::getenv("XDG_DATA_HOME");
    const std::optional<std::string> restore = previous ? std::optional<std::string>(previous) : std::nullopt;
    ASSERT_EQ(setenv("XDG_DATA_HOME", dataHome.path().c_str(), 1), 0);
    const orv::test::IniCalls calls;
    qdk::Bstr folder;
    const HRESULT found = calls.api()->GetSpecialFolder(26, folder.put());
    if (restore)
        setenv("XDG_DATA_HOME", restore->c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
    ASSERT_EQ(found, S_OK);
    EXPECT_EQ(orv::text::encodeText(folder.view()), dataHome.path().string());
    ASSERT_EQ(calls.api()->GetSpecialFolder(-1, folder.put()), S_OK);
    EXPECT_EQ(folder.view(), u"");

    qdk::Bstr temp;
    ASSERT_EQ(calls.api()->GetUserTempPath(temp.put()), S_OK);
    EXPECT_TRUE(temp.view().ends_with(u'/'));

    qdk::Bstr usr, none, wClass(u"W"), lower(u"w");
    ASSERT_EQ(calls.api()->GetSysPath(wClass.get(), usr.put()), S_OK);
    ASSERT_EQ(calls.api()->GetSysPath(lower.get(), none.put()), S_OK);
    EXPECT_EQ(usr.view(), u"/usr");
    EXPECT_EQ(none.view(), u"");

    std::int32_t version = -1;
    ASSERT_EQ(calls.api()->GetWindowsVersion(&version), S_OK);
    struct utsname names {};
    ASSERT_EQ(uname(&names), 0);
    EXPECT_EQ(version, std::atoi(names.release));
    EXPECT_GT(version, 0);
    EXPECT_EQ(calls.api()->GetWindowsVersion(nullptr), E_POINTER);
}

}  // namespace
