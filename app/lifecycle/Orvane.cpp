#include "Orvane.h"

#include "ConfigurationFile.h"
#include "LiveSources.h"
#include "ProgramVersion.h"

#include <QCloseEvent>
#include <QDate>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QStatusBar>

namespace orv::lifecycle {

namespace {

const QString kCloseQuestion =
    QStringLiteral("Are you sure you want to stop tracing your operations in the file manager?");

}  // namespace

Orvane::Orvane(const CommandLine& options, Seams seams, QObject* parent)
    : QObject(parent), seams_(std::move(seams)), objects_(std::make_unique<ProgramObjects>())
{
    folders_ = DataFolders::locate(objects_->apiFuns());
    const auto failures = folders_.prepare();

    settings::ConfigurationFile configuration(objects_->apiFuns(), QString::fromStdString(folders_.configurationFile.string()));
    configuration.loadAtStartUp(dtf_);

    writer_ = std::make_unique<capture::DailyLogWriter>(folders_.logsFolder, seams_.clock, fileSystem_);
    connect(writer_.get(), &capture::DailyLogWriter::writingFailed, this, &Orvane::tellWritingFailed);
    connect(writer_.get(), &capture::DailyLogWriter::writingResumed, this, [this] {
        if (window_) window_->statusBar()->clearMessage();
    });
    receiver_ = std::make_unique<capture::NotificationReceiver>(objects_->genFuns(), *writer_);

    window_ = std::make_unique<viewing::frmPubMain>(objects_->genFuns(), dtf_, folders_.logsFolder, seams_.clock,
                                                    seams_.messageBoxes, QLocale::system());
    window_->setVersionPanelText(QStringLiteral(" Version %1 (Build %2) ").arg(kProgramVersion, kProgramBuild));
    window_->loadTodayFile();
    const auto today = seams_.clock.now().date;
    const QDate yesterday = QDate(today.year, today.month, today.day).addDays(-1);
    window_->setHistoryDates(yesterday, yesterday);
    connect(writer_.get(), &capture::DailyLogWriter::recordStored, window_.get(), &viewing::frmPubMain::recordStored);
    window_->setWindowIcon(QIcon(QStringLiteral(":/orvane/orvane-256.png")));
    window_->installEventFilter(this);
    minimizer_ = std::make_unique<TrayMinimizer>(window_.get(), seams_.tray, kProgramName);
    if (!failures.empty()) tellWritingFailed(QString::fromStdString(failures.front()));

    auto sources = seams_.sources;
    if (!sources) {
        const auto live = capture::live::LiveCaptureSettings::forRoots(options.watchedRoots);
        sources = [live](capture::live::NotificationPoster& poster) { return capture::live::makeLiveSources(live, poster); };
    }
    hidden_ = std::make_unique<capture::live::HiddenWindow>(*receiver_, seams_.messageBoxes, std::move(sources));
    hidden_->load();
}

Orvane::~Orvane() { shutDown(); }

viewing::frmPubMain* Orvane::mainWindow() const { return window_.get(); }

void Orvane::show()
{
    // The window keeps the size it gave itself from its design; only its place is chosen here.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect free = screen->availableGeometry();
        const QSize frame = window_->frameGeometry().size();
        window_->move(free.x() + static_cast<int>((free.width() - frame.width()) * (1 - 0.618)),
                      free.y() + static_cast<int>((free.height() - frame.height()) * (1 - 0.618)));
    }
    window_->show();
}

void Orvane::shutDown()
{
    if (ended_) return;
    ended_ = true;
    seams_.tray.remove();
    minimizer_.reset();
    // The capture stops before the objects it calls go; no event is handled in between.
    if (hidden_) hidden_->unload();
    hidden_.reset();
    receiver_.reset();
    objects_.reset();
    writer_.reset();
    if (window_) {
        window_->removeEventFilter(this);
        window_->hide();
    }
    emit finished();
}

bool Orvane::confirmClose()
{
    const MessageRequest question{kProgramName, kCloseQuestion, MessageIcon::Question, MessageButtons::YesNoCancel};
    return seams_.messageBoxes.show(question) == MessageAnswer::Yes;
}

bool Orvane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_.get() && event->type() == QEvent::Close) {
        if (!confirmClose()) {
            event->ignore();
            return true;
        }
        shutDown();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void Orvane::tellWritingFailed(const QString& reason)
{
    const QString text = QStringLiteral("Operations cannot be written to the log (%1). Orvane keeps them and writes them "
                                        "as soon as it can.").arg(reason);
    if (window_) window_->statusBar()->showMessage(text);
    seams_.tray.showMessage(kProgramName, text);
}

}  // namespace orv::lifecycle
