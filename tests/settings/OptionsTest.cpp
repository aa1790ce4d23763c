#include "settings/IniStore.h"
#include "settings/Options.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavrel;

TEST(Options, SettingsFileLiesBesideTheProgram)
{
    EXPECT_EQ(settingsPath(QStringLiteral("/opt/tavrel/")), QStringLiteral("/opt/tavrel/tavrel.ini"));
    EXPECT_EQ(settingsPath(QStringLiteral("/opt/tavrel")), QStringLiteral("/opt/tavrel/tavrel.ini"));
    EXPECT_EQ(settingsPath(QStringLiteral("/")), QStringLiteral("/tavrel.ini"));
}

TEST(Options, EveryStateSurvivesASaveAndARead)
{
    QTemporaryDir dir;
    for (int scan = 0; scan < 5; ++scan) {
        for (int frames = 0; frames < 5; ++frames) {
            OptionState s;
            s.scanlines = scan;
            s.frameskip = frames;
            s.video = (scan + frames) % 3;
            s.vsync = scan % 2;
            s.joystick = frames % 2;
            s.skipAnalyse = (scan + frames) % 2;
            s.pictures = scan < 2;
            s.exeName = QStringLiteral("emu %1.exe").arg(scan);
            IniStore store(dir.filePath(QStringLiteral("t.ini")));
            ASSERT_TRUE(writeStoredOptions(store, storedFrom(s)));
            const StoredOptions read = readStoredOptions(store);
            OptionState back;
            applyStoredOptions(read, back);
            EXPECT_EQ(back.scanlines, scan);
            EXPECT_EQ(back.frameskip, frames);
            EXPECT_EQ(back.video, s.video);
            EXPECT_EQ(back.vsync, s.vsync);
            EXPECT_EQ(back.joystick, s.joystick);
            EXPECT_EQ(back.skipAnalyse, s.skipAnalyse);
            EXPECT_EQ(back.exeName, s.exeName);
            EXPECT_EQ(read.pictures, s.pictures ? QStringLiteral("yes") : QStringLiteral("no"));
        }
    }
}

TEST(Options, ValuesAreComparedExactly)
{
    OptionState s;
    s.scanlines = 3;
    s.frameskip = 2;
    s.video = 1;
    s.vsync = true;
    StoredOptions odd;
    odd.scanlines = QStringLiteral("YES");
    odd.frameskip = QStringLiteral(" 1");
    odd.video = QStringLiteral("4");
    odd.vsync = QStringLiteral("no");  // "no" never clears: start-up only checks boxes
    odd.analyse = QStringLiteral("Yes");
    applyStoredOptions(odd, s);
    EXPECT_EQ(s.scanlines, 3);
    EXPECT_EQ(s.frameskip, 2);
    EXPECT_EQ(s.video, 1);
    EXPECT_TRUE(s.vsync);
    EXPECT_FALSE(s.skipAnalyse);
    EXPECT_EQ(s.exeName, QStringLiteral("NeoRAGE.EXE"));
}
