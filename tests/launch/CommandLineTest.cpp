#include "launch/CommandLine.h"
#include "settings/Options.h"

#include <gtest/gtest.h>

using namespace tavrel;

// The switches in their fixed order, each with its blanks: six blanks when none is on. Between them the
// rows hold every value of each control.
TEST(CommandLine, EverySwitchInLineOrder)
{
    // "on": joystick, vsync and skipping the analysis.
    const struct { int scanlines, frameskip, video; bool on; const char* exe; const char* line; } cases[] = {
        {0, 0, 0, false, "NeoRAGE.EXE", "NeoRAGE.EXE /games/roms/puzzle.zip      "},
        {1, 2, 1, true, "NeoRAGE.EXE", "NeoRAGE.EXE /games/roms/puzzle.zip -s  -f2  -j  -vga  -v  -noanalyse "},
        {3, 0, 2, false, "NeoRAGE.EXE", "NeoRAGE.EXE /games/roms/puzzle.zip -s50    -modex   "},
        {2, 1, 0, false, "neorage.exe", "neorage.exe /games/roms/puzzle.zip -s25  -f1     "},
        {4, 3, 0, true, "", " /games/roms/puzzle.zip -s100  -f3  -j   -v  -noanalyse "},
        {0, 4, 2, false, "NeoRAGE.EXE", "NeoRAGE.EXE /games/roms/puzzle.zip  -f4   -modex   "},
    };
    for (const auto& c : cases) {
        OptionState o;
        o.scanlines = c.scanlines;
        o.frameskip = c.frameskip;
        o.video = c.video;
        o.joystick = o.vsync = o.skipAnalyse = c.on;
        EXPECT_EQ(commandLine(QString::fromUtf8(c.exe), quotedGameArgument(QStringLiteral("/games/roms/puzzle.zip")),
                              switchTexts(o)),
                  QString::fromUtf8(c.line));
    }
    EXPECT_EQ(commandLine(QStringLiteral("neorage.exe"), quotedGameArgument(QString()), switchTexts({})),
              QStringLiteral("neorage.exe       "));
}

TEST(CommandLine, ArchiveOrDirectoryByTheLastThreeLetters)
{
    for (const char* archive : {"/roms/a.zip", "/ROMS/A.ZIP", "/romzip"})
        EXPECT_TRUE(launchesAsArchive(QString::fromUtf8(archive))) << archive;
    for (const char* directory : {"/roms/a.Zip", "/roms", ""})
        EXPECT_FALSE(launchesAsArchive(QString::fromUtf8(directory))) << directory;
}

TEST(CommandLine, FileNamesNeverBecomeShellSyntax)
{
    EXPECT_EQ(quotedGameArgument(QStringLiteral("/roms/Mslug_2-x+y,z:@%.ZIP")), QStringLiteral("/roms/Mslug_2-x+y,z:@%.ZIP"));
    EXPECT_EQ(quotedGameArgument(QStringLiteral("/roms/it's.zip")), QStringLiteral("'/roms/it'\\''s.zip'"));
    EXPECT_EQ(quotedGameArgument(QStringLiteral("/r/Metal Slug 'X' $(touch pwned); rm -rf ~.zip")),
              QStringLiteral("'/r/Metal Slug '\\''X'\\'' $(touch pwned); rm -rf ~.zip'"));
    EXPECT_EQ(quotedGameArgument(QStringLiteral("/r/caf\u00e9.zip")), QStringLiteral("'/r/caf\u00e9.zip'"));
}
