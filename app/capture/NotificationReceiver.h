#pragma once

#include "DailyLogWriter.h"
#include "Notification.h"
#include "NotificationDecoder.h"

namespace orv::capture {

// Where every notification source delivers, one notification at a time on the user-interface
// thread: the notification is decoded and, when it yields a record, written before the call
// returns.
class NotificationReceiver {
public:
    NotificationReceiver(_GenFuns* genFuns, DailyLogWriter& writer);

    void receiveEvents(const Notification& notification);

private:
    NotificationDecoder decoder_;
    DailyLogWriter& writer_;
};

}  // namespace orv::capture
