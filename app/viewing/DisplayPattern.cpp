#include "DisplayPattern.h"

namespace orv::viewing {

using settings::DtfSlot;

QString composeDisplayPattern(const settings::DtfSettings& settings)
{
    const QString& separatorSetting = settings[DtfSlot::Separator];
    const QString separator = separatorSetting == u"{Space}"_qs ? u" "_qs
                              : separatorSetting == u"/"_qs     ? u"\\/"_qs
                                                                : separatorSetting;
    const QString& sequence = settings[DtfSlot::Sequence];
    const auto ordered = [&](DtfSlot first, DtfSlot second, DtfSlot third) {
        return settings[first] + separator + settings[second] + separator + settings[third];
    };
    const QString date = sequence == u"Month Day Year"_qs   ? ordered(DtfSlot::Month, DtfSlot::Day, DtfSlot::Year)
                         : sequence == u"Year Month Day"_qs ? ordered(DtfSlot::Year, DtfSlot::Month, DtfSlot::Day)
                                                            : ordered(DtfSlot::Day, DtfSlot::Month, DtfSlot::Year);
    return date + u' ' + settings[DtfSlot::Time];
}

}  // namespace orv::viewing
