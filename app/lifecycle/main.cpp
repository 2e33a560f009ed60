// orv: Orvane's program.
#include "CommandLine.h"
#include "MessageBoxes.h"
#include "Orvane.h"
#include "ProgramVersion.h"
#include "SingleInstanceLock.h"
#include "SystemClock.h"
#include "SystemTrayIcon.h"
#include "TerminationSignals.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <exception>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orv"));
    QApplication::setApplicationDisplayName(orv::lifecycle::kProgramName);
    QApplication::setApplicationVersion(orv::lifecycle::kProgramVersion);
    QApplication::setDesktopFileName(QStringLiteral("orvane"));
    // Closing the window to the tray must not end the run; only a confirmed close does.
    QApplication::setQuitOnLastWindowClosed(false);

    const auto outcome = orv::lifecycle::CommandLineOutcome::parse(QApplication::arguments(), QDir::homePath());
    if (!outcome.run) {
        std::fputs(outcome.output.toLocal8Bit().constData(), outcome.toStandardError ? stderr : stdout);
        return outcome.exitCode;
    }

    orv::lifecycle::SingleInstanceLock lock;
    if (!lock.acquire()) return 0;  // another Orvane is recording; it is not touched

    try {
        orv::lifecycle::TerminationSignals termination;
        orv::capture::SystemClock clock;
        orv::lifecycle::WidgetMessageBoxes messageBoxes;
        orv::lifecycle::SystemTrayIcon tray;
        orv::lifecycle::Orvane orvane(*outcome.run, {clock, messageBoxes, tray, {}});
        QObject::connect(&orvane, &orv::lifecycle::Orvane::finished, &application, &QApplication::quit);
        QObject::connect(&termination, &orv::lifecycle::TerminationSignals::terminationRequested, &orvane,
                         &orv::lifecycle::Orvane::shutDown);
        orvane.show();
        return QApplication::exec();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "orv: %s\n", error.what());
        return 1;
    }
}
