#pragma once

#include <QMouseEvent>
#include <QPalette>
#include <QWidget>

namespace tavrel {

// The owner paints the lists white on black through a style sheet, which
// leaves the selection colours to the palette; some desktop themes give a
// pale or grey highlight there (and a fainter one when the list loses focus),
// which disappears against black. A firm blue with white text reads on both
// light and dark backgrounds, and stays while the focus is elsewhere since
// the pop-up menus act on the selection. A style sheet's
// selection-background-color still overrides it.
inline void applyReadableHighlight(QWidget* widget)
{
    QPalette pal = widget->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Highlight, QColor(0x1E, 0x5A, 0xC8));
        pal.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    widget->setPalette(pal);
}

// Right and middle buttons belong to the owner's pop-up menus, which act on the
// existing selection: a list takes them without moving it. True when the
// event was taken here and must not reach the base class.
inline bool takeOtherButtons(QMouseEvent* event)
{
    const bool other = event->type() == QEvent::MouseMove
        ? event->buttons() != Qt::NoButton && !(event->buttons() & Qt::LeftButton)
        : event->button() != Qt::LeftButton;
    if (other)
        event->accept();
    return other;
}

} // namespace tavrel
