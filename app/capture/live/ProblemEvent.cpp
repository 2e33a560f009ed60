#include "ProblemEvent.h"

#include <utility>

namespace orv::capture::live {

QEvent::Type ProblemEvent::problemType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

ProblemEvent::ProblemEvent(QString text) : QEvent(problemType()), text_(std::move(text)) {}

}  // namespace orv::capture::live
