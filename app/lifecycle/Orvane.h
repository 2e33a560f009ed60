#pragma once

#include "CommandLine.h"
#include "DataFolders.h"
#include "MessageBoxes.h"
#include "ProgramObjects.h"
#include "TrayIcon.h"
#include "TrayMinimizer.h"

#include "Clock.h"
#include "DailyLogWriter.h"
#include "DtfSettings.h"
#include "HiddenWindow.h"
#include "LiveCaptureSettings.h"
#include "NotificationReceiver.h"
#include "PosixLogFileSystem.h"
#include "frmPubMain.h"

#include <QObject>

#include <memory>

namespace orv::lifecycle {

// What Orvane's run is made of, from start-up to shutdown, on the user-interface thread:
// the library objects, the data folder, the settings, the main window, the capture and the tray.
class Orvane : public QObject {
    Q_OBJECT

public:
    // The seams a test sets; the program passes the real ones.
    struct Seams {
        const capture::Clock& clock;
        MessageBoxes& messageBoxes;
        TrayIcon& tray;
        // The sources of one registration; the live ones when empty.
        capture::live::NotificationRegistration::SourceFactory sources;
    };

    Orvane(const CommandLine& options, Seams seams, QObject* parent = nullptr);
    ~Orvane() override;

    // Shows the main window where the golden ratio divides the free room of its screen.
    void show();
    // Ends the run without asking, as for SIGTERM: the steps of a confirmed close.
    void shutDown();

    viewing::frmPubMain* mainWindow() const;
    const DataFolders& dataFolders() const { return folders_; }

signals:
    // The run is over; the process may end.
    void finished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool confirmClose();
    void tellWritingFailed(const QString& reason);

    Seams seams_;
    std::unique_ptr<ProgramObjects> objects_;
    DataFolders folders_;
    settings::DtfSettings dtf_;
    capture::PosixLogFileSystem fileSystem_;
    std::unique_ptr<capture::DailyLogWriter> writer_;
    std::unique_ptr<capture::NotificationReceiver> receiver_;
    std::unique_ptr<viewing::frmPubMain> window_;
    std::unique_ptr<TrayMinimizer> minimizer_;
    std::unique_ptr<capture::live::HiddenWindow> hidden_;
    bool ended_ = false;
};

}  // namespace orv::lifecycle
