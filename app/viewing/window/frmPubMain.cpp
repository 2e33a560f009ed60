#include "frmPubMain.h"

#include "DisplayPattern.h"
#include "HistoryRange.h"
#include "LogPaths.h"
#include "Twips.h"
#include "frmPubDetail.h"

#include <QDateEdit>
#include <QDateTime>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <system_error>

namespace orv::viewing {

namespace {

const QString kTitle = QStringLiteral("Orvane");

// The client area when the window opens, and the lists' top left corner, in twips.
constexpr int kClientWidth = 10845;
constexpr int kClientHeight = 5970;
constexpr int kListLeft = 90;
constexpr int kListTop = 1245;
constexpr int kMargin = 90;
constexpr int kToolbarHeight = 840;

// Stored records reach the Today list at most this often.
constexpr int kTodayUpdateMs = 250;

QDate dateOf(const capture::LocalDate& date) { return QDate(date.year, date.month, date.day); }

capture::LocalDate localDateOf(QDate date) { return {date.year(), date.month(), date.day()}; }

}  // namespace

frmPubMain::frmPubMain(_GenFuns* genFuns, const settings::DtfSettings& settings, std::filesystem::path logsFolder,
                       const capture::Clock& clock, lifecycle::MessageBoxes& messages, QLocale locale,
                       QWidget* parent)
    : QMainWindow(parent),
      genFuns_(genFuns),
      settings_(settings),
      logsFolder_(std::move(logsFolder)),
      clock_(clock),
      messages_(messages),
      locale_(std::move(locale))
{
    setWindowTitle(kTitle);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    setFont(font);

    // The menus get their entries with the commands.
    menl_ = menuBar()->addMenu(tr("&Logs"));
    ment_ = menuBar()->addMenu(tr("&Tools"));
    menh_ = menuBar()->addMenu(tr("&Help"));

    client_ = new QWidget(this);
    setCentralWidget(client_);
    client_->installEventFilter(this);

    toolBar_ = new QToolBar(client_);
    toolBar_->setObjectName(QStringLiteral("Toolbar1"));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolBar_->setMovable(false);

    optTod_ = new QRadioButton(tr("Today"), client_);
    optHis_ = new QRadioButton(tr("History"), client_);
    optTod_->setChecked(true);
    lblFrom_ = new QLabel(tr("From"), client_);
    lblTo_ = new QLabel(tr("To"), client_);
    const auto makePicker = [this] {
        auto* picker = new QDateEdit(client_);
        picker->setLocale(locale_);
        picker->setCalendarPopup(true);
        picker->setDisplayFormat(locale_.dateFormat(QLocale::ShortFormat));
        picker->setEnabled(false);
        connect(picker, &QDateEdit::dateChanged, this, &frmPubMain::historyRangeChanged);
        return picker;
    };
    dtpF_ = makePicker();
    dtpT_ = makePicker();
    connect(optTod_, &QRadioButton::clicked, this, &frmPubMain::chooseTodayView);
    connect(optHis_, &QRadioButton::clicked, this, &frmPubMain::chooseHistoryView);

    lists_ = new QStackedWidget(client_);
    lsvToday_ = makeList({{{tr("Time"), 1605}, {tr("Object"), 701}, {tr("Action"), 765}, {tr("Path"), 3500},
                           {tr("Original Name"), 2500}, {tr("New Name"), 1050}}},
                         tr("Today Logs Listing."));
    lsvHistory_ = makeList({{{tr("Date And Time"), 1250}, {tr("Object"), 700}, {tr("Action"), 700}, {tr("Path"), 600},
                             {tr("Original Name"), 1250}, {tr("New Name"), 1000}}},
                           tr("History Logs Listing."));
    today_.view = lsvToday_;
    history_.view = lsvHistory_;
    today_.pattern = history_.pattern = composeDisplayPattern(settings_);
    lists_->setCurrentWidget(lsvToday_);
    visibleRows_ = std::make_unique<VisibleListRows>(*lists_);

    const int cellMargin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, lsvToday_) + 1);
    widths_ = std::make_unique<FontCellTextWidths>(lsvToday_->font(), logicalDpiX(), cellMargin);
    lsvToday_->records()->setCellTextWidths(widths_.get());
    lsvHistory_->records()->setCellTextWidths(widths_.get());

    QFont bold = font;
    bold.setBold(true);
    statusBar()->setFont(bold);
    const char* const tips[] = {"Rows total.", "Today.", "Now.", "Program version."};
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        panels_[i] = new QLabel(statusBar());
        panels_[i]->setToolTip(tr(tips[i]));
        if (i == 0) statusBar()->addWidget(panels_[i], 1);
        else statusBar()->addPermanentWidget(panels_[i]);
    }
    upsShowRowsQty(lsvToday_);
    updateDateAndTime();
    clockTimer_.setInterval(1000);
    connect(&clockTimer_, &QTimer::timeout, this, &frmPubMain::updateDateAndTime);
    clockTimer_.start();

    todayTimer_.setSingleShot(true);
    todayTimer_.setInterval(kTodayUpdateMs);
    connect(&todayTimer_, &QTimer::timeout, this, &frmPubMain::showStoredRecords);

    placeControls();
    resize(px(kClientWidth), px(kClientHeight) + menuBar()->sizeHint().height());
}

frmPubMain::~frmPubMain() = default;

LogListView* frmPubMain::makeList(const std::array<RecordListModel::Column, RecordListModel::kColumnCount>& columns,
                                  const QString& tooltip)
{
    auto* model = new RecordListModel(columns, displayFormat(composeDisplayPattern(settings_)), this);
    auto* view = new LogListView(model, lists_);
    view->setToolTip(tooltip);
    lists_->addWidget(view);
    connect(view, &LogListView::detailViewRequested, this, &frmPubMain::detailViewCommand);
    connect(view, &LogListView::rightButtonReleased, this, &frmPubMain::listRightButtonReleased);
    return view;
}

int frmPubMain::px(int twips) const { return twipsToPixels(twips, logicalDpiX()); }

void frmPubMain::placeControls()
{
    // Texts keep their place but may be wider than their design width where the font is.
    const auto place = [this](QWidget* control, int left, int top, int width, int height) {
        control->setGeometry(px(left), px(top), std::max(px(width), control->sizeHint().width()), px(height));
    };
    place(optTod_, 90, 900, 900, 300);
    place(optHis_, 1080, 900, 960, 300);
    place(lblFrom_, 2130, 953, 360, 195);
    place(dtpF_, 2580, 900, 3015, 300);
    place(lblTo_, 5685, 960, 180, 195);
    place(dtpT_, 5955, 900, 3015, 300);
    lists_->setGeometry(px(kListLeft), px(kListTop), px(kClientWidth - kListLeft - kMargin),
                        px(kClientHeight - kListTop - kMargin) - statusBar()->sizeHint().height());
}

bool frmPubMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == client_ && event->type() == QEvent::Resize) layOutLists();
    return QMainWindow::eventFilter(watched, event);
}

void frmPubMain::layOutLists()
{
    if (windowState() & Qt::WindowMinimized) return;
    toolBar_->setGeometry(0, 0, client_->width(), px(kToolbarHeight));
    // No least size is enforced: a dimension that would be negative stays as it was.
    QSize size = lists_->size();
    const int width = client_->width() - px(kListLeft) - px(kMargin);
    const int height = client_->height() - px(kListTop) - px(kMargin);
    if (width >= 0) size.setWidth(width);
    if (height >= 0) size.setHeight(height);
    lists_->setGeometry(px(kListLeft), px(kListTop), size.width(), size.height());
    fitColumns(lsvToday_);
    fitColumns(lsvHistory_);
}

LogListView* frmPubMain::visibleList() const { return static_cast<LogListView*>(lists_->currentWidget()); }

QLabel* frmPubMain::statusPanel(int panel) const { return panels_[static_cast<std::size_t>(panel - 1)]; }

void frmPubMain::setVersionPanelText(const QString& text) { statusPanel(4)->setText(text); }

void frmPubMain::showList(LogListView* list) { lists_->setCurrentWidget(list); }

void frmPubMain::fitColumns(LogListView* list)
{
    if (!genFuns_) return;
    IDispatch* target = list->records()->reportListObject();
    if (FAILED(genFuns_->AdjListColWid(&target))) qWarning("Orvane: the columns of a list could not be fitted");
}

DisplayFormat frmPubMain::displayFormat(const QString& pattern) const
{
    return DisplayFormat(pattern, DisplayLocale::of(locale_));
}

void frmPubMain::renderWith(List& list, const QString& pattern)
{
    if (list.pattern == pattern) return;
    list.pattern = pattern;
    list.view->records()->setDisplayFormat(displayFormat(pattern));
}

QDate frmPubMain::today() const
{
    try {
        return dateOf(clock_.now().date);
    } catch (const std::system_error& error) {
        qWarning("Orvane: %s; the system date stands in", error.what());
        return QDate::currentDate();
    }
}

void frmPubMain::warnUnreadable(const LogFileReader::Result& result) const
{
    if (result.outcome == LogFileReader::Outcome::Unreadable) qWarning("Orvane: %s", result.error.c_str());
}

void frmPubMain::tell(const QString& text)
{
    messages_.show({kTitle, text, lifecycle::MessageIcon::Information, lifecycle::MessageButtons::Ok});
}

void frmPubMain::updateDateAndTime()
{
    QDateTime now;
    try {
        const capture::LocalDateTime t = clock_.now();
        now = QDateTime(dateOf(t.date), QTime(t.hour, t.minute, std::min(t.second, 59)));
    } catch (const std::system_error& error) {
        qWarning("Orvane: %s", error.what());
        return;
    }
    statusPanel(2)->setText(u' ' + locale_.toString(now.date(), QLocale::ShortFormat) + u' ');
    statusPanel(3)->setText(u' ' + locale_.toString(now.time(), QLocale::ShortFormat) + u' ');
}

void frmPubMain::loadTodayFile() { showStoredRecords(); }

void frmPubMain::recordStored()
{
    if (!todayTimer_.isActive()) todayTimer_.start();
}

void frmPubMain::showStoredRecords()
{
    todayTimer_.stop();
    RecordListModel* model = lsvToday_->records();
    const std::filesystem::path file = capture::LogPaths::dailyFile(logsFolder_, localDateOf(today()));
    LogRecords added;
    const LogFileReader::Result read =
        LogFileReader::read(file, added, file == todayFile_ ? todayPosition_ : std::nullopt);
    warnUnreadable(read);
    todayFile_ = file;
    if (read.outcome == LogFileReader::Outcome::Read) todayPosition_ = read.position;
    else todayPosition_.reset();
    // What a reload from the first line would show: a new day, a file replaced or gone, a file
    // that cannot be read, and a new display format start the list afresh.
    if (read.outcome != LogFileReader::Outcome::Read || read.fromStart) model->clear();
    renderWith(today_, composeDisplayPattern(settings_));
    model->clearColors();
    model->addNewestRecords(std::move(added));
    upsColorRows(lsvToday_);
    upsShowRowsQty(lsvToday_);
    showList(lsvToday_);
    fitColumns(lsvToday_);
}

void frmPubMain::setHistoryDates(QDate from, QDate to)
{
    const QSignalBlocker blockFrom(dtpF_);
    const QSignalBlocker blockTo(dtpT_);
    dtpF_->setDate(from);
    dtpT_->setDate(to);
}

void frmPubMain::chooseTodayView()
{
    optTod_->setChecked(true);
    dtpF_->setEnabled(false);
    dtpT_->setEnabled(false);
    showList(lsvToday_);
    upsShowRowsQty(lsvToday_);
}

void frmPubMain::chooseHistoryView()
{
    optHis_->setChecked(true);
    dtpF_->setEnabled(true);
    dtpT_->setEnabled(true);
    dtpF_->setFocus();
    historyRangeChanged();
}

void frmPubMain::historyRangeChanged()
{
    const QDate now = today();
    const HistoryRange range{dtpF_->date(), dtpT_->date()};
    switch (range.judge(now)) {
    case HistoryRange::Verdict::EndNotBeforeToday: {
        tell(tr("The end date cannot be later than yesterday."));
        const QSignalBlocker block(dtpT_);
        dtpT_->setDate(now.addDays(-1));
        dtpT_->setFocus();
        return;
    }
    case HistoryRange::Verdict::StartAfterEnd: {
        tell(tr("The start date cannot be later than the end date."));
        const QSignalBlocker block(dtpF_);
        dtpF_->setDate(range.to);
        dtpF_->setFocus();
        return;
    }
    case HistoryRange::Verdict::Load: break;
    }
    RecordListModel* model = lsvHistory_->records();
    model->clear();
    renderWith(history_, composeDisplayPattern(settings_));
    // The days go in together and are sorted once: what sorting after every day would end in.
    LogRecords records;
    for (QDate day = range.from; day <= range.to; day = day.addDays(1))
        warnUnreadable(LogFileReader::read(capture::LogPaths::dailyFile(logsFolder_, localDateOf(day)), records));
    model->appendRecords(std::move(records));
    model->sortBy(0, SortDirection::Descending);
    fitColumns(lsvHistory_);
    showList(lsvHistory_);
    upsShowRowsQty(lsvHistory_);
    upsColorRows(lsvHistory_);
}

void frmPubMain::upsColorRows(LogListView* list) { (list ? list : visibleList())->records()->colorRows(); }

void frmPubMain::upsShowRowsQty(LogListView* list)
{
    const int rows = (list ? list : visibleList())->records()->rowCount();
    statusPanel(1)->setText(tr(" Rows: ") + QString::number(rows) + u' ');
}

void frmPubMain::upsRefreshDisplayFormat()
{
    List& list = visibleList() == lsvToday_ ? today_ : history_;
    renderWith(list, composeDisplayPattern(settings_));
    fitColumns(list.view);
}

void frmPubMain::detailViewCommand()
{
    if (visibleList()->records()->rowCount() == 0) {
        tell(tr("No available data for display."));
        return;
    }
    settings::frmPubDetail detail(*visibleRows_, this);
    detail.displaySelectedRow();
    detail.exec();
}

}  // namespace orv::viewing
