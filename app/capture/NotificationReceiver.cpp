#include "NotificationReceiver.h"

namespace orv::capture {

NotificationReceiver::NotificationReceiver(_GenFuns* genFuns, DailyLogWriter& writer)
    : decoder_(genFuns), writer_(writer)
{
}

void NotificationReceiver::receiveEvents(const Notification& notification)
{
    if (const auto record = decoder_.decode(notification)) writer_.write(*record);
}

}  // namespace orv::capture
