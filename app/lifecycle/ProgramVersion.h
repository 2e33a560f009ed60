#pragma once

#include <QString>

namespace orv::lifecycle {

inline const QString kProgramName = QStringLiteral("Orvane");
inline const QString kProgramVersion = QStringLiteral("2.0");
inline const QString kProgramBuild = QStringLiteral("015");

}  // namespace orv::lifecycle
