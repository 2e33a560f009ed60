#pragma once

#include "ActivityRecord.h"
#include "Notification.h"

#include <qdk_orv/qdk_orv.h>

#include <optional>

namespace orv::capture {

// Turns one notification into the record it stands for, or into nothing: most notifications
// (unknown codes, codes with extra bits, renames that change nothing, files without a folder)
// yield no record. The test whether the object is "File" or "Folder" is GenFuns.InVar's.
class NotificationDecoder {
public:
    // genFuns: the program's general-functions object, which outlives the decoder. When it is null
    // or InVar fails, no object counts as a file or folder, as for any failed library call.
    explicit NotificationDecoder(_GenFuns* genFuns);
    ~NotificationDecoder();
    NotificationDecoder(const NotificationDecoder&) = delete;
    NotificationDecoder& operator=(const NotificationDecoder&) = delete;

    std::optional<ActivityRecord> decode(const Notification& notification) const;

private:
    bool isFileOrFolder(const std::string& object) const;

    _GenFuns* genFuns_;
    SAFEARRAY* fileAndFolder_;  // the variants "File" and "Folder"
};

}  // namespace orv::capture
