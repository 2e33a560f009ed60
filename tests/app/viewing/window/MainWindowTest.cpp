#include "DailyLogWriter.h"
#include "FakeClock.h"
#include "FakeMessageBoxes.h"
#include "LogPaths.h"
#include "PosixLogFileSystem.h"
#include "ProgramObjects.h"
#include "ScratchDir.h"
#include "frmPubDetail.h"
#include "frmPubMain.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

namespace {

using orv::capture::LocalDate;
using orv::capture::LocalDateTime;
using orv::capture::LogPaths;
using orv::lifecycle::MessageIcon;
using orv::viewing::frmPubMain;
using orv::viewing::LogListView;
using orv::viewing::RecordListModel;
using orv::viewing::SortDirection;

const LocalDateTime kNoon{{2006, 2, 8}, 12, 0, 0};

std::string line(const LocalDate& day, int second, const std::string& name)
{
    char time[32];
    std::snprintf(time, sizeof time, "%04d-%02d-%02d 10:%02d:%02d", day.year, day.month, day.day, second / 60,
                  second % 60);
    return std::string(time) + "\tFile\tCreated\t/home/me/\t" + name + "\t\r\n";
}

std::vector<std::string> column(const LogListView* list, int c)
{
    std::vector<std::string> texts;
    for (int row = 0; row < list->records()->rowCount(); ++row)
        texts.push_back(list->records()->cellText(row, c).toStdString());
    return texts;
}

std::vector<int> greenRows(const LogListView* list)
{
    std::vector<int> rows;
    const RecordListModel* model = list->records();
    for (int row = 0; row < model->rowCount(); ++row)
        if (model->data(model->index(row, 0), RecordListModel::GreenRole).toBool()) rows.push_back(row);
    return rows;
}

class MainWindowTest : public ::testing::Test {
protected:
    orv::test::ScratchDir dir;
    std::filesystem::path logs = dir / "logs";
    orv::capture::test::FakeClock clock{kNoon};
    orv::test::FakeMessageBoxes messages;
    orv::settings::DtfSettings settings = orv::settings::DtfSettings::defaults();
    qdk::ComPtr<_GenFuns> genFuns = orv::lifecycle::createLibraryObject<_GenFuns>(CLSID_GenFuns, IID__GenFuns);
    std::unique_ptr<frmPubMain> window = makeWindow();

    std::unique_ptr<frmPubMain> makeWindow()
    {
        return std::make_unique<frmPubMain>(genFuns.get(), settings, logs, clock, messages,
                                            QLocale(QLocale::English, QLocale::UnitedStates));
    }

    // A day's file with `count` records, one a second from 10:00:00, named "<day>-<n>".
    void writeDay(const LocalDate& day, int count)
    {
        std::string bytes;
        for (int n = 0; n < count; ++n) bytes += line(day, n, std::to_string(day.day) + "-" + std::to_string(n));
        dir.write(LogPaths::dailyFile(logs, day).lexically_relative(dir.path()).string(), bytes);
    }

    QString rowsPanel() const { return window->statusPanel(1)->text(); }
};

TEST_F(MainWindowTest, StartsWithTodaysRecordsNewestFirstColouredAndCounted)
{
    writeDay({2006, 2, 8}, 14);
    writeDay({2006, 2, 7}, 3);
    window->loadTodayFile();
    EXPECT_EQ(window->visibleList(), window->todayList());
    EXPECT_TRUE(window->todayOption()->isChecked());
    EXPECT_FALSE(window->fromPicker()->isEnabled());
    EXPECT_EQ(window->todayList()->records()->rowCount(), 14);
    EXPECT_EQ(column(window->todayList(), 4).front(), "8-13");
    EXPECT_EQ(greenRows(window->todayList()), (std::vector<int>{0, 6, 12}));
    EXPECT_EQ(rowsPanel(), u" Rows: 14 "_qs);
    EXPECT_EQ(window->windowTitle(), u"Orvane"_qs);
    EXPECT_EQ(window->statusPanel(1)->toolTip(), u"Rows total."_qs);
    EXPECT_EQ(window->todayList()->toolTip(), u"Today Logs Listing."_qs);
    EXPECT_EQ(window->todayList()->records()->headerData(0, Qt::Horizontal).toString(), u"Time"_qs);
    EXPECT_EQ(window->historyList()->records()->headerData(0, Qt::Horizontal).toString(), u"Date And Time"_qs);
}

TEST_F(MainWindowTest, TheHistoryRangeLoadsItsDaysOrCorrectsItsDates)
{
    writeDay({2006, 1, 31}, 2);
    writeDay({2006, 2, 1}, 5);
    writeDay({2006, 2, 7}, 4);
    const QDate yesterday(2006, 2, 7);
    struct Row {
        const char* name;
        QDate from, to;
        const char* message;  // nullptr: none
        QDate fromAfter, toAfter;
        int rows;
    };
    const Row rows[] = {
        {"one day", yesterday, yesterday, nullptr, yesterday, yesterday, 4},
        {"across a month", QDate(2006, 1, 30), QDate(2006, 2, 3), nullptr, QDate(2006, 1, 30), QDate(2006, 2, 3), 7},
        {"days without files", QDate(2006, 2, 2), QDate(2006, 2, 6), nullptr, QDate(2006, 2, 2), QDate(2006, 2, 6), 0},
        {"ending today", QDate(2006, 2, 1), QDate(2006, 2, 8), "The end date cannot be later than yesterday.",
         QDate(2006, 2, 1), yesterday, -1},
        {"ending later", QDate(2006, 2, 1), QDate(2007, 1, 1), "The end date cannot be later than yesterday.",
         QDate(2006, 2, 1), yesterday, -1},
        {"starting after its end", QDate(2006, 2, 5), QDate(2006, 2, 1),
         "The start date cannot be later than the end date.", QDate(2006, 2, 1), QDate(2006, 2, 1), -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        // The list before holds yesterday's four records.
        window->setHistoryDates(yesterday, yesterday);
        window->chooseHistoryView();
        ASSERT_EQ(window->historyList()->records()->rowCount(), 4);
        messages.shown.clear();

        window->setHistoryDates(row.from, row.from);
        window->toPicker()->setDate(row.to);  // as the user changes it
        EXPECT_EQ(window->fromPicker()->date(), row.fromAfter);
        EXPECT_EQ(window->toPicker()->date(), row.toAfter);
        if (row.message) {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].text.toStdString(), row.message);
            EXPECT_EQ(messages.shown[0].caption, u"Orvane"_qs);
            EXPECT_EQ(messages.shown[0].icon, MessageIcon::Information);
            EXPECT_EQ(window->historyList()->records()->rowCount(), 4);  // kept
        } else {
            EXPECT_TRUE(messages.shown.empty());
            EXPECT_EQ(window->visibleList(), window->historyList());
            EXPECT_EQ(window->historyList()->records()->rowCount(), row.rows);
            EXPECT_EQ(rowsPanel(), QStringLiteral(" Rows: %1 ").arg(row.rows));
        }
    }
    // Newest first across the month's end, every sixth green.
    window->setHistoryDates(QDate(2006, 1, 1), QDate(2006, 2, 7));
    window->chooseHistoryView();
    EXPECT_EQ(column(window->historyList(), 4),
              (std::vector<std::string>{"7-3", "7-2", "7-1", "7-0", "1-4", "1-3", "1-2", "1-1", "1-0", "31-1", "31-0"}));
    EXPECT_EQ(greenRows(window->historyList()), (std::vector<int>{0, 6}));

    window->chooseTodayView();
    EXPECT_EQ(window->visibleList(), window->todayList());
    EXPECT_FALSE(window->toPicker()->isEnabled());
    EXPECT_EQ(rowsPanel(), u" Rows: 0 "_qs);
}

TEST_F(MainWindowTest, StoredRecordsAreShownTogetherAsAReloadWouldShowThem)
{
    writeDay({2006, 2, 8}, 5);
    window->loadTodayFile();
    orv::capture::PosixLogFileSystem files;
    orv::capture::DailyLogWriter writer(logs, clock, files);
    QObject::connect(&writer, &orv::capture::DailyLogWriter::recordStored, window.get(), &frmPubMain::recordStored);

    window->setHistoryDates(QDate(2006, 2, 7), QDate(2006, 2, 7));
    window->chooseHistoryView();
    window->todayList()->records()->sortByHeaderClick(3);
    for (int n = 0; n < 20; ++n) {
        clock.advance(std::chrono::seconds(n % 3 == 0 ? 1 : 0));
        writer.write({"File", n % 2 ? "Renamed" : "Created", "/home/me/", "burst-" + std::to_string(n), "renamed"});
    }
    // Not one update per record: they are shown together, a moment later.
    EXPECT_TRUE(window->hasPendingRecords());
    EXPECT_EQ(window->todayList()->records()->rowCount(), 5);
    window->showStoredRecords();
    EXPECT_FALSE(window->hasPendingRecords());

    // The Today list comes to the front; the History option stays chosen.
    EXPECT_EQ(window->visibleList(), window->todayList());
    EXPECT_TRUE(window->historyOption()->isChecked());
    const auto reloaded = makeWindow();
    reloaded->loadTodayFile();
    EXPECT_EQ(window->todayList()->records()->rowCount(), 25);
    for (int c = 0; c < 6; ++c) EXPECT_EQ(column(window->todayList(), c), column(reloaded->todayList(), c));
    EXPECT_EQ(greenRows(window->todayList()), greenRows(reloaded->todayList()));
    EXPECT_EQ(rowsPanel(), u" Rows: 25 "_qs);

    // Past midnight the Today list is the new day's.
    clock.set({{2006, 2, 9}, 0, 0, 1});
    writer.write({"Folder", "Created", "/home/me/", "tomorrow", ""});
    window->showStoredRecords();
    EXPECT_EQ(column(window->todayList(), 4), std::vector<std::string>{"tomorrow"});
}

TEST_F(MainWindowTest, ATodayFileThatCannotBeReadGivesNoRowsAndDoesNotWait)
{
    writeDay({2006, 2, 8}, 5);
    window->loadTodayFile();
    const auto file = LogPaths::dailyFile(logs, {2006, 2, 8});
    std::filesystem::remove(file);
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    window->showStoredRecords();
    EXPECT_EQ(window->todayList()->records()->rowCount(), 0);
    EXPECT_EQ(rowsPanel(), u" Rows: 0 "_qs);
}

TEST_F(MainWindowTest, AnEmptyListSaysSoOnDoubleClickEnterAndTheDetailViewCommand)
{
    window->show();
    LogListView* list = window->todayList();
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::keyClick(list, Qt::Key_Return);
    window->detailViewCommand();
    ASSERT_EQ(messages.shown.size(), 3u);
    for (const auto& shown : messages.shown) {
        EXPECT_EQ(shown.text, u"No available data for display."_qs);
        EXPECT_EQ(shown.icon, MessageIcon::Information);
    }
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(MainWindowTest, TheDetailViewShowsTheSelectedRowAndMovesTheListsSelection)
{
    writeDay({2006, 2, 8}, 6);
    window->loadTodayFile();
    window->show();
    LogListView* list = window->todayList();
    list->selectRow(2);
    std::vector<QString> shown;
    QTimer::singleShot(0, [&] {
        auto* detail = qobject_cast<orv::settings::frmPubDetail*>(QApplication::activeModalWidget());
        ASSERT_NE(detail, nullptr);
        for (int n = 0; n < 6; ++n) shown.push_back(detail->field(n)->text());
        detail->press(orv::settings::frmPubDetail::Next);
        detail->press(orv::settings::frmPubDetail::Close);
    });
    QTest::keyClick(list, Qt::Key_Enter);
    EXPECT_EQ(shown, (std::vector<QString>{u"Feb 08 2006 10:00:03"_qs, u"File"_qs, u"Created"_qs, u"/home/me/"_qs,
                                           u"8-3"_qs, u""_qs}));
    EXPECT_EQ(list->selectedRow(), 3);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MainWindowTest, ANewFormatReRendersTheListInFrontOnly)
{
    writeDay({2006, 2, 8}, 1);
    writeDay({2006, 2, 7}, 1);
    window->loadTodayFile();
    window->setHistoryDates(QDate(2006, 2, 7), QDate(2006, 2, 7));
    window->chooseHistoryView();
    window->historyList()->records()->sortByHeaderClick(4);

    settings[orv::settings::DtfSlot::Sequence] = u"Year Month Day"_qs;
    settings[orv::settings::DtfSlot::Separator] = u"-"_qs;
    settings[orv::settings::DtfSlot::Month] = u"MM"_qs;
    window->upsRefreshDisplayFormat();
    EXPECT_EQ(column(window->historyList(), 0), std::vector<std::string>{"2006-02-07 10:00:00"});
    EXPECT_EQ(window->historyList()->records()->sortColumn(), 4);  // not sorted again
    EXPECT_EQ(column(window->todayList(), 0), std::vector<std::string>{"Feb 08 2006 10:00:00"});
    window->showStoredRecords();
    EXPECT_EQ(column(window->todayList(), 0), std::vector<std::string>{"2006-02-08 10:00:00"});
}

TEST_F(MainWindowTest, TheListsFillTheWindowWithTheirMarginsAndNeverShrinkBelowNothing)
{
    window->show();
    const auto px = [&](int twips) { return qRound(twips * window->logicalDpiX() / 1440.0); };
    QWidget* client = window->centralWidget();
    QWidget* lists = window->todayList()->parentWidget();
    window->resize(900, 600);
    QApplication::processEvents();
    EXPECT_EQ(lists->geometry(), QRect(px(90), px(1245), client->width() - px(180), client->height() - px(1335)));
    const QSize before = lists->size();
    window->resize(100, 60);
    QApplication::processEvents();
    EXPECT_EQ(lists->size().height(), before.height());
    window->resize(1000, 700);
    QApplication::processEvents();
    EXPECT_EQ(lists->geometry(), QRect(px(90), px(1245), client->width() - px(180), client->height() - px(1335)));
    window->setHistoryDates(QDate(2006, 2, 7), QDate(2006, 2, 7));
    window->chooseHistoryView();
    EXPECT_EQ(window->historyList()->geometry(), window->todayList()->geometry());
}

TEST_F(MainWindowTest, HeaderClicksAndTheRightButtonReachTheList)
{
    writeDay({2006, 2, 8}, 3);
    window->loadTodayFile();
    window->show();
    LogListView* list = window->todayList();
    QHeaderView* header = list->header();
    const QPoint path(header->sectionViewportPosition(3) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, path);
    EXPECT_EQ(list->records()->sortColumn(), 3);
    EXPECT_EQ(list->records()->sortDirection(), SortDirection::Ascending);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);

    QSignalSpy released(window.get(), &frmPubMain::listRightButtonReleased);
    QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, QPoint(10, 10));
    ASSERT_EQ(released.size(), 1);
    EXPECT_EQ(released[0][0].toPoint(), list->viewport()->mapToGlobal(QPoint(10, 10)));
}

}  // namespace
