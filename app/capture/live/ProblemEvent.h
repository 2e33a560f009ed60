#pragma once

#include <QEvent>
#include <QString>

namespace orv::capture::live {

// Something a notification source must tell the user, on its way to the hidden window.
class ProblemEvent final : public QEvent {
public:
    static QEvent::Type problemType();

    explicit ProblemEvent(QString text);

    const QString& text() const { return text_; }

private:
    QString text_;
};

}  // namespace orv::capture::live
