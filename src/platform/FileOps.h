#pragma once

#include <QString>

namespace tavrel {

struct FileResult {
    bool ok = false;
    QString reason;  // the system's words for a failure
};

// A folder held open from the moment the user is asked about a file in it, so
// that the delete or rename then acts on the file in this very folder even if
// its path is meanwhile made to lead elsewhere (a symbolic link swapped in).
class Folder {
public:
    explicit Folder(const QString& path);
    ~Folder();
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    int fd() const { return m_fd; }
    // The system's error when the folder could not be opened, else 0.
    int error() const { return m_error; }
    // A name in the folder is taken (by anything, a dangling link too).
    bool holds(const QString& name) const;

private:
    int m_fd = -1;
    int m_error = 0;
};

// A permanent delete of one file of the folder (a symbolic link itself, not
// what it points to).
FileResult deleteFile(const Folder& folder, const QString& name);

// Renames a file of the folder within it, but never over an existing name,
// even one that appears meanwhile. QFile::rename cannot promise that: where
// the atomic rename is missing it falls back to a plain rename() and then to
// copying into a truncated target.
FileResult renameWithoutReplacing(const Folder& folder, const QString& from, const QString& to);

namespace detail {
// The two ways used where renameat2(RENAME_NOREPLACE) is not supported, each
// refusing a taken name atomically: a hard link (which fails on an existing
// name) then unlinking the old name; or, on file systems without hard links,
// reserving the new name with O_EXCL and renaming over that reservation.
FileResult renameByLink(int dir, const QByteArray& from, const QByteArray& to, bool& unsupported);
FileResult renameByReservation(int dir, const QByteArray& from, const QByteArray& to);
} // namespace detail

} // namespace tavrel
