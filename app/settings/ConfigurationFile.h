#pragma once

#include "DtfSettings.h"

#include <qdk_orv/qdk_orv.h>

#include <QString>

namespace orv::settings {

// Orvane's configuration file, configuration.ini: section DTF with the six display-format keys.
// Every access is one ReadIni or WriteIni of the library object, one key per call; the program
// never parses the file. Nothing here reports an error: what cannot be read reads as "", what
// cannot be written is not written, and the program goes on with what it has.
class ConfigurationFile {
public:
    // `apiFuns` may be null (the library object could not be created); then nothing is read or
    // written. `path`: the file's full path as the library gave its folder.
    ConfigurationFile(_APIFuns* apiFuns, QString path);

    // Reads the six keys in slot order into their slots, replacing what was there.
    void loadSettings(DtfSettings& table) const;
    // Writes the six defaults in slot order; other keys, sections and comments stay as they are.
    // The table is not touched: callers load the settings afterwards.
    void writeDefaultSettings() const;
    // Writes six values in slot order (the defaults, or what the user chose).
    void writeSettings(const DtfSettings& values) const;
    // At start: loads the settings and, when Sequence comes back empty (a new, empty or damaged
    // file), writes all six defaults and loads again. Any other value is taken as it is.
    void loadAtStartUp(DtfSettings& table) const;

private:
    _APIFuns* apiFuns_;
    QString path_;
};

}  // namespace orv::settings
