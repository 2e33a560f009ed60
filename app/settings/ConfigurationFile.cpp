#include "ConfigurationFile.h"

#include <qdk_orv/com_ptr.h>

#include <utility>

namespace orv::settings {

namespace {

const QString kSection = u"DTF"_qs;

// QString and BSTR are both UTF-16: the texts pass unchanged, lone surrogates included.
qdk::Bstr bstrOf(const QString& text)
{
    return qdk::Bstr(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), text.size()));
}

QString qstringOf(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

}  // namespace

ConfigurationFile::ConfigurationFile(_APIFuns* apiFuns, QString path) : apiFuns_(apiFuns), path_(std::move(path)) {}

void ConfigurationFile::loadSettings(DtfSettings& table) const
{
    const qdk::Bstr file = bstrOf(path_), section = bstrOf(kSection);
    for (DtfSlot slot : DtfSettings::kSlots) {
        qdk::Bstr value;
        if (!apiFuns_ || FAILED(apiFuns_->ReadIni(file.get(), section.get(), bstrOf(DtfSettings::keyOf(slot)).get(), value.put())))
            value = qdk::Bstr();
        table[slot] = qstringOf(value.view());
    }
}

void ConfigurationFile::writeDefaultSettings() const { writeSettings(DtfSettings::defaults()); }

void ConfigurationFile::writeSettings(const DtfSettings& values) const
{
    if (!apiFuns_) return;
    for (DtfSlot slot : DtfSettings::kSlots) {
        // All four go by reference; what the library hands back in them is not needed. WriteIni
        // tells nothing of the file: a key that could not be written stays as it was, and the
        // next one is still tried.
        qdk::Bstr file = bstrOf(path_), section = bstrOf(kSection), key = bstrOf(DtfSettings::keyOf(slot)),
                  value = bstrOf(values[slot]);
        apiFuns_->WriteIni(file.slot(), section.slot(), key.slot(), value.slot());
    }
}

void ConfigurationFile::loadAtStartUp(DtfSettings& table) const
{
    loadSettings(table);
    if (!table[DtfSlot::Sequence].isEmpty()) return;
    writeDefaultSettings();
    loadSettings(table);
}

}  // namespace orv::settings
