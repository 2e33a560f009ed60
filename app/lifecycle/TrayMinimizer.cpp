#include "TrayMinimizer.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace orv::lifecycle {

TrayMinimizer::TrayMinimizer(QWidget* window, TrayIcon& tray, QString tip, QObject* parent)
    : QObject(parent), window_(window), tray_(tray), tip_(std::move(tip))
{
    window->installEventFilter(this);
}

bool TrayMinimizer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_ && event->type() == QEvent::WindowStateChange && window_->isMinimized() &&
        !tray_.isShown()) {
        if (tray_.add(window_->windowIcon(), tip_, [this] { restore(); }))
            // Hiding from inside the state change confuses some window managers: do it right after.
            QTimer::singleShot(0, window_, &QWidget::hide);
    }
    return QObject::eventFilter(watched, event);
}

void TrayMinimizer::restore()
{
    if (window_) {
        window_->showNormal();
        window_->activateWindow();
    }
    tray_.remove();
}

}  // namespace orv::lifecycle
