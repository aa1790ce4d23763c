#pragma once

#include <QString>

namespace tavrel {

// Where the program's files lie, decided once at start.
struct ProgramFiles {
    // Holds "tavrel.ini" and "temp.bat"; ends in "/". May not exist yet: it is created on the first write.
    QString dataDirectory;
    // The shell program that runs the launch script.
    QString shellProgram;
};

// What start-up finds around the executable. Kept apart from the rule so the rule can be tested on its own.
struct ProgramSurroundings {
    QString programDirectory;  // the executable's directory, with its trailing "/"
    bool shellBesideProgram;   // "TVRShell.pif" lies in the program directory
    bool shellInLibexec;       // "TVRShell.pif" lies in ../libexec/tavrel/ (an installed tree)
    bool programDirectoryWritable;
    QString xdgConfigHome;     // $XDG_CONFIG_HOME as set, possibly empty
    QString home;              // the user's home directory
};

// The two places the shell program may lie: beside the executable, or in an installed tree's
// libexec/tavrel/ (found relative to the executable, so a moved tree still works).
QString shellBesideProgram(const QString& programDirectory);
QString shellInLibexec(const QString& programDirectory);

// A folder the user owns (a build tree, an unpacked copy) keeps everything beside the program. An
// installed tree, or a folder the user may not write to, keeps the data in the user's own configuration
// directory.
ProgramFiles locateProgramFiles(const ProgramSurroundings& found);

} // namespace tavrel
