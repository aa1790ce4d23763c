#include "platform/FileList.h"

#include "platform/ListLook.h"
#include "platform/ReadOnce.h"

#include <QAbstractListModel>
#include <QDir>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>

namespace tavrel {

// Names only, read-only: the text, and the same as the tooltip, since a long
// name is cut short in the list.
class FileList::Model : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(names_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if ((role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::ToolTipRole) && index.isValid()
            && index.row() < names_.size())
            return names_[index.row()];
        return {};
    }

    void setNames(QStringList names)
    {
        beginResetModel();
        names_ = std::move(names);
        endResetModel();
    }

    const QStringList& names() const { return names_; }

private:
    QStringList names_;
};

FileList::FileList(QWidget* parent)
    : ListMouse(parent)
    , model_(new Model(this))
{
    setModel(model_);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    applyReadableHighlight(this);
    // Direct, so that clicked() has been raised by the time the mouse or key
    // event returns.
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &FileList::onSelectionChanged,
            Qt::DirectConnection);
    path_ = cleanDirectoryPath(QDir::currentPath());
    reload();
}

FileList::~FileList() = default;

void FileList::reload()
{
    DirScanResult scan = ReadOnce::listDirectory(path_, pattern_, ScanFor::Files);
    // The reset clears the selection without a signal, so nothing is raised.
    model_->setNames(std::move(scan.files));
    lastRow_ = -1;
    scrollToTop();
}

void FileList::setPath(const QString& dir)
{
    path_ = cleanDirectoryPath(dir);
    reload();
    emit pathChanged();
}

void FileList::setPattern(const QString& pattern)
{
    pattern_ = FilePattern(pattern);
    reload();
}

void FileList::refresh()
{
    reload();
}

void FileList::refreshKeepingSelection()
{
    const QString kept = fileName();
    reload();
    const int row = int(model_->names().indexOf(kept));
    if (kept.isEmpty() || row < 0)
        return;
    lastRow_ = row;   // the same file: nothing to announce
    selectRow(row);
}

QString FileList::fileName() const
{
    return item(selectedRow());
}

int FileList::count() const
{
    return model_->rowCount();
}

QString FileList::item(int row) const
{
    return model_->names().value(row);
}

int FileList::selectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void FileList::selectRow(int row)
{
    if (row < 0 || row >= count()) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex index = model_->index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void FileList::onSelectionChanged()
{
    const int row = selectedRow();
    if (row == lastRow_)
        return;
    lastRow_ = row;
    if (row >= 0) {
        announced_ = true;
        emit clicked();
    }
}

QItemSelectionModel::SelectionFlags FileList::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    const QItemSelectionModel::SelectionFlags flags = QListView::selectionCommand(index, event);
    // Once a file is chosen, the user moves the selection but never empties
    // it: not by Ctrl+click or Ctrl+Space on it, nor by clicking below the rows.
    if (selectedRow() >= 0
        && (!index.isValid() || (flags & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))))
        return QItemSelectionModel::NoUpdate;
    return flags;
}

void FileList::leftPress(QMouseEvent* event)
{
    announced_ = false;
    QListView::mousePressEvent(event);
    // A click on the file already selected is a click all the same.
    const int row = indexAt(event->position().toPoint()).row();
    if (!announced_ && !inDoubleClick() && event->button() == Qt::LeftButton && row >= 0 && row == selectedRow())
        emit clicked();
}

void FileList::keyPressEvent(QKeyEvent* event)
{
    // With nothing selected, the first arrow key selects the first file,
    // wherever the focus frame happens to rest.
    const int key = event->key();
    if (selectedRow() < 0 && count() > 0 && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier
        && (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right)) {
        event->accept();
        selectRow(0);
        return;
    }
    QListView::keyPressEvent(event);
}

} // namespace tavrel
