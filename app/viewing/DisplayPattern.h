#pragma once

#include "DtfSettings.h"

#include <QString>

namespace orv::viewing {

// The display pattern built from the six settings as they are: the date parts in the order of
// Sequence with the separator between them, one space, and the time. Comparisons are exact:
// "{Space}" is one blank, "/" an escaped slash that stays a slash whatever the locale, any other
// separator is used as it is; "Month Day Year" and "Year Month Day" order the parts, any other
// Sequence gives day, month, year.
QString composeDisplayPattern(const settings::DtfSettings& settings);

}  // namespace orv::viewing
