#pragma once

#include <QString>

// A full ROM folder made once per run: 100,000 files, 90,000 of them archives
// named in mixed letter case.
const QString& romFolder();
