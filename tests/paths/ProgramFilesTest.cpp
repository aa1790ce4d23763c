#include "paths/ProgramFiles.h"

#include "../QtPrinters.h"

#include <gtest/gtest.h>

using namespace tavrel;

namespace {

ProgramSurroundings around(const QString& dir, bool beside, bool libexec, bool writable)
{
    return {dir, beside, libexec, writable, QStringLiteral("/home/ann/.cfg"), QStringLiteral("/home/ann")};
}

} // namespace

TEST(ProgramFiles, AFolderTheUserOwnsKeepsEverythingBesideTheProgram)
{
    // A build tree or an unpacked folder: exactly the old place, whether the shell program is there or not.
    for (bool beside : {true, false}) {
        const ProgramFiles f = locateProgramFiles(around(QStringLiteral("/home/ann/tavrel/"), beside, false, true));
        EXPECT_EQ(f.dataDirectory, QStringLiteral("/home/ann/tavrel/"));
        EXPECT_EQ(f.shellProgram, QStringLiteral("/home/ann/tavrel/TVRShell.pif"));
    }
    // The root directory gets no doubled "/"; a directory given without its "/" gets one.
    EXPECT_EQ(locateProgramFiles(around(QStringLiteral("/"), true, false, true)).shellProgram,
              QStringLiteral("/TVRShell.pif"));
    EXPECT_EQ(locateProgramFiles(around(QStringLiteral("/opt/t"), true, false, true)).dataDirectory,
              QStringLiteral("/opt/t/"));
}

TEST(ProgramFiles, AnInstalledTreeOrAForeignFolderKeepsDataPerUser)
{
    // Installed: the shell program comes from libexec; the data goes per user even when the user is root.
    for (bool writable : {false, true}) {
        const ProgramFiles f = locateProgramFiles(around(QStringLiteral("/usr/bin/"), false, true, writable));
        EXPECT_EQ(f.dataDirectory, QStringLiteral("/home/ann/.cfg/tavrel/"));
        EXPECT_EQ(f.shellProgram, QStringLiteral("/usr/libexec/tavrel/TVRShell.pif"));
    }
    // A shell program beside the executable wins: a portable folder that happens to sit in a bin/.
    EXPECT_EQ(locateProgramFiles(around(QStringLiteral("/home/ann/bin/"), true, true, true)).dataDirectory,
              QStringLiteral("/home/ann/bin/"));
    // A portable folder the user may not write to.
    const ProgramFiles f = locateProgramFiles(around(QStringLiteral("/opt/tavrel/"), true, false, false));
    EXPECT_EQ(f.dataDirectory, QStringLiteral("/home/ann/.cfg/tavrel/"));
    EXPECT_EQ(f.shellProgram, QStringLiteral("/opt/tavrel/TVRShell.pif"));
}

TEST(ProgramFiles, TheConfigurationHomeFallsBackWhenUnsetOrRelative)
{
    ProgramSurroundings s = around(QStringLiteral("/usr/bin/"), false, true, false);
    for (const QString& xdg : {QString(), QStringLiteral("relative/cfg"), QStringLiteral("~/.cfg")}) {
        s.xdgConfigHome = xdg;
        EXPECT_EQ(locateProgramFiles(s).dataDirectory, QStringLiteral("/home/ann/.config/tavrel/")) << xdg.toStdString();
    }
    s.xdgConfigHome = QStringLiteral("/tmp/x//cfg/");
    EXPECT_EQ(locateProgramFiles(s).dataDirectory, QStringLiteral("/tmp/x/cfg/tavrel/"));
    // A home of "/" (no HOME at all) gives no doubled "/".
    s.xdgConfigHome.clear();
    s.home = QStringLiteral("/");
    EXPECT_EQ(locateProgramFiles(s).dataDirectory, QStringLiteral("/.config/tavrel/"));
}
