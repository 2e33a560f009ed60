#include "DtfSettings.h"

namespace orv::settings {

QString DtfSettings::keyOf(DtfSlot slot)
{
    static const std::array<QString, kSlotCount> keys{u"Sequence"_qs, u"Separator"_qs, u"Year"_qs,
                                                      u"Month"_qs,    u"Day"_qs,       u"Time"_qs};
    return keys[static_cast<std::size_t>(slot)];
}

const QStringList& DtfSettings::offeredValues(DtfSlot slot)
{
    static const std::array<QStringList, kSlotCount> values{
        QStringList{u"Month Day Year"_qs, u"Year Month Day"_qs, u"Day Month Year"_qs},
        // A blank separator is stored as a token: values are read back without their blanks.
        QStringList{u"{Space}"_qs, u"-"_qs, u"/"_qs, u"."_qs},
        QStringList{u"YYYY"_qs, u"YY"_qs},
        QStringList{u"MMM"_qs, u"MM"_qs, u"M"_qs},
        QStringList{u"DD"_qs, u"D"_qs},
        QStringList{u"HH:MM:SS"_qs, u"H:M:S"_qs, u"HH:MM:SS AM/PM"_qs, u"H:M:S AM/PM"_qs},
    };
    return values[static_cast<std::size_t>(slot)];
}

DtfSettings DtfSettings::defaults()
{
    DtfSettings made;
    for (DtfSlot slot : kSlots) made[slot] = offeredValues(slot).front();
    return made;
}

}  // namespace orv::settings
