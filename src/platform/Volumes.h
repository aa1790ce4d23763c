#pragma once

#include <QList>
#include <QString>

namespace tavrel {

struct DriveInfo {
    QString mountPoint;
    QString label;   // volume label or name; may be empty
    QString fileSystemType;

    // "/media/usb  [MYSTICK]", or the bare path when there is no label.
    QString displayText() const;
};

// The mounted file systems; tests substitute a fixed table.
class Volumes {
public:
    virtual ~Volumes() = default;
    // Every mounted file system the system reports as ready, unfiltered and unsorted.
    virtual QList<DriveInfo> mounted() const = 0;
};

class QtVolumes final : public Volumes {
public:
    QList<DriveInfo> mounted() const override;
};

} // namespace tavrel
