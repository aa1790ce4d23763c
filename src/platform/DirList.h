#pragma once

#include "platform/ListMouse.h"
#include "platform/ListRows.h"

#include <QListView>
#include <QPoint>

namespace tavrel {

class Drives;

// The directory box: the path from "/" down to the current directory, one
// row per level, then the current directory's subdirectories one step
// further in. Double click or Enter on a row opens it.
class DirList : public ListMouse<DirList, RowsPlacedWhenShown<QListView>> {
    Q_OBJECT
public:
    // drives: where the directories it shows are remembered, drive by drive.
    explicit DirList(Drives& drives, QWidget* parent = nullptr);
    ~DirList() override;

    QString path() const { return path_; }
    // Refuses (false, nothing changes) a directory that cannot be read.
    // Raises pathChanged() before returning when the path moved; the same
    // path again only re-reads.
    bool setPath(const QString& path);
    // Re-reads; if the directory has gone, moves up to the nearest ancestor
    // that can still be read.
    void refresh();

    int count() const;
    QString itemPath(int row) const;   // empty for a row out of range
    int pathRow() const;               // the row of the current directory

signals:
    void pathChanged();
    // Raised first on every press; pos is in the viewport, where the rows are.
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    // The user opened a row that could not be read; the list stayed put.
    void openFailed(const QString& path);

protected:
    void leftDoubleClick(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    class Model;

    bool display(const QString& cleanPath);
    void openRow(int row);
    void updateIcons();

    Drives& drives_;
    Model* model_;
    QString path_;
};

} // namespace tavrel
