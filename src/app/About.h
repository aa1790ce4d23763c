#pragma once

#include <QString>

namespace tavrel {

inline const QString kMakerName = QStringLiteral("The Tavrel developers");
inline const QString kHomePage = QStringLiteral("https://tavrel.org/");

} // namespace tavrel
