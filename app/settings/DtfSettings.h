#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>

namespace orv::settings {

// The six display-format settings, numbered as their slots.
enum class DtfSlot : std::size_t { Sequence, Separator, Year, Month, Day, Time };

// The table of the six settings of section DTF, exactly as last read from the configuration file:
// never validated, and defaults reach it only through the file.
class DtfSettings {
public:
    static constexpr std::size_t kSlotCount = 6;
    static constexpr std::array<DtfSlot, kSlotCount> kSlots{DtfSlot::Sequence, DtfSlot::Separator, DtfSlot::Year,
                                                            DtfSlot::Month,    DtfSlot::Day,       DtfSlot::Time};

    // The key of the slot in section DTF ("Sequence" ... "Time").
    static QString keyOf(DtfSlot slot);
    // The values the Options dialog offers for the slot, in its order; the first is the default.
    static const QStringList& offeredValues(DtfSlot slot);
    static DtfSettings defaults();

    const QString& operator[](DtfSlot slot) const { return values_[static_cast<std::size_t>(slot)]; }
    QString& operator[](DtfSlot slot) { return values_[static_cast<std::size_t>(slot)]; }
    bool operator==(const DtfSettings&) const = default;

private:
    std::array<QString, kSlotCount> values_;
};

}  // namespace orv::settings
