#include "platform/Volumes.h"

#include <QStorageInfo>

namespace tavrel {

QString DriveInfo::displayText() const
{
    return label.isEmpty() ? mountPoint : mountPoint + QLatin1String("  [") + label + u']';
}

QList<DriveInfo> QtVolumes::mounted() const
{
    QList<DriveInfo> drives;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        drives.append({volume.rootPath(), volume.name(), QString::fromLatin1(volume.fileSystemType())});
    }
    return drives;
}

} // namespace tavrel
