#pragma once

namespace tavrel {

class form1;

// Marks a frame that covers a view as a panel, for screen readers a group.
inline constexpr char kPanelProperty[] = "tavrelPanel";

// Gives every control that shows only a picture, or that a screen reader
// could not name from its own text, the words it stands for.
void nameControls(form1& w);

// Tells Qt's accessibility how to present the window's own kinds of control; once per program,
// before the first control is made.
void installAccessibleInterfaces();

} // namespace tavrel
