#include "CommandLine.h"

#include "ScratchDir.h"

#include <gtest/gtest.h>

namespace {

using orv::lifecycle::CommandLineOutcome;

TEST(CommandLine, ReadsWatchedFoldersAndRefusesMistakes)
{
    orv::test::ScratchDir home;
    const QString base = QString::fromStdString(home.path().string());
    std::filesystem::create_directories(home / "a");
    std::filesystem::create_directories(home / "b");
    home.write("plain.txt", "x");

    const struct {
        const char* name;
        QStringList arguments;
        int exitCode;
        std::vector<std::filesystem::path> roots;  // when it runs
        const char* output;                        // a piece of what it prints, when it does not
    } rows[] = {
        {"the home folder by default", {"orv"}, 0, {home.path()}, nullptr},
        {"repeated --watch, made absolute and clean", {"orv", "--watch", base + "/a/", "--watch=" + base + "/b/../a"}, 0,
         {home / "a", home / "a"}, nullptr},
        {"a missing folder", {"orv", "--watch", base + "/none"}, 2, {}, "no such folder"},
        {"a file", {"orv", "--watch", base + "/plain.txt"}, 2, {}, "not a folder"},
        {"--watch without a folder", {"orv", "--watch"}, 2, {}, "--watch"},
        {"an unknown option", {"orv", "--frobnicate"}, 2, {}, "frobnicate"},
        {"a stray argument", {"orv", "extra"}, 2, {}, "extra"},
        {"the version", {"orv", "--version"}, 0, {}, "orv 2.0 (build 015)"},
        {"the help", {"orv", "--help"}, 0, {}, "--watch <DIR>"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto outcome = CommandLineOutcome::parse(row.arguments, base);
        EXPECT_EQ(outcome.exitCode, row.exitCode);
        if (row.output) {
            EXPECT_FALSE(outcome.run);
            EXPECT_TRUE(outcome.output.contains(QString::fromUtf8(row.output))) << outcome.output.toStdString();
            EXPECT_EQ(outcome.toStandardError, row.exitCode != 0);
        } else {
            ASSERT_TRUE(outcome.run);
            EXPECT_EQ(outcome.run->watchedRoots, row.roots);
        }
    }
}

}  // namespace
