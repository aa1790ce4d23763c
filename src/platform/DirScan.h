#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

// Absolute, lexically clean form of a directory path: relative paths are taken
// from the process's current directory, "." and ".." and doubled "/" go, and
// only the root keeps a trailing "/". Symbolic links stay as named: the lists
// show the path the user walked, not where it leads. Empty in, empty out.
QString cleanDirectoryPath(const QString& path);

// Joins a directory and a bare name with exactly one "/".
QString childPathOf(const QString& dir, const QString& name);

// A file-name pattern such as "*.ZIP" or "*.BMP;*.JPG;*.GIF": one or more
// wildcard patterns ("*" any run, "?" one character) separated by ";",
// matched without regard to letter case. "*" and "*.*" (and an empty
// pattern) match every name, dotted or not, as users of such list boxes expect.
class FilePattern {
public:
    FilePattern();
    explicit FilePattern(const QString& text);

    const QString& text() const { return text_; }
    bool matchesEverything() const { return all_; }

    // name: the raw UTF-8 bytes of a directory entry.
    bool matches(std::string_view name) const;
    bool matches(const QString& name) const;

private:
    enum class Kind { Suffix, Glob };
    struct Part {
        Kind kind;
        std::string text;   // ASCII letters in lower case; Unicode-folded when not ASCII
    };

    bool matchesFolded(std::string_view name) const;

    QString text_;
    std::vector<Part> parts_;
    bool all_ = false;
    bool unicodeParts_ = false;   // some part holds non-ASCII letters
};

enum class ScanFor { Files = 1, Dirs = 2, Both = 3 };

struct DirScanResult {
    bool ok = false;      // the directory could be opened and read to the end
    QStringList files;    // regular files (or links to them) matching the pattern
    QStringList dirs;     // subdirectories (or links to them)
};

// One pass over the directory. Hidden names (leading ".") are left out, and
// so are names that are not valid UTF-8. Both lists come sorted without
// regard to letter case, ties broken by the exact bytes.
DirScanResult scanDirectory(const QString& dir, const FilePattern& pattern,
                            ScanFor what = ScanFor::Both);

} // namespace tavrel
