#pragma once

#include "platform/DirScan.h"
#include "platform/ListMouse.h"
#include "platform/ListRows.h"

#include <QListView>
#include <QPoint>

namespace tavrel {

// The file box: the files of one directory that match a pattern such as
// "*.ZIP" or "*.BMP;*.JPG;*.GIF", by bare name, sorted without regard to case.
// Built for folders of 100,000 archives: one pass over the directory, a flat
// model and uniform row heights.
class FileList : public ListMouse<FileList, RowsPlacedWhenShown<QListView>> {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);
    ~FileList() override;

    QString path() const { return path_; }
    // Always re-reads, even the same directory, and raises pathChanged().
    // A directory that cannot be read shows no files.
    void setPath(const QString& dir);
    QString pattern() const { return pattern_.text(); }
    void setPattern(const QString& pattern);

    QString fileName() const;   // the selected bare name, or empty
    int count() const;
    QString item(int row) const;
    int selectedRow() const;    // -1 when nothing is selected
    // Selects a row as the user would (raising clicked()); out of range clears.
    void selectRow(int row);
    // Re-reads with the same path and pattern; nothing stays selected.
    void refresh();
    // Re-reads, keeping the selected file selected (silently) while it is
    // still listed.
    void refreshKeepingSelection();

signals:
    void pathChanged();
    // The selected entry changed, by mouse, keys or selectRow(), or the
    // selected entry was clicked again.
    void clicked();
    // Raised first on every press; pos is in the viewport, where the rows are.
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);

protected:
    void leftPress(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;

private:
    class Model;

    void reload();
    void onSelectionChanged();

    Model* model_;
    QString path_;
    FilePattern pattern_;
    int lastRow_ = -1;
    bool announced_ = false;   // clicked() raised during the current press
};

} // namespace tavrel
