#pragma once

#include <QAbstractItemView>
#include <QRect>

namespace tavrel {

// A list view whose rows have no place on screen while the list is not shown.
// Screen readers judge whether a row is showing by its place, which a hidden
// list would otherwise keep; the list's own scrolling still finds them.
template <class Base>
class RowsPlacedWhenShown : public Base {
public:
    using Base::Base;

    QRect visualRect(const QModelIndex& index) const override
    {
        return this->isVisible() || scrolling_ || placing_ ? Base::visualRect(index) : QRect();
    }

    // While set, rows keep their places though the list is hidden: for a drop-down measuring its list.
    void placeRowsWhileHidden(bool place) { placing_ = place; }

    void scrollTo(const QModelIndex& index,
                  QAbstractItemView::ScrollHint hint = QAbstractItemView::EnsureVisible) override
    {
        scrolling_ = true;
        Base::scrollTo(index, hint);
        scrolling_ = false;
    }

private:
    bool scrolling_ = false;
    bool placing_ = false;
};

} // namespace tavrel
