#include "paths/ProgramFiles.h"

#include "../QtPrinters.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

using namespace tavrel;

namespace {

struct Case {
    const char* what;
    const char* programDirectory;
    bool shellBeside, shellInLibexec, writable;
    const char* dataDirectory;
    const char* shellProgram;   // nullptr: not checked
    const char* xdgConfigHome = "/home/ann/.cfg";
    const char* home = "/home/ann";
};

const Case kCases[] = {
    // Portable: the program's own folder, shell program there or not; no doubled "/" and a "/" added.
    {"portable", "/home/ann/tavrel/", true, false, true, "/home/ann/tavrel/", "/home/ann/tavrel/TVRShell.pif"},
    {"portable, no shell", "/home/ann/tavrel/", false, false, true, "/home/ann/tavrel/", "/home/ann/tavrel/TVRShell.pif"},
    {"root", "/", true, false, true, "/", "/TVRShell.pif"},
    {"no slash", "/opt/t", true, false, true, "/opt/t/", nullptr},
    // Installed: the shell program from libexec, the data per user even for root.
    {"installed", "/usr/bin/", false, true, false, "/home/ann/.cfg/tavrel/", "/usr/libexec/tavrel/TVRShell.pif"},
    {"installed, writable", "/usr/bin/", false, true, true, "/home/ann/.cfg/tavrel/", "/usr/libexec/tavrel/TVRShell.pif"},
    // A shell program beside the executable wins; a folder the user may not write to is not used.
    {"portable in a bin", "/home/ann/bin/", true, true, true, "/home/ann/bin/", nullptr},
    {"foreign folder", "/opt/tavrel/", true, false, false, "/home/ann/.cfg/tavrel/", "/opt/tavrel/TVRShell.pif"},
    // The configuration home falls back when unset or relative, and is cleaned; a home of "/" too.
    {"xdg unset", "/usr/bin/", false, true, false, "/home/ann/.config/tavrel/", nullptr, ""},
    {"xdg relative", "/usr/bin/", false, true, false, "/home/ann/.config/tavrel/", nullptr, "relative/cfg"},
    {"xdg tilde", "/usr/bin/", false, true, false, "/home/ann/.config/tavrel/", nullptr, "~/.cfg"},
    {"xdg unclean", "/usr/bin/", false, true, false, "/tmp/x/cfg/tavrel/", nullptr, "/tmp/x//cfg/"},
    {"home is root", "/usr/bin/", false, true, false, "/.config/tavrel/", nullptr, "", "/"},
};

} // namespace

TEST(ProgramFiles, DataGoesBesideTheProgramOnlyWhereTheUserOwnsIt)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        const ProgramFiles f = locateProgramFiles({QString::fromUtf8(c.programDirectory), c.shellBeside,
                                                   c.shellInLibexec, c.writable, QString::fromUtf8(c.xdgConfigHome),
                                                   QString::fromUtf8(c.home)});
        EXPECT_EQ(f.dataDirectory, QString::fromUtf8(c.dataDirectory));
        EXPECT_TRUE(!c.shellProgram || f.shellProgram == QString::fromUtf8(c.shellProgram)) << f.shellProgram.toStdString();
    }
}

// Without HOME the home comes from the password database, as other desktop programs find it.
TEST(ProgramFiles, HomeWithoutHomeVariableComesFromThePasswordDatabase)
{
    const QByteArray saved = qgetenv("HOME");
    qunsetenv("HOME");
    const QString unset = homeDirectory();
    qputenv("HOME", "relative");
    EXPECT_EQ(homeDirectory(), unset);
    qputenv("HOME", saved);
    EXPECT_EQ(unset, QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_dir));
}
