#pragma once

#include "TrayIcon.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace orv::lifecycle {

// Sends a window to the notification area when it is minimized and brings it back when the
// icon is pressed. Where there is no notification area the window minimizes as usual.
class TrayMinimizer : public QObject {
    Q_OBJECT

public:
    TrayMinimizer(QWidget* window, TrayIcon& tray, QString tip, QObject* parent = nullptr);

    // What a press on the icon does: the window shown in its normal state, the icon removed.
    void restore();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> window_;
    TrayIcon& tray_;
    QString tip_;
};

}  // namespace orv::lifecycle
