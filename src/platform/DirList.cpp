#include "platform/DirList.h"

#include "platform/DirScan.h"
#include "platform/Drives.h"
#include "platform/ListLook.h"
#include "platform/ReadOnce.h"

#include <QAbstractListModel>
#include <QDir>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyledItemDelegate>

namespace tavrel {

namespace {

constexpr int DepthRole = Qt::UserRole;
// Only the deepest levels shown are indented, so that a name twelve folders
// down still has the width of the list; the tooltip holds the whole path.
constexpr int IndentedLevels = 3;

// Shifts each row right by its depth among the indented levels.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(shifted.rect.left() + indent(option, index));
        QStyledItemDelegate::paint(painter, shifted, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.rwidth() += indent(option, index);
        return size;
    }

private:
    static int indent(const QStyleOptionViewItem& option, const QModelIndex& index)
    {
        // Half an icon a level: enough to tell the levels apart.
        return index.data(DepthRole).toInt() * qMax(8, option.decorationSize.width() / 2);
    }
};

} // namespace

class DirList::Model : public QAbstractListModel {
public:
    struct Row {
        QString path;
        QString label;
        int depth = 0;
        bool open = false;   // an ancestor (or the directory itself) rather than a child
    };

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(rows_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= rows_.size())
            return {};
        const Row& row = rows_[index.row()];
        switch (role) {
        case Qt::DisplayRole:
            return row.label;
        case Qt::ToolTipRole:
            return row.path;
        case Qt::DecorationRole:
            return row.open ? openIcon : closedIcon;
        case DepthRole:
            return indentedDepth(row.depth);
        default:
            return {};
        }
    }

    void setRows(QList<Row> rows)
    {
        beginResetModel();
        rows_ = std::move(rows);
        deepest_ = rows_.isEmpty() ? 0 : rows_.last().depth;
        endResetModel();
    }

    const QList<Row>& rows() const { return rows_; }

    void setIcons(const QIcon& open, const QIcon& closed)
    {
        openIcon = open;
        closedIcon = closed;
        if (!rows_.isEmpty())
            emit dataChanged(index(0), index(int(rows_.size()) - 1), {Qt::DecorationRole});
    }

private:
    // The levels above the last few all start at the left edge.
    int indentedDepth(int depth) const { return qMax(0, depth - qMax(0, deepest_ - IndentedLevels)); }

    QList<Row> rows_;
    int deepest_ = 0;
    QIcon openIcon, closedIcon;
};

DirList::DirList(Drives& drives, QWidget* parent)
    : ListMouse(parent)
    , drives_(drives)
    , model_(new Model(this))
{
    setModel(model_);
    setItemDelegate(new IndentDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    applyReadableHighlight(this);
    updateIcons();
    // Start where the process stands; should that be unreadable, fall back towards the root.
    path_ = cleanDirectoryPath(QDir::currentPath());
    refresh();
}

DirList::~DirList() = default;

bool DirList::display(const QString& cleanPath)
{
    static const FilePattern everything;
    const DirScanResult scan = ReadOnce::listDirectory(cleanPath, everything, ScanFor::Dirs);
    if (!scan.ok)
        return false;

    QList<Model::Row> rows;
    rows.append({QStringLiteral("/"), QStringLiteral("/"), 0, true});
    QString walked;
    int depth = 0;
    for (const QString& part : cleanPath.split(u'/', Qt::SkipEmptyParts)) {
        walked += u'/' + part;
        rows.append({walked, part, ++depth, true});
    }
    const int pathRow = depth;
    for (const QString& dir : scan.dirs)
        rows.append({childPathOf(cleanPath, dir), dir, depth + 1, false});
    model_->setRows(std::move(rows));

    const QModelIndex current = model_->index(pathRow);
    setCurrentIndex(current);
    scrollTo(current);
    return true;
}

bool DirList::setPath(const QString& path)
{
    const QString clean = cleanDirectoryPath(path);
    if (clean.isEmpty() || !display(clean))
        return false;
    drives_.remember(clean);
    if (clean != path_) {
        path_ = clean;
        emit pathChanged();
    }
    return true;
}

void DirList::refresh()
{
    QString dir = path_;
    while (!display(dir)) {
        if (dir == u"/")
            return;   // nothing readable at all: keep what is shown
        dir = cleanDirectoryPath(dir + QLatin1String("/.."));
    }
    drives_.remember(dir);
    if (dir != path_) {
        path_ = dir;
        emit pathChanged();
    }
}

int DirList::count() const
{
    return model_->rowCount();
}

QString DirList::itemPath(int row) const
{
    return (row >= 0 && row < model_->rows().size()) ? model_->rows()[row].path : QString();
}

int DirList::pathRow() const
{
    return int(path_.count(u'/')) - (path_ == u"/" ? 1 : 0);
}

void DirList::openRow(int row)
{
    const QString target = itemPath(row);
    if (!target.isEmpty() && !setPath(target))
        emit openFailed(target);
}

void DirList::leftDoubleClick(QMouseEvent* event)
{
    event->accept();
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid())
        openRow(index.row());
}

void DirList::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid()) {
        event->accept();
        openRow(currentIndex().row());
        return;
    }
    QListView::keyPressEvent(event);
}

void DirList::changeEvent(QEvent* event)
{
    QListView::changeEvent(event);
    if (event->type() == QEvent::StyleChange)
        updateIcons();
}

void DirList::updateIcons()
{
    model_->setIcons(style()->standardIcon(QStyle::SP_DirOpenIcon, nullptr, this),
                     style()->standardIcon(QStyle::SP_DirClosedIcon, nullptr, this));
}

} // namespace tavrel
