#pragma once

#include "platform/ListLook.h"

#include <QMouseEvent>
#include <QPoint>

namespace tavrel {

// The mouse rules the three list boxes share, written once. Every press, the
// second press of a double click included, is announced first through the
// owner's mouseDown() signal; right and middle buttons then stop here (see
// takeOtherButtons). Owner is the widget class that declares mouseDown().
template <class Owner, class Base>
class ListMouse : public Base {
protected:
    using Base::Base;

    // What a left press does; the base class's by default.
    virtual void leftPress(QMouseEvent* event) { Base::mousePressEvent(event); }
    // What a left double click does; the base class's by default, which may
    // replay it as a press (not announced a second time).
    virtual void leftDoubleClick(QMouseEvent* event) { Base::mouseDoubleClickEvent(event); }
    bool inDoubleClick() const { return inDoubleClick_; }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (!inDoubleClick_)
            announce(event);
        if (takeOtherButtons(event))
            return;
        leftPress(event);
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (!takeOtherButtons(event))
            Base::mouseReleaseEvent(event);
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (!takeOtherButtons(event))
            Base::mouseMoveEvent(event);
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        // The second press of a double click is a press too.
        announce(event);
        if (event->button() != Qt::LeftButton) {
            event->accept();
            return;
        }
        inDoubleClick_ = true;
        leftDoubleClick(event);
        inDoubleClick_ = false;
    }

private:
    void announce(QMouseEvent* event)
    {
        emit static_cast<Owner*>(this)->mouseDown(event->button(), event->modifiers(), event->position().toPoint());
    }

    bool inDoubleClick_ = false;
};

} // namespace tavrel
