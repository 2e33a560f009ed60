#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <memory>

namespace orv::lifecycle {

// Turns SIGTERM and SIGINT into a signal on the user-interface thread, so that Orvane ends
// between two records, never in the middle of one. One instance per process.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    // Throws std::system_error when the pipe or a handler cannot be set up.
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested(int signalNumber);

private:
    void drain();

    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace orv::lifecycle
