#include "platform/Drives.h"

#include "platform/DirScan.h"
#include "platform/ReadOnce.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace tavrel {

namespace {

bool isUnder(const QString& path, QLatin1StringView root)
{
    return path == root || (path.startsWith(root) && path.size() > root.size() && path[root.size()] == u'/');
}

bool isDirectory(const QString& path)
{
    return QFileInfo(path).isDir();
}

} // namespace

bool isUserVisibleVolume(const QString& mountPoint, const QString& fileSystemType)
{
    if (mountPoint == u"/")
        return true;
    // QStorageInfo::mountedVolumes() already leaves out whatever is mounted
    // under /dev, /proc, /sys, /var/run and /var/lock, rootfs and rpc_pipefs,
    // and every file system that reports a size of 0 (proc, sysfs, cgroup,
    // devpts, debugfs, mqueue, autofs, ...). What it keeps and no user
    // browses: device nodes outside /dev (a chroot's), container layers, and
    // FUSE helpers that report a size.
    static const QStringList pseudo = {
        QStringLiteral("devtmpfs"),       QStringLiteral("overlay"),     QStringLiteral("fuse.gvfsd-fuse"),
        QStringLiteral("fuse.portal"),    QStringLiteral("fuse.lxcfs"),  QStringLiteral("fuse.snapfuse"),
    };
    if (pseudo.contains(fileSystemType))
        return false;
    // Runtime scratch space; removable media mounted under /run/media stay.
    if (fileSystemType == u"tmpfs" && isUnder(mountPoint, QLatin1StringView("/run")))
        return false;
    // Snap packages are squashfs images; a squashfs elsewhere may be a ROM set.
    if (fileSystemType == u"squashfs"
        && (isUnder(mountPoint, QLatin1StringView("/snap")) || isUnder(mountPoint, QLatin1StringView("/var/lib/snapd"))))
        return false;
    return true;
}

Drives::Drives(const Volumes& volumes)
    : m_volumes(volumes)
    , m_startDirectory(cleanDirectoryPath(QDir::currentPath()))
{
    list();
}

QList<DriveInfo> Drives::list()
{
    QList<DriveInfo> drives = ReadOnce::mounted(m_volumes);
    for (DriveInfo& d : drives)
        d.mountPoint = cleanDirectoryPath(d.mountPoint);
    drives.erase(std::remove_if(drives.begin(), drives.end(),
                                [](const DriveInfo& d) { return !isUserVisibleVolume(d.mountPoint, d.fileSystemType); }),
                 drives.end());
    // Stacked mounts repeat a mount point: the later one is what is seen there.
    std::stable_sort(drives.begin(), drives.end(),
                     [](const DriveInfo& a, const DriveInfo& b) { return a.mountPoint < b.mountPoint; });
    QList<DriveInfo> unique;
    for (const DriveInfo& d : drives) {
        if (!unique.isEmpty() && unique.last().mountPoint == d.mountPoint)
            unique.last() = d;
        else
            unique.append(d);
    }
    if (unique.isEmpty() || unique.first().mountPoint != u"/")
        unique.prepend({QStringLiteral("/"), QString(), QString()});

    m_mountPoints.clear();
    for (const DriveInfo& d : unique)
        m_mountPoints.append(d.mountPoint);
    return unique;
}

QString volumeIn(const QStringList& mountPoints, const QString& path)
{
    const QString clean = cleanDirectoryPath(path);
    QString best = QStringLiteral("/");
    for (const QString& mount : mountPoints) {
        if (mount.size() <= best.size() || mount == u"/")
            continue;
        if (clean == mount || (clean.startsWith(mount) && clean[mount.size()] == u'/'))
            best = mount;
    }
    return best;
}

QString Drives::volumeOf(const QString& path) const
{
    return volumeIn(m_mountPoints, path);
}

QString Drives::currentDirectoryOf(const QString& mountPoint) const
{
    const QString mount = cleanDirectoryPath(mountPoint);
    const QString remembered = m_lastDirectory.value(mount);
    if (remembered.isEmpty())
        return volumeOf(m_startDirectory) == mount ? m_startDirectory : mount;
    // A directory deleted since it was shown: offer what is left of the way.
    QString dir = remembered;
    while (dir.size() > mount.size() && !isDirectory(dir))
        dir = cleanDirectoryPath(dir + QLatin1String("/.."));
    return dir;
}

void Drives::remember(const QString& dir)
{
    const QString clean = cleanDirectoryPath(dir);
    if (!clean.isEmpty())
        m_lastDirectory.insert(volumeOf(clean), clean);
}

} // namespace tavrel
