#pragma once

#include "platform/DirScan.h"
#include "platform/Volumes.h"

#include <QHash>
#include <QList>
#include <QString>

namespace tavrel {

// While one lives, each directory is read from disk once and the mount table
// once: the start-up steps, which each list the starting folder in one list
// or another, share that reading instead of walking a folder of 100,000
// archives eleven times. Outside one, every listing reads afresh, so a
// refresh always sees the disk as it is. One at a time, on the window's thread.
class ReadOnce {
public:
    ReadOnce();
    ~ReadOnce();
    ReadOnce(const ReadOnce&) = delete;
    ReadOnce& operator=(const ReadOnce&) = delete;

    // What scanDirectory() gives, from the shared reading when one is kept.
    static DirScanResult listDirectory(const QString& dir, const FilePattern& pattern, ScanFor what);
    // What volumes.mounted() gives, from the shared reading when one is kept.
    static QList<DriveInfo> mounted(const Volumes& volumes);

private:
    QHash<QString, DirScanResult> m_folders;    // every entry, by directory
    QHash<QString, QStringList> m_matches;      // directory + '\0' + pattern -> matching files
    QHash<const Volumes*, QList<DriveInfo>> m_volumes;
    ReadOnce* m_outer;
};

} // namespace tavrel
