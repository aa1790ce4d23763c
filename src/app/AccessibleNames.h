#pragma once

namespace tavrel {

class form1;

// Gives every control that shows only a picture, or that a screen reader
// could not name from its own text, the words it stands for.
void nameControls(form1& w);

} // namespace tavrel
