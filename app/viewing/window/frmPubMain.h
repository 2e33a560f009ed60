#pragma once

#include "Clock.h"
#include "DtfSettings.h"
#include "FontCellTextWidths.h"
#include "LogFileReader.h"
#include "LogListView.h"
#include "MessageBoxes.h"
#include "VisibleListRows.h"

#include <qdk_orv/qdk_orv.h>

#include <QDate>
#include <QLocale>
#include <QMainWindow>
#include <QTimer>

#include <filesystem>
#include <memory>
#include <optional>

class QDateEdit;
class QLabel;
class QMenu;
class QRadioButton;
class QStackedWidget;
class QToolBar;

namespace orv::viewing {

// Orvane's main window: the Today and History lists in one place, the view switch with the
// history range, and the status bar with the row count, today's date, the time and the version.
//
// The Today list follows today's daily file: after a record is stored it shows what reloading the
// file would show (the whole day, newest first, every sixth row green), but reads only the lines
// added since and does so at most a few times a second, however fast records come.
class frmPubMain final : public QMainWindow {
    Q_OBJECT

public:
    // `genFuns` may be null (the library object could not be created): columns are then not
    // fitted. `settings` is read whenever a list is rendered; `locale` gives the month names and
    // separators of the display format and the status bar's date and time.
    frmPubMain(_GenFuns* genFuns, const settings::DtfSettings& settings, std::filesystem::path logsFolder,
               const capture::Clock& clock, lifecycle::MessageBoxes& messages, QLocale locale,
               QWidget* parent = nullptr);
    ~frmPubMain() override;

    // At start: today's file into the Today list, fitted, coloured and counted.
    void loadTodayFile();
    // Writes both dates of the history range without loading it.
    void setHistoryDates(QDate from, QDate to);
    void setVersionPanelText(const QString& text);

    // The views, as the option buttons (and later the View menu) choose them.
    void chooseTodayView();
    void chooseHistoryView();
    // The range handler: checks the two dates and loads the range.
    void historyRangeChanged();
    // Double click, Enter, and the Detail View command: the Detail View on the list in front.
    void detailViewCommand();

    // Re-renders the Time column of the list in front with the current settings.
    void upsRefreshDisplayFormat();
    // Colours, or counts into status panel 1, the rows of `list`, or of the list in front.
    void upsColorRows(LogListView* list = nullptr);
    void upsShowRowsQty(LogListView* list = nullptr);

    LogListView* todayList() const { return lsvToday_; }
    LogListView* historyList() const { return lsvHistory_; }
    LogListView* visibleList() const;
    QRadioButton* todayOption() const { return optTod_; }
    QRadioButton* historyOption() const { return optHis_; }
    QDateEdit* fromPicker() const { return dtpF_; }
    QDateEdit* toPicker() const { return dtpT_; }
    QToolBar* toolBar() const { return toolBar_; }
    QMenu* logsMenu() const { return menl_; }
    QMenu* toolsMenu() const { return ment_; }
    QMenu* helpMenu() const { return menh_; }
    // Status bar panels 1 to 4.
    QLabel* statusPanel(int panel) const;
    // Records stored and not yet shown in the Today list.
    bool hasPendingRecords() const { return todayTimer_.isActive(); }

public slots:
    // Connected to DailyLogWriter::recordStored: the Today list is brought up to date soon.
    void recordStored();
    // Brings the Today list up to date with today's file now, as reloading it would.
    void showStoredRecords();

signals:
    // The right mouse button was released over one of the lists (the Logs menu pops up there).
    void listRightButtonReleased(const QPoint& globalPosition);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct List {
        LogListView* view;
        QString pattern;  // the display pattern its Time column is rendered with
    };

    LogListView* makeList(const std::array<RecordListModel::Column, RecordListModel::kColumnCount>& columns,
                          const QString& tooltip);
    void placeControls();
    void layOutLists();
    void fitColumns(LogListView* list);
    void showList(LogListView* list);
    void renderWith(List& list, const QString& pattern);
    DisplayFormat displayFormat(const QString& pattern) const;
    void updateDateAndTime();
    void tell(const QString& text);
    QDate today() const;
    void warnUnreadable(const LogFileReader::Result& result) const;
    int px(int twips) const;

    _GenFuns* genFuns_;
    const settings::DtfSettings& settings_;
    const std::filesystem::path logsFolder_;
    const capture::Clock& clock_;
    lifecycle::MessageBoxes& messages_;
    const QLocale locale_;

    QWidget* client_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QMenu* menl_ = nullptr;
    QMenu* ment_ = nullptr;
    QMenu* menh_ = nullptr;
    QRadioButton* optTod_ = nullptr;
    QRadioButton* optHis_ = nullptr;
    QLabel* lblFrom_ = nullptr;
    QLabel* lblTo_ = nullptr;
    QDateEdit* dtpF_ = nullptr;
    QDateEdit* dtpT_ = nullptr;
    QStackedWidget* lists_ = nullptr;
    LogListView* lsvToday_ = nullptr;
    LogListView* lsvHistory_ = nullptr;
    List today_{};
    List history_{};
    std::unique_ptr<FontCellTextWidths> widths_;
    std::unique_ptr<VisibleListRows> visibleRows_;
    std::array<QLabel*, 4> panels_{};

    QTimer clockTimer_;
    QTimer todayTimer_;
    // Today's file as the Today list last read it.
    std::filesystem::path todayFile_;
    std::optional<LogFileReader::Position> todayPosition_;
};

}  // namespace orv::viewing
