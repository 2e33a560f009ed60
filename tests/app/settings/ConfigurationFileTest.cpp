#include "ConfigurationFile.h"

#include "ProgramObjects.h"
#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

namespace orv::settings {

// For failure messages: the six values.
void PrintTo(const DtfSettings& table, std::ostream* out)
{
    for (DtfSlot slot : DtfSettings::kSlots) *out << '"' << table[slot].toStdString() << "\" ";
}

}  // namespace orv::settings

namespace {

using orv::settings::ConfigurationFile;
using orv::settings::DtfSettings;
using orv::settings::DtfSlot;
using orv::test::ScratchDir;

const std::string kDefaultFile =
    "[DTF]\r\nSequence=Month Day Year\r\nSeparator={Space}\r\nYear=YYYY\r\nMonth=MMM\r\nDay=DD\r\nTime=HH:MM:SS\r\n";

DtfSettings tableOf(std::initializer_list<const char*> values)
{
    DtfSettings table;
    auto value = values.begin();
    for (DtfSlot slot : DtfSettings::kSlots) table[slot] = QString::fromUtf8(*value++);
    return table;
}

class ConfigurationFileTest : public ::testing::Test {
protected:
    // The real library object, as the program creates it.
    qdk::ComPtr<_APIFuns> apiFuns = orv::lifecycle::createLibraryObject<_APIFuns>(CLSID_APIFuns, IID__APIFuns);
    ScratchDir dir;

    ConfigurationFile configuration(const std::filesystem::path& file) const
    {
        return ConfigurationFile(apiFuns.get(), QString::fromStdString(file.string()));
    }
};

TEST_F(ConfigurationFileTest, StartUpRepairsAFileWithoutSequenceAndTakesAnythingElseAsItIs)
{
    ASSERT_TRUE(apiFuns);
    struct Row {
        const char* name;
        std::optional<std::string> before;  // nothing: no file
        std::string after;                  // the file afterwards
        DtfSettings table;
    };
    const DtfSettings defaults = DtfSettings::defaults();
    const std::string yearMonthDay = "[DTF]\r\nSequence=Year Month Day\r\nSeparator=-\r\nYear=YY\r\nMonth=M\r\nTime=H:M:S\r\n";
    const Row rows[] = {
        {"first start, no file", std::nullopt, kDefaultFile, defaults},
        {"an empty file", "", kDefaultFile, defaults},
        {"a file without DTF keeps what it has", "[Window]\nLeft=10\n",
         "[Window]\nLeft=10\n[DTF]\nSequence=Month Day Year\nSeparator={Space}\nYear=YYYY\nMonth=MMM\nDay=DD\nTime=HH:MM:SS\n",
         defaults},
        {"an empty Sequence rewrites all six", "[DTF]\r\nSequence=\r\nYear=YY\r\n",
         "[DTF]\r\nSequence=Month Day Year\r\nYear=YYYY\r\nSeparator={Space}\r\nMonth=MMM\r\nDay=DD\r\nTime=HH:MM:SS\r\n", defaults},
        {"a missing Day stays missing", yearMonthDay, yearMonthDay,
         tableOf({"Year Month Day", "-", "YY", "M", "", "H:M:S"})},
        {"names in any letter case, values as they are",
         "[dtf]\nSEQUENCE=month day year\nseparator=_\nTIME=  HH:MM  \n",
         "[dtf]\nSEQUENCE=month day year\nseparator=_\nTIME=  HH:MM  \n",
         tableOf({"month day year", "_", "", "", "", "HH:MM"})},
        {"a slash between blanks loads as a slash", "[DTF]\nSequence=Day Month Year\nSeparator= / \n",
         "[DTF]\nSequence=Day Month Year\nSeparator= / \n", tableOf({"Day Month Year", "/", "", "", "", ""})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto file = dir / "configuration.ini";
        std::filesystem::remove(file);
        if (row.before) dir.write("configuration.ini", *row.before);
        DtfSettings table = tableOf({"stale", "stale", "stale", "stale", "stale", "stale"});
        configuration(file).loadAtStartUp(table);
        EXPECT_EQ(ScratchDir::read(file), row.after);
        EXPECT_EQ(table, row.table);
    }
}

TEST_F(ConfigurationFileTest, DefaultsReplaceTheSixValuesAndKeepTheRestOfTheFile)
{
    const auto file = dir.write("configuration.ini",
                                "; Orvane\r\n[Window]\r\nLeft=10\r\n\r\n[DTF]\r\nSequence=Day Month Year\r\n"
                                "; chosen by hand\r\nTime = H:M:S AM/PM\r\n\r\n[Tail]\r\nDay=D\r\n");
    const ConfigurationFile configuration = this->configuration(file);
    configuration.writeDefaultSettings();
    EXPECT_EQ(ScratchDir::read(file),
              "; Orvane\r\n[Window]\r\nLeft=10\r\n\r\n[DTF]\r\nSequence=Month Day Year\r\n"
              "; chosen by hand\r\nTime = HH:MM:SS\r\nSeparator={Space}\r\nYear=YYYY\r\nMonth=MMM\r\nDay=DD\r\n"
              "\r\n[Tail]\r\nDay=D\r\n");
    DtfSettings table;
    configuration.loadSettings(table);
    EXPECT_EQ(table, DtfSettings::defaults());
}

TEST_F(ConfigurationFileTest, WithoutAFolderOrALibraryObjectTheSettingsStayEmpty)
{
    const auto missingFolder = dir / "no-data-folder";
    DtfSettings table = tableOf({"stale", "stale", "stale", "stale", "stale", "stale"});
    configuration(missingFolder / "configuration.ini").loadAtStartUp(table);
    EXPECT_EQ(table, DtfSettings());
    EXPECT_FALSE(std::filesystem::exists(missingFolder));

    table = DtfSettings::defaults();
    ConfigurationFile(nullptr, QString::fromStdString((dir / "configuration.ini").string())).loadAtStartUp(table);
    EXPECT_EQ(table, DtfSettings());
    EXPECT_FALSE(std::filesystem::exists(dir / "configuration.ini"));
}

}  // namespace
