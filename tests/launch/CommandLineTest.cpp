#include "launch/CommandLine.h"
#include "settings/Options.h"

#include <gtest/gtest.h>

using namespace tavrel;

namespace {

QString line(const OptionState& o, const QString& exe = QStringLiteral("NeoRAGE.EXE"))
{
    return commandLine(exe, quotedGameArgument(QStringLiteral("/games/roms/puzzle.zip")), switchTexts(o));
}

} // namespace

TEST(CommandLine, DefaultsGiveSixTrailingBlanks)
{
    EXPECT_EQ(line(OptionState{}), QStringLiteral("NeoRAGE.EXE /games/roms/puzzle.zip      "));
}

TEST(CommandLine, EverySwitchInLineOrder)
{
    OptionState o;
    o.scanlines = 1;
    o.frameskip = 2;
    o.joystick = true;
    o.video = 1;
    o.vsync = true;
    o.skipAnalyse = true;
    EXPECT_EQ(line(o), QStringLiteral("NeoRAGE.EXE /games/roms/puzzle.zip -s  -f2  -j  -vga  -v  -noanalyse "));

    OptionState half;
    half.scanlines = 3;
    half.video = 2;
    EXPECT_EQ(line(half), QStringLiteral("NeoRAGE.EXE /games/roms/puzzle.zip -s50    -modex   "));
}

TEST(CommandLine, EachControlGivesItsSwitch)
{
    const char* scan[] = {" ", " -s ", " -s25 ", " -s50 ", " -s100 "};
    const char* frames[] = {" ", " -f1 ", " -f2 ", " -f3 ", " -f4 "};
    const char* video[] = {" ", " -vga ", " -modex "};
    for (int i = 0; i < 5; ++i) {
        OptionState o;
        o.scanlines = i;
        o.frameskip = i;
        o.video = i % 3;
        const SwitchTexts s = switchTexts(o);
        EXPECT_EQ(s.scanlines, QLatin1String(scan[i]));
        EXPECT_EQ(s.frameskip, QLatin1String(frames[i]));
        EXPECT_EQ(s.video, QLatin1String(video[i % 3]));
        EXPECT_EQ(s.joystick + s.vsync + s.analyse, QStringLiteral("   "));
    }
}

TEST(CommandLine, EmptyExeAndEmptyGameAreKeptAsTheyAre)
{
    EXPECT_EQ(line(OptionState{}, QString()), QStringLiteral(" /games/roms/puzzle.zip      "));
    EXPECT_EQ(commandLine(QStringLiteral("neorage.exe"), quotedGameArgument(QString()), switchTexts({})),
              QStringLiteral("neorage.exe       "));
}

TEST(CommandLine, ArchiveOrDirectoryByTheLastThreeLetters)
{
    EXPECT_TRUE(launchesAsArchive(QStringLiteral("/roms/a.zip")));
    EXPECT_TRUE(launchesAsArchive(QStringLiteral("/ROMS/A.ZIP")));
    EXPECT_TRUE(launchesAsArchive(QStringLiteral("/romzip")));
    EXPECT_FALSE(launchesAsArchive(QStringLiteral("/roms/a.Zip")));
    EXPECT_FALSE(launchesAsArchive(QStringLiteral("/roms")));
    EXPECT_FALSE(launchesAsArchive(QString()));
}

TEST(CommandLine, FileNamesNeverBecomeShellSyntax)
{
    EXPECT_EQ(quotedGameArgument(QStringLiteral("/roms/Mslug_2-x+y,z:@%.ZIP")), QStringLiteral("/roms/Mslug_2-x+y,z:@%.ZIP"));
    EXPECT_EQ(quotedGameArgument(QStringLiteral("/roms/it's.zip")), QStringLiteral("'/roms/it'\\''s.zip'"));
    EXPECT_EQ(quotedGameArgument(QStringLiteral("/r/Metal Slug 'X' $(touch pwned); rm -rf ~.zip")),
              QStringLiteral("'/r/Metal Slug '\\''X'\\'' $(touch pwned); rm -rf ~.zip'"));
    EXPECT_EQ(quotedGameArgument(QStringLiteral("/r/caf\u00e9.zip")), QStringLiteral("'/r/caf\u00e9.zip'"));
}

TEST(LaunchScript, FiveLinesEndingInCrLf)
{
    EXPECT_EQ(launchScript(QStringLiteral("NeoRAGE.EXE /games/roms/puzzle.zip      ")),
              QByteArray("echo off\r\ncls\r\necho Starting NeoRAGE... Loading ROMs.\r\n"
                         "NeoRAGE.EXE /games/roms/puzzle.zip      \r\nPause\r\n"));
}
