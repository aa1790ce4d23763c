#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace tavrel {

struct DriveInfo {
    QString mountPoint;
    QString label;   // volume label or name; may be empty
    QString fileSystemType;

    // "/media/usb  [MYSTICK]", or the bare path when there is no label.
    QString displayText() const;
};

// Whether a mounted file system is one a user would browse: not a kernel or
// container pseudo file system. "/" always is.
bool isUserVisibleVolume(const QString& mountPoint, const QString& fileSystemType);

// "/" and the user-visible mounted volumes, sorted by mount point. Re-reads
// the mount table each time; volumeOf() uses the last list read.
QList<DriveInfo> mountedDriveInfos();
QStringList mountedDrives();

// The mount point among `mountPoints` that holds `path`: the longest one that
// is a prefix of it on whole path components ("/media/usb" holds
// "/media/usb/roms" but not "/media/usb2"). Falls back to "/".
QString volumeIn(const QStringList& mountPoints, const QString& path);
QString volumeOf(const QString& path);

// "The current directory of a drive": the directory last shown on that
// volume during this run. At first, the process's current directory for its
// own volume and the mount point itself for any other. Should the remembered
// directory have gone, its nearest existing ancestor on the volume is given.
QString currentDirectoryOf(const QString& mountPoint);
void rememberDirectory(const QString& dir);
void resetDriveMemory();

// Replaces the mount table with a fixed list (tests); an empty function goes
// back to the real one.
using DriveSource = std::function<QList<DriveInfo>()>;
void setDriveSource(DriveSource source);

} // namespace tavrel
