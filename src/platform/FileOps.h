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
// QFile::rename cannot promise that: where the atomic rename is missing it falls
// back to a plain rename() and then to copying into a truncated target.
FileResult renameWithoutReplacing(const QString& from, const QString& to);

namespace detail {
// The two ways used where renameat2(RENAME_NOREPLACE) is not supported, each
// refusing a taken name atomically: a hard link (which fails on an existing
// name) then unlinking the old name; or, on file systems without hard links,
// reserving the new name with O_EXCL and renaming over that reservation.
FileResult renameByLink(const QByteArray& from, const QByteArray& to, bool& unsupported);
FileResult renameByReservation(const QByteArray& from, const QByteArray& to);
} // namespace detail

} // namespace tavrel
