#pragma once

#include <QString>

class QWidget;

namespace orv::lifecycle {

enum class MessageIcon { Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
    QString caption;  // Orvane's messages carry the product name
    QString text;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
};

// Every message box Orvane shows goes through this seam, so that tests answer them.
// Called on the user-interface thread; show() returns when the user has answered.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer show(const MessageRequest& request) = 0;
};

// The real boxes: a modal QMessageBox over the given parent.
class WidgetMessageBoxes final : public MessageBoxes {
public:
    explicit WidgetMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    MessageAnswer show(const MessageRequest& request) override;

private:
    QWidget* parent_;
};

}  // namespace orv::lifecycle
