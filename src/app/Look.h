#pragma once

#include <QCursor>
#include <QFont>

namespace tavrel::look {

// The window's typefaces: Comic Sans MS (Comic Neue stands in) and the system sans-serif.
QFont comic(double points, bool bold, bool italic);
QFont sans(double points, bool bold, bool italic);

// The pointer over clickable controls, and the title strip buttons' own.
QCursor pointer();
QCursor windowPointer();

} // namespace tavrel::look
