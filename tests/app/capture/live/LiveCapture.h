#pragma once

#include "ActivityRecord.h"
#include "DailyLogWriter.h"
#include "FakeClock.h"
#include "FakeMessageBoxes.h"
#include "HiddenWindow.h"
#include "InotifySource.h"
#include "MountTableSource.h"
#include "NotificationDecoder.h"
#include "NotificationReceiver.h"
#include "PosixLogFileSystem.h"
#include "ProgramObjects.h"
#include "ScratchDataHome.h"

#include <QObject>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace orv::capture::live::test {

struct LiveCaptureOptions {
    std::vector<std::string> roots;
    std::vector<std::string> excludedFolders;
    InotifySource::InstanceFactory makeInstance;
    // With a mount source over the real mount table when set, these being its media folders.
    std::optional<std::vector<std::string>> mediaFolders;
};

// Orvane's live capture as the program puts it together (sources, hidden window, hook, receiver,
// writer into a scratch data folder), with every notification that reaches the hidden window
// also decoded into records() in its order.
class LiveCapture final : public QObject {
public:
    explicit LiveCapture(LiveCaptureOptions options);
    ~LiveCapture() override;

    // Loads the hidden window and waits until the folder source watches its roots.
    bool load();

    // Waits until `count` records have come; false at the deadline.
    bool waitForRecords(std::size_t count);
    // Makes a marker file in folder and takes every record that came before the marker's own,
    // which goes too. Records arrive in order, so nothing due before the marker is left out.
    std::vector<ActivityRecord> takeUntilMarker(const std::filesystem::path& folder);
    const std::vector<ActivityRecord>& records() const { return records_; }

    HiddenWindow& window() { return window_; }
    InotifySource& folders() { return *folders_; }
    std::string dailyLog() const { return home_.dailyBytes(kToday); }

    orv::test::FakeMessageBoxes boxes;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr LocalDate kToday{2024, 3, 9};

    LiveCaptureOptions options_;
    capture::test::ScratchDataHome home_;
    capture::test::FakeClock clock_;
    PosixLogFileSystem files_;
    DailyLogWriter writer_;
    lifecycle::ProgramObjects objects_;
    NotificationReceiver receiver_;
    NotificationDecoder decoder_;
    InotifySource* folders_ = nullptr;
    HiddenWindow window_;
    std::vector<ActivityRecord> records_;
    int markers_ = 0;
};

}  // namespace orv::capture::live::test
