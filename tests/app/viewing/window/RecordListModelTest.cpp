#include "DisplayPattern.h"
#include "ProgramObjects.h"
#include "RecordListModel.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QLocale>

#include <string>
#include <vector>

namespace {

using orv::settings::DtfSettings;
using orv::settings::DtfSlot;
using orv::viewing::CellTextWidths;
using orv::viewing::DisplayFormat;
using orv::viewing::DisplayLocale;
using orv::viewing::LogRecords;
using orv::viewing::RecordListModel;
using orv::viewing::SortDirection;

DisplayFormat formatWithTime(const char* time)
{
    DtfSettings settings = DtfSettings::defaults();
    settings[DtfSlot::Time] = QString::fromUtf8(time);
    return DisplayFormat(orv::viewing::composeDisplayPattern(settings),
                         DisplayLocale::of(QLocale(QLocale::English, QLocale::UnitedStates)));
}

const std::array<RecordListModel::Column, 6> kColumns{{{"Time", 1605}, {"Object", 701}, {"Action", 765},
                                                       {"Path", 3500}, {"Original Name", 2500}, {"New Name", 1050}}};

LogRecords recordsOf(const std::vector<std::string>& lines)
{
    LogRecords records;
    for (const auto& line : lines) records.addLine(line);
    return records;
}

// A file's lines loaded as the window loads one: appended, then sorted newest first.
void load(RecordListModel& model, const std::vector<std::string>& lines)
{
    model.appendRecords(recordsOf(lines));
    model.sortBy(0, SortDirection::Descending);
}

std::vector<std::string> column(const RecordListModel& model, int c)
{
    std::vector<std::string> texts;
    for (int row = 0; row < model.rowCount(); ++row) texts.push_back(model.cellText(row, c).toStdString());
    return texts;
}

std::vector<int> greenRows(const RecordListModel& model)
{
    std::vector<int> rows;
    for (int row = 0; row < model.rowCount(); ++row)
        if (model.data(model.index(row, 0), RecordListModel::GreenRole).toBool()) rows.push_back(row);
    return rows;
}

std::string line(const std::string& time, const std::string& rest) { return time + "\t" + rest + "\r\n"; }

TEST(RecordListModel, TurnsLinesIntoRowsAsTheLogStoresThem)
{
    RecordListModel model(kColumns, formatWithTime("HH:MM:SS"));
    load(model, {
                    "2006-02-08 10:00:01\tFile\tRenamed\t/home/me/\told.txt\tnew.txt\r\n",
                    "2006-02-08 10:00:02\tFile\tCreated\t/home/me/\ta.txt\tleft over\r\n",
                    "\r\n",
                    "not a time\r\n",
                    "2006-02-08 25:00:00\tFile\tCreated\t/x/\tbad hour\r\n",
                    "2006-02-08 10:00:03\r\n",
                    "2006-02-08 10:00:04\tFolder\tDeleted\t/home/me/\r\n",
                    "2006-02-08 10:00:05\tFile\tCreated\t/home/me/tab\\there/\tback\\\\slash\\nline\r\n",
                    "2006-02-08 10:00:06\tFile\trenamed\t/a/\tx\ty\r\n",
                });
    // Newest first; New Name only for "Renamed", exactly so.
    const std::vector<std::vector<std::string>> expected{
        {"Feb 08 2006 10:00:06", "File", "renamed", "/a/", "x", ""},
        {"Feb 08 2006 10:00:05", "File", "Created", "/home/me/tab\there/", "back\\slash\nline", ""},
        {"Feb 08 2006 10:00:04", "Folder", "Deleted", "/home/me/", "", ""},
        {"Feb 08 2006 10:00:03", "", "", "", "", ""},
        {"Feb 08 2006 10:00:02", "File", "Created", "/home/me/", "a.txt", ""},
        {"Feb 08 2006 10:00:01", "File", "Renamed", "/home/me/", "old.txt", "new.txt"},
    };
    ASSERT_EQ(model.rowCount(), static_cast<int>(expected.size()));
    for (int row = 0; row < model.rowCount(); ++row) {
        SCOPED_TRACE(row);
        for (int c = 0; c < 6; ++c) EXPECT_EQ(model.cellText(row, c).toStdString(), expected[row][c]);
    }
    EXPECT_EQ(model.data(model.index(5, 0), RecordListModel::StoredTimeRole).toString(), u"2006-02-08 10:00:01"_qs);
    EXPECT_EQ(model.data(model.index(5, 3)).toString(), u"/home/me/"_qs);
}

TEST(RecordListModel, TheTimeColumnSortsByTheStoredTimeNotByItsText)
{
    struct Row {
        const char* name;
        const char* time;
        std::vector<std::string> lines;
        std::vector<std::string> newestFirst;
    };
    const Row rows[] = {
        {"months of two years", "HH:MM:SS",
         {line("2006-02-08 10:00:00", "File"), line("2007-01-03 10:00:00", "File"), line("2006-12-31 23:59:59", "File")},
         {"Jan 03 2007 10:00:00", "Dec 31 2006 23:59:59", "Feb 08 2006 10:00:00"}},
        {"the 12-hour clock", "HH:MM:SS AM/PM",
         {line("2006-02-08 11:00:00", "File"), line("2006-02-08 13:00:00", "File"), line("2006-02-08 00:30:00", "File")},
         {"Feb 08 2006 01:00:00 PM", "Feb 08 2006 11:00:00 AM", "Feb 08 2006 12:30:00 AM"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RecordListModel model(kColumns, formatWithTime(row.time));
        load(model, row.lines);
        EXPECT_EQ(column(model, 0), row.newestFirst);
        model.sortByHeaderClick(0);
        EXPECT_EQ(column(model, 0), std::vector<std::string>(row.newestFirst.rbegin(), row.newestFirst.rend()));
    }
}

TEST(RecordListModel, HeaderClicksFlipTheDirectionWhicheverColumnAndColoursStayWithTheirRecords)
{
    RecordListModel model(kColumns, formatWithTime("HH:MM:SS"));
    std::vector<std::string> lines;
    const char* paths[] = {"/b/", "/A/", "/c/", "/a/", "/é/", "/E/", "/d/"};
    const char* objects[] = {"Folder", "File", "Storage Media", "file"};
    for (int i = 0; i < 14; ++i) {
        char time[32];
        std::snprintf(time, sizeof time, "2006-02-08 10:%02d:00", i);
        lines.push_back(line(time, std::string(objects[i % 4]) + "\tCreated\t" + paths[i % 7] + "\tn" + std::to_string(i)));
    }
    load(model, lines);
    model.colorRows();
    EXPECT_EQ(greenRows(model), (std::vector<int>{0, 6, 12}));
    const std::vector<std::string> greenNames{"n13", "n7", "n1"};

    // Letter case ignored, equal texts in the order they had.
    model.sortByHeaderClick(3);
    EXPECT_EQ(model.sortDirection(), SortDirection::Ascending);
    EXPECT_EQ(column(model, 3), (std::vector<std::string>{"/a/", "/A/", "/a/", "/A/", "/b/", "/b/", "/c/", "/c/", "/d/",
                                                          "/d/", "/E/", "/E/", "/é/", "/é/"}));
    EXPECT_EQ(column(model, 4)[0], "n10");  // "/a/" of 10:10 stood above "/A/" of 10:08
    model.sortByHeaderClick(3);
    EXPECT_EQ(column(model, 3).front(), "/é/");
    EXPECT_EQ(model.sortDirection(), SortDirection::Descending);
    model.sortByHeaderClick(3);
    EXPECT_EQ(column(model, 3).front(), "/a/");
    model.sortByHeaderClick(1);
    EXPECT_EQ(model.sortDirection(), SortDirection::Descending);
    EXPECT_EQ(column(model, 1).front(), "Storage Media");
    EXPECT_EQ(model.cellText(model.rowCount() - 1, 1).toLower(), u"file"_qs);

    std::vector<std::string> stillGreen;
    for (int row : greenRows(model)) stillGreen.push_back(model.cellText(row, 4).toStdString());
    std::sort(stillGreen.begin(), stillGreen.end());
    EXPECT_EQ(stillGreen, (std::vector<std::string>{"n1", "n13", "n7"}));
    EXPECT_EQ(model.data(model.index(greenRows(model)[0], 2), Qt::ForegroundRole).value<QColor>(), QColor(0, 128, 0));
    EXPECT_FALSE(model.data(model.index(1, 2), Qt::ForegroundRole).isValid());
}

TEST(RecordListModel, TheNewestRecordsGoOnTopAsAReloadWouldPutThem)
{
    const std::vector<std::vector<std::string>> batches{
        {line("2006-02-08 10:00:00", "File\tCreated\t/a/\t1"), line("2006-02-08 10:00:01", "File\tCreated\t/a/\t2")},
        {line("2006-02-08 10:00:01", "File\tCreated\t/a/\t3"), line("2006-02-08 10:00:02", "File\tCreated\t/a/\t4")},
        // The clock went back.
        {line("2006-02-08 09:59:00", "File\tCreated\t/a/\t5"), line("2006-02-08 10:00:03", "File\tCreated\t/a/\t6")},
        {},
        {line("2006-02-08 10:00:03", "File\tCreated\t/a/\t7")},
    };
    RecordListModel followed(kColumns, formatWithTime("HH:MM:SS"));
    std::vector<std::string> all;
    for (std::size_t b = 0; b < batches.size(); ++b) {
        SCOPED_TRACE(b);
        if (b == 3) followed.sortByHeaderClick(3);  // the user sorted by Path in between
        all.insert(all.end(), batches[b].begin(), batches[b].end());
        followed.clearColors();
        followed.addNewestRecords(recordsOf(batches[b]));
        followed.colorRows();
        RecordListModel reloaded(kColumns, formatWithTime("HH:MM:SS"));
        load(reloaded, all);
        reloaded.colorRows();
        EXPECT_EQ(column(followed, 4), column(reloaded, 4));
        EXPECT_EQ(greenRows(followed), greenRows(reloaded));
        EXPECT_EQ(followed.sortColumn(), 0);
        EXPECT_EQ(followed.sortDirection(), SortDirection::Descending);
    }
    EXPECT_EQ(column(followed, 4), (std::vector<std::string>{"7", "6", "4", "3", "2", "1", "5"}));
}

// Every character is 100 twips wide, a drawn text 10 more.
class EvenWidths final : public CellTextWidths {
public:
    int characterWidth(char32_t) const override { return 100; }
    int textWidth(const QString& text) const override { return static_cast<int>(text.toUcs4().size()) * 100 + 10; }
};

TEST(RecordListModel, AdjListColWidFitsTheColumnsToTheirWidestTextButNotBelowTheirTags)
{
    auto genFuns = orv::lifecycle::createLibraryObject<_GenFuns>(CLSID_GenFuns, IID__GenFuns);
    ASSERT_TRUE(genFuns);
    EvenWidths widths;
    RecordListModel model(kColumns, formatWithTime("HH:MM:SS"));
    model.setCellTextWidths(&widths);
    IDispatch* target = model.reportListObject();
    const auto fit = [&] { ASSERT_EQ(genFuns->AdjListColWid(&target), S_OK); };
    const auto widthsNow = [&] {
        std::vector<int> w;
        for (int c = 0; c < 6; ++c) w.push_back(model.columnWidth(c));
        return w;
    };

    fit();  // no rows: nothing changes
    EXPECT_EQ(widthsNow(), (std::vector<int>{1605, 701, 765, 3500, 2500, 1050}));

    const std::string longPath = "/home/me/" + std::string(40, 'p') + "/";
    load(model, {line("2006-02-08 10:00:00", "Storage Media\tInserted\t" + longPath + "\tdisk"),
                 line("2006-02-08 10:00:01", "File\tRenamed\t/a/\tx\täöü-ünïcödé-näme-long")});
    fit();
    // 20 characters of time, 13 of "Storage Media", 8 of "Inserted", 50 of path, 21 of the new name.
    EXPECT_EQ(widthsNow(), (std::vector<int>{2010, 1310, 810, 5010, 2500, 2110}));

    model.clear();
    load(model, {line("2006-02-08 10:00:00", "File")});
    fit();
    EXPECT_EQ(widthsNow(), (std::vector<int>{2010, 701, 765, 3500, 2500, 1050}));

    void* object = nullptr;
    EXPECT_EQ(model.QueryInterface(IID__GenFuns, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
}

}  // namespace
