#include "DataFolders.h"
#include "ProgramObjects.h"

#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <sys/stat.h>

namespace {

using orv::lifecycle::DataFolders;

mode_t modeOf(const std::filesystem::path& p)
{
    struct stat s {};
    EXPECT_EQ(stat(p.c_str(), &s), 0) << p;
    return s.st_mode & 07777;
}

TEST(DataFolders, FirstStartMakesTheWholeFolderPrivately)
{
    orv::test::ScratchDir scratch;
    const auto appData = scratch / "new-account/.local/share";  // not there yet either
    setenv("XDG_DATA_HOME", appData.c_str(), 1);
    orv::lifecycle::ProgramObjects objects;
    const auto folders = DataFolders::locate(objects.apiFuns());
    EXPECT_EQ(folders.logsFolder, appData / "VLM/ORV/logs");
    EXPECT_EQ(folders.configurationFile, appData / "VLM/ORV/configuration.ini");

    EXPECT_TRUE(folders.prepare().empty());
    for (const auto& folder : {appData / "VLM", appData / "VLM/ORV", appData / "VLM/ORV/logs"}) {
        EXPECT_TRUE(std::filesystem::is_directory(folder));
        EXPECT_EQ(modeOf(folder), 0700u);
    }
    for (const auto& file : {folders.configurationFile, appData / "VLM/ORV" / DataFolders::kMarkerName}) {
        EXPECT_EQ(std::filesystem::file_size(file), 0u);
        EXPECT_EQ(modeOf(file), 0600u);
    }
}

TEST(DataFolders, AnExistingConfigurationIsLeftAsItIs)
{
    orv::test::ScratchDir scratch;
    setenv("XDG_DATA_HOME", scratch.path().c_str(), 1);
    scratch.write("VLM/ORV/configuration.ini", "[DTF]\r\nSequence=Year Month Day\r\n");
    orv::lifecycle::ProgramObjects objects;
    const auto folders = DataFolders::locate(objects.apiFuns());
    EXPECT_TRUE(folders.prepare().empty());
    EXPECT_EQ(orv::test::ScratchDir::read(folders.configurationFile), "[DTF]\r\nSequence=Year Month Day\r\n");
    EXPECT_TRUE(std::filesystem::is_directory(folders.logsFolder));
}

TEST(DataFolders, WhatCannotBeMadeIsReportedByCallAndPath)
{
    orv::test::ScratchDir scratch;
    scratch.write("VLM", "a file where the maker folder belongs");
    DataFolders folders{scratch / "VLM/ORV", scratch / "VLM/ORV/logs", scratch / "VLM/ORV/configuration.ini"};
    const auto failures = folders.prepare();
    ASSERT_FALSE(failures.empty());
    EXPECT_NE(failures.front().find("mkdir " + (scratch / "VLM/ORV").string()), std::string::npos) << failures.front();

    DataFolders nowhere = DataFolders::locate(nullptr);
    EXPECT_FALSE(nowhere.prepare().empty());
}

}  // namespace
