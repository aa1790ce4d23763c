#include "platform/Drives.h"

#include "platform/DirScan.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QStorageInfo>

#include <algorithm>

namespace tavrel {

namespace {

struct DriveState {
    QMutex mutex;
    DriveSource source;
    QStringList cachedMounts;   // from the last read of the mount table
    bool cached = false;
    QHash<QString, QString> lastDirectory;   // mount point -> directory
    QString startDirectory;                  // the process's, on first use
};

DriveState& state()
{
    static DriveState s;
    return s;
}

bool isUnder(const QString& path, QLatin1StringView root)
{
    return path == root || (path.startsWith(root) && path.size() > root.size() && path[root.size()] == u'/');
}

QList<DriveInfo> readSystemVolumes()
{
    QList<DriveInfo> drives;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        drives.append({volume.rootPath(), volume.name(), QString::fromLatin1(volume.fileSystemType())});
    }
    return drives;
}

QStringList mountPointsOf(const QList<DriveInfo>& drives)
{
    QStringList out;
    out.reserve(drives.size());
    for (const DriveInfo& d : drives)
        out.append(d.mountPoint);
    return out;
}

QStringList cachedMountPoints()
{
    {
        QMutexLocker lock(&state().mutex);
        if (state().cached)
            return state().cachedMounts;
    }
    return mountedDrives();
}

bool isDirectory(const QString& path)
{
    return QFileInfo(path).isDir();
}

} // namespace

QString DriveInfo::displayText() const
{
    return label.isEmpty() ? mountPoint : mountPoint + QLatin1String("  [") + label + u']';
}

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

QList<DriveInfo> mountedDriveInfos()
{
    DriveSource source;
    {
        QMutexLocker lock(&state().mutex);
        source = state().source;
    }
    QList<DriveInfo> drives = source ? source() : readSystemVolumes();
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

    QMutexLocker lock(&state().mutex);
    state().cachedMounts = mountPointsOf(unique);
    state().cached = true;
    return unique;
}

QStringList mountedDrives()
{
    return mountPointsOf(mountedDriveInfos());
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

QString volumeOf(const QString& path)
{
    return volumeIn(cachedMountPoints(), path);
}

QString currentDirectoryOf(const QString& mountPoint)
{
    const QString mount = cleanDirectoryPath(mountPoint);
    QString remembered, start;
    {
        QMutexLocker lock(&state().mutex);
        if (state().startDirectory.isEmpty())
            state().startDirectory = cleanDirectoryPath(QDir::currentPath());
        remembered = state().lastDirectory.value(mount);
        start = state().startDirectory;
    }
    if (remembered.isEmpty())
        return volumeOf(start) == mount ? start : mount;
    // A directory deleted since it was shown: offer what is left of the way.
    QString dir = remembered;
    while (dir.size() > mount.size() && !isDirectory(dir))
        dir = cleanDirectoryPath(dir + QLatin1String("/.."));
    return dir;
}

void rememberDirectory(const QString& dir)
{
    const QString clean = cleanDirectoryPath(dir);
    if (clean.isEmpty())
        return;
    const QString mount = volumeOf(clean);
    QMutexLocker lock(&state().mutex);
    if (state().startDirectory.isEmpty())
        state().startDirectory = cleanDirectoryPath(QDir::currentPath());
    state().lastDirectory.insert(mount, clean);
}

void resetDriveMemory()
{
    QMutexLocker lock(&state().mutex);
    state().lastDirectory.clear();
    state().startDirectory.clear();
    state().cached = false;
}

void setDriveSource(DriveSource source)
{
    QMutexLocker lock(&state().mutex);
    state().source = std::move(source);
    state().cached = false;
}

} // namespace tavrel
