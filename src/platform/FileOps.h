#pragma once

#include <QString>

namespace tavrel {

struct FileResult {
    bool ok = false;
    QString reason;  // the system's words for a failure
};

// A permanent delete of one file (a symbolic link itself, not what it points to).
FileResult deleteFile(const QString& path);

// Renames a file but never over an existing one, even one that appears meanwhile.
FileResult renameWithoutReplacing(const QString& from, const QString& to);

} // namespace tavrel
