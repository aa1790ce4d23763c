#include "paths/ProgramFiles.h"

#include "../QtPrinters.h"

#include <gtest/gtest.h>

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
    // A build tree or an unpacked folder: the program's own folder, whether the shell program is there or not.
    {"portable", "/home/ann/tavrel/", true, false, true, "/home/ann/tavrel/", "/home/ann/tavrel/TVRShell.pif"},
    {"portable, no shell", "/home/ann/tavrel/", false, false, true, "/home/ann/tavrel/", "/home/ann/tavrel/TVRShell.pif"},
    // The root gets no doubled "/"; a directory given without its "/" gets one.
    {"root", "/", true, false, true, "/", "/TVRShell.pif"},
    {"no slash", "/opt/t", true, false, true, "/opt/t/", nullptr},
    // Installed: the shell program comes from libexec; the data goes per user even when the user is root.
    {"installed", "/usr/bin/", false, true, false, "/home/ann/.cfg/tavrel/", "/usr/libexec/tavrel/TVRShell.pif"},
    {"installed, writable", "/usr/bin/", false, true, true, "/home/ann/.cfg/tavrel/", "/usr/libexec/tavrel/TVRShell.pif"},
    // A shell program beside the executable wins: a portable folder that happens to sit in a bin/.
    {"portable in a bin", "/home/ann/bin/", true, true, true, "/home/ann/bin/", nullptr},
    // A portable folder the user may not write to.
    {"foreign folder", "/opt/tavrel/", true, false, false, "/home/ann/.cfg/tavrel/", "/opt/tavrel/TVRShell.pif"},
    // The configuration home falls back when unset or relative, and is cleaned; a home of "/" (no HOME
    // at all) gives no doubled "/".
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
        if (c.shellProgram) {
            EXPECT_EQ(f.shellProgram, QString::fromUtf8(c.shellProgram));
        }
    }
}
