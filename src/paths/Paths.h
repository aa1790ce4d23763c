#pragma once

#include <QString>

namespace tavrel {

// "/" goes between a directory and a name unless the directory already ends in
// one (only the root does).
QString joinPath(const QString& dir, const QString& name);

// The directory with its trailing "/": where the program's own files live.
QString withTrailingSlash(const QString& dir);

// The one stable name of an existing file or directory: absolute, no "." or
// "..", no doubled "/". A directory's symbolic links are all resolved; a file's
// directories are, but the file keeps its own listed name even when it is a
// link. Empty for a path that does not exist. A path given with a trailing "/"
// keeps it, so a directory named as a directory stays recognisable as one.
QString ShortPath(const QString& path);

} // namespace tavrel
