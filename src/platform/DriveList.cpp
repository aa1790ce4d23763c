#include "platform/DriveList.h"

#include "platform/Drives.h"
#include "platform/ListLook.h"
#include "platform/ListRows.h"

#include <QAbstractItemView>
#include <QDir>
#include <QListView>
#include <QMouseEvent>

namespace tavrel {

DriveList::DriveList(Drives& drives, QWidget* parent)
    : ListMouse(parent)
    , drives_(drives)
{
    setEditable(false);
    // Drops down as a list with a scroll bar, which an owner's style sheet can
    // dress, rather than as a menu with the platform's scroll arrows. Set
    // before the drop-down is first made, which reads it.
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    // Screen readers see the drop-down's rows only while it is open.
    view_ = new RowsPlacedWhenShown<QListView>;
    setView(view_);
    applyReadableHighlight(this);
    applyReadableHighlight(view());
    connect(this, &QComboBox::currentIndexChanged, this, &DriveList::onIndexChanged);
    // The closed drop-down's list keeps the chosen drive selected: screen readers read the value there.
    connect(this, &QComboBox::currentIndexChanged, view_, [this](int index) {
        view_->selectionModel()->select(model()->index(index, modelColumn()), QItemSelectionModel::ClearAndSelect);
    });
    drive_ = volumeIn(reload(), QDir::currentPath());
    select(drive_);
}

void DriveList::showPopup()
{
    view_->placeRowsWhileHidden(true);
    QComboBox::showPopup();
    view_->placeRowsWhileHidden(false);
}

QStringList DriveList::reload()
{
    filling_ = true;
    clear();
    for (const DriveInfo& d : drives_.list())
        addItem(d.displayText(), d.mountPoint);
    filling_ = false;
    return drives_.mountPoints();
}

void DriveList::select(const QString& mountPoint)
{
    filling_ = true;
    setCurrentIndex(findData(mountPoint));
    filling_ = false;
}

void DriveList::setDrive(const QString& mountPoint)
{
    const int index = findData(mountPoint);
    if (index >= 0)
        setCurrentIndex(index);   // onIndexChanged() raises driveChanged() if it moved
}

void DriveList::restoreDrive(const QString& mountPoint)
{
    if (findData(mountPoint) < 0)
        return;
    select(mountPoint);
    drive_ = mountPoint;
}

void DriveList::showVolumeOf(const QString& directory)
{
    QStringList listed;
    for (int i = 0; i < count(); ++i)
        listed.append(itemData(i).toString());
    restoreDrive(volumeIn(listed, directory));
}

void DriveList::refresh()
{
    const QStringList mounts = reload();
    // A drive that went away (a stick pulled out) gives way to the volume
    // that now holds its path.
    const QString target = mounts.contains(drive_) ? drive_ : volumeIn(mounts, drive_);
    select(target);
    if (target != drive_) {
        drive_ = target;
        emit driveChanged();
    }
}

void DriveList::onIndexChanged(int index)
{
    if (filling_ || index < 0)
        return;
    const QString picked = itemData(index).toString();
    if (picked == drive_)
        return;
    drive_ = picked;
    emit driveChanged();
}

} // namespace tavrel
