#pragma once

#include "platform/ListMouse.h"
#include "platform/ListRows.h"

#include <QComboBox>
#include <QListView>
#include <QPoint>

namespace tavrel {

class Drives;

// The drive box: "/" and the mounted volumes a user would browse.
class DriveList : public ListMouse<DriveList, QComboBox> {
    Q_OBJECT
public:
    explicit DriveList(Drives& drives, QWidget* parent = nullptr);

    QString drive() const { return drive_; }
    // Selects a listed mount point; raises driveChanged() only if it changed.
    // Unknown mount points are ignored.
    void setDrive(const QString& mountPoint);
    // Goes back to a drive without raising driveChanged(): for an owner that
    // could not follow the user to the drive just picked.
    void restoreDrive(const QString& mountPoint);
    // Shows the listed volume that holds a directory, without raising
    // driveChanged(): the directory list went there by itself.
    void showVolumeOf(const QString& directory);
    // Re-reads the volumes, keeping the current drive if it is still mounted;
    // otherwise moves to the volume that now holds its path and says so.
    void refresh();
    void showPopup() override;

signals:
    void driveChanged();
    // Raised first on every press, before the list opens.
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);

private:
    QStringList reload();
    void select(const QString& mountPoint);
    void onIndexChanged(int index);

    Drives& drives_;
    RowsPlacedWhenShown<QListView>* view_;
    QString drive_;
    bool filling_ = false;
};

} // namespace tavrel
