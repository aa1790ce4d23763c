#include "paths/ProgramFiles.h"

#include "paths/Paths.h"
#include "settings/IniFile.h"

#include <QDir>
#include <QFile>

#include <pwd.h>
#include <unistd.h>

namespace tavrel {

namespace {

const QString kShellProgram = QStringLiteral("TVRShell.pif");

QString userConfigDirectory(const QString& xdgConfigHome, const QString& home)
{
    // XDG_CONFIG_HOME counts only when absolute; a relative value is ignored, as desktops do.
    const QString base = QDir::isAbsolutePath(xdgConfigHome) ? xdgConfigHome : joinPath(home, QStringLiteral(".config"));
    return withTrailingSlash(joinPath(QDir::cleanPath(base), QStringLiteral("tavrel")));
}

} // namespace

QString shellBesideProgram(const QString& programDirectory)
{
    return joinPath(programDirectory, kShellProgram);
}

QString shellInLibexec(const QString& programDirectory)
{
    return QDir::cleanPath(joinPath(programDirectory, QStringLiteral("../libexec/tavrel/") + kShellProgram));
}

ProgramFiles locateProgramFiles(const ProgramSurroundings& found)
{
    const QString programDir = withTrailingSlash(found.programDirectory);
    const bool installed = !found.shellBesideProgram && found.shellInLibexec;
    ProgramFiles files;
    // Without the shell program anywhere, it is still looked for beside the program, where a launch then
    // reports it missing.
    files.shellProgram = installed ? shellInLibexec(programDir) : shellBesideProgram(programDir);
    // Even root never counts an installed tree as its own: that would put settings into /usr/bin.
    files.dataDirectory = !installed && found.programDirectoryWritable
        ? programDir
        : userConfigDirectory(found.xdgConfigHome, found.home);
    return files;
}

QString homeDirectory()
{
    const QString home = qEnvironmentVariable("HOME");
    if (QDir::isAbsolutePath(home))
        return home;
    const passwd* entry = ::getpwuid(::geteuid());
    return entry && entry->pw_dir && entry->pw_dir[0] == '/' ? QFile::decodeName(entry->pw_dir) : QStringLiteral("/");
}

bool makeDataDirectory(const QString& dir)
{
    return inifile::makePrivateDirectories(QFile::encodeName(dir));
}

} // namespace tavrel
