#include "NotificationDecoder.h"

#include "ShellEventTable.h"
#include "Utf8Codec.h"

namespace orv::capture {

namespace {

// The folder of a path: everything up to and including its last '/'; empty without one.
std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

SAFEARRAY* makeTextList(std::initializer_list<std::u16string_view> texts)
{
    SAFEARRAY* list = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(texts.size()));
    if (!list) return nullptr;
    LONG at = 0;
    for (const auto text : texts) {
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_BSTR;
        value.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        SafeArrayPutElement(list, &at, &value);
        VariantClear(&value);
        ++at;
    }
    return list;
}

}  // namespace

NotificationDecoder::NotificationDecoder(_GenFuns* genFuns)
    : genFuns_(genFuns), fileAndFolder_(makeTextList({u"File", u"Folder"}))
{
}

NotificationDecoder::~NotificationDecoder()
{
    if (fileAndFolder_) SafeArrayDestroy(fileAndFolder_);
}

std::optional<ActivityRecord> NotificationDecoder::decode(const Notification& notification) const
{
    const auto words = objectAndActionOf(shellEventName(notification.eventCode));
    ActivityRecord record;
    record.object = words.object;
    record.action = words.action;

    const bool itemsMeanSomething =
        notification.eventCode != kUpdateImageEvent && notification.eventCode != kFreeSpaceEvent;
    if (itemsMeanSomething) {
        if (notification.first) {
            std::string name = notification.first->displayName();
            if (!name.empty()) {
                record.originalName = std::move(name);
                record.path = folderOf(notification.first->fileSystemPath());
            }
        }
        if (notification.second) record.newName = notification.second->displayName();
    }

    if (record.object.empty() || record.action.empty()) return std::nullopt;
    if (record.newName == record.originalName) return std::nullopt;
    if (record.path.empty() && isFileOrFolder(record.object)) return std::nullopt;
    return record;
}

bool NotificationDecoder::isFileOrFolder(const std::string& object) const
{
    if (!genFuns_ || !fileAndFolder_) return false;
    const std::u16string text = text::decodeBytes(object);
    VARIANT target;
    VariantInit(&target);
    target.vt = VT_BSTR;
    target.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    SAFEARRAY* list = fileAndFolder_;
    VARIANT_BOOL member = VARIANT_FALSE;
    const HRESULT hr = genFuns_->InVar(target, &list, &member);
    VariantClear(&target);
    return SUCCEEDED(hr) && member == VARIANT_TRUE;
}

}  // namespace orv::capture
