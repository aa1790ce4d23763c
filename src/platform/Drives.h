#pragma once

#include "platform/Volumes.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace tavrel {

// Whether a mounted file system is one a user would browse: not a kernel or
// container pseudo file system. "/" always is.
bool isUserVisibleVolume(const QString& mountPoint, const QString& fileSystemType);

// The mount point among `mountPoints` that holds `path`: the longest one that
// is a prefix of it on whole path components ("/media/usb" holds
// "/media/usb/roms" but not "/media/usb2"). Falls back to "/".
QString volumeIn(const QStringList& mountPoints, const QString& path);

// The drives a window offers, and "the current directory of a drive": the
// directory last shown on that volume while the window lives. At first that
// is the process's current directory for its own volume and the mount point
// itself for any other. The window owns one, shared by its drive and
// directory lists.
class Drives {
public:
    explicit Drives(const Volumes& volumes);

    // "/" and the user-visible mounted volumes, sorted by mount point.
    // Re-reads the mount table each time.
    QList<DriveInfo> list();
    // The mount points of the last list().
    const QStringList& mountPoints() const { return m_mountPoints; }
    // The volume holding a path, among the last listed.
    QString volumeOf(const QString& path) const;

    // Should the remembered directory have gone, its nearest existing
    // ancestor on the volume is given.
    QString currentDirectoryOf(const QString& mountPoint) const;
    void remember(const QString& dir);

private:
    const Volumes& m_volumes;
    QStringList m_mountPoints;
    QHash<QString, QString> m_lastDirectory;   // mount point -> directory
    QString m_startDirectory;
};

} // namespace tavrel
