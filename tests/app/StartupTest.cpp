#include "WindowFixture.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace tavrel;

namespace {

QByteArray settingsFile(const char* pictures, const char* frameskip, const char* video, const char* scanlines,
                        const char* analyse, const char* vsync, const char* joystick, const char* exe)
{
    return QStringLiteral("[Pictures]\r\n1=%1\r\n[Frameskip]\r\n1=%2\r\n[Video]\r\n1=%3\r\n[Scanlines]\r\n1=%4\r\n"
                          "[Analyse]\r\n1=%5\r\n[Vsync]\r\n1=%6\r\n[Joystick]\r\n1=%7\r\n[EXEname]\r\n1=%8\r\n")
        .arg(QLatin1String(pictures), QLatin1String(frameskip), QLatin1String(video), QLatin1String(scanlines),
             QLatin1String(analyse), QLatin1String(vsync), QLatin1String(joystick), QLatin1String(exe))
        .toUtf8();
}

void expectDefaults(const form1& w)
{
    EXPECT_TRUE(w.noscan->isChecked());
    EXPECT_TRUE(w.frm0->isChecked());
    EXPECT_TRUE(w.video1->isChecked());
    EXPECT_FALSE(w.vsync->isChecked());
    EXPECT_FALSE(w.joycheck->isChecked());
    EXPECT_FALSE(w.skip->isChecked());
}

} // namespace

TEST(Startup, WithoutSettingsFileUsesTheWindowsDefaults)
{
    test::Window win;
    form1& w = win.open();
    w.show();
    expectDefaults(w);
    EXPECT_FALSE(w.piccheck->isChecked());
    EXPECT_EQ(w.Text3->text(), QStringLiteral("NeoRAGE.EXE"));
    EXPECT_TRUE(w.Image3->isVisible());
    EXPECT_FALSE(w.Image1->isVisible());
    EXPECT_EQ(w.usepics, QStringLiteral("no"));
    EXPECT_EQ(w.inipath, win.iniPath());
    EXPECT_FALSE(QFile::exists(win.iniPath()));  // reading never creates the file
    EXPECT_TRUE(win.dialogs.shown.isEmpty());
}

TEST(Startup, FullFileSetsEveryControl)
{
    test::Window win;
    win.writeIni(settingsFile("yes", "3", "2", "25", "yes", "yes", "yes", "neorage.exe"));
    form1& w = win.open();
    w.show();
    EXPECT_TRUE(w.quarterscan->isChecked());
    EXPECT_FALSE(w.noscan->isChecked());
    EXPECT_TRUE(w.frm3->isChecked());
    EXPECT_TRUE(w.video2->isChecked());
    EXPECT_TRUE(w.vsync->isChecked() && w.joycheck->isChecked() && w.skip->isChecked());
    EXPECT_EQ(w.Text3->text(), QStringLiteral("neorage.exe"));

    // The stored "yes" checks the box without counting as the user's click.
    EXPECT_TRUE(w.piccheck->isChecked());
    EXPECT_TRUE(w.Image1->isVisible());
    EXPECT_FALSE(w.Image3->isVisible());
    EXPECT_EQ(w.usepics, QStringLiteral("yes"));
    EXPECT_EQ(w.picguard, QStringLiteral("no"));

    w.Command4_Click();
    QTest::mouseClick(w.piccheck, Qt::LeftButton);
    EXPECT_FALSE(w.piccheck->isChecked());
    EXPECT_EQ(w.usepics, QStringLiteral("no"));
    QTest::mouseClick(w.piccheck, Qt::LeftButton);
    EXPECT_EQ(w.usepics, QStringLiteral("yes"));
}

TEST(Startup, UnrecognisedValuesLeaveControlsAsCreated)
{
    test::Window win;
    win.writeIni(settingsFile("Yes", "5", "0", "100", "Yes", "YES", "1", ""));
    form1& w = win.open();
    w.show();
    expectDefaults(w);
    EXPECT_FALSE(w.piccheck->isChecked());
    EXPECT_TRUE(w.Image3->isVisible());
    EXPECT_EQ(w.usepics, QStringLiteral("Yes"));  // only the empty text becomes "no"
    EXPECT_EQ(w.Text3->text(), QStringLiteral("NeoRAGE.EXE"));

    // The first click of the user checks the box and turns the odd value into "yes".
    w.Command4_Click();
    QTest::mouseClick(w.piccheck, Qt::LeftButton);
    EXPECT_TRUE(w.piccheck->isChecked());
    EXPECT_EQ(w.usepics, QStringLiteral("yes"));
}

TEST(Startup, OtherRecognisedValuesSelectTheirButtons)
{
    const struct {
        const char* scan;
        const char* frames;
        const char* video;
        const char* scanButton;
        const char* frameButton;
        const char* videoButton;
    } cases[] = {{"yes", "1", "3", "scanlines", "frm1", "video3"},
                 {"50", "4", "1", "halfscan", "frm4", "video1"},
                 {"double", "2", "2", "doublepixel", "frm2", "video2"}};
    for (const auto& c : cases) {
        test::Window win;
        win.writeIni(settingsFile("no", c.frames, c.video, c.scan, "no", "no", "no", "X"));
        form1& w = win.open();
        EXPECT_TRUE(w.findChild<QRadioButton*>(QLatin1String(c.scanButton))->isChecked()) << c.scan;
        EXPECT_TRUE(w.findChild<QRadioButton*>(QLatin1String(c.frameButton))->isChecked()) << c.frames;
        EXPECT_TRUE(w.findChild<QRadioButton*>(QLatin1String(c.videoButton))->isChecked()) << c.video;
    }
}

TEST(SaveDefaults, WritesTheControlsAndTheNextStartRestoresThem)
{
    test::Window win;
    {
        form1& w = win.open();
        w.Command4_Click();
        w.quarterscan->setChecked(true);
        w.frm3->setChecked(true);
        w.video2->setChecked(true);
        w.vsync->setChecked(true);
        w.skip->setChecked(true);
        QTest::mouseClick(w.piccheck, Qt::LeftButton);
        w.Text3->setText(QStringLiteral("NEORAGE.EXE"));
        QTest::mouseClick(w.Command6, Qt::LeftButton);
        EXPECT_EQ(w.usepics, QStringLiteral("yes"));
    }
    ASSERT_EQ(win.dialogs.shown,
              QStringList{QStringLiteral("Settings saved! They will be used as defaults from now on.")});
    EXPECT_EQ(win.iniBytes(), settingsFile("yes", "3", "2", "25", "yes", "yes", "no", "NEORAGE.EXE"));

    form1& w = win.open();
    EXPECT_TRUE(w.quarterscan->isChecked() && w.frm3->isChecked() && w.video2->isChecked());
    EXPECT_TRUE(w.vsync->isChecked() && w.skip->isChecked() && w.piccheck->isChecked());
    EXPECT_FALSE(w.joycheck->isChecked());
    EXPECT_EQ(w.Text3->text(), QStringLiteral("NEORAGE.EXE"));
    EXPECT_EQ(w.usepics, QStringLiteral("yes"));

    // Untouched since start-up, the box still saves "yes"; a second save writes the same again.
    w.Command6_Click();
    w.Command6_Click();
    EXPECT_EQ(win.dialogs.shown.size(), 3);
    EXPECT_EQ(win.iniBytes(), settingsFile("yes", "3", "2", "25", "yes", "yes", "no", "NEORAGE.EXE"));
}

TEST(SaveDefaults, EmptyExeNameIsSavedEmptyAndComesBackAsDefault)
{
    test::Window win;
    win.writeIni("[Game]\r\ngamename=Kept\r\n");
    form1& w = win.open();
    w.Text3->clear();
    w.Command6_Click();
    EXPECT_TRUE(win.iniBytes().startsWith("[Game]\r\ngamename=Kept\r\n[Pictures]\r\n"));
    EXPECT_TRUE(win.iniBytes().endsWith("[EXEname]\r\n1=\r\n"));
    EXPECT_EQ(win.open().Text3->text(), QStringLiteral("NeoRAGE.EXE"));
}

TEST(SaveDefaults, UnwritableFileSaysSoInsteadOfConfirming)
{
    test::Window win;
    // A directory where the file belongs cannot be replaced by a file.
    ASSERT_TRUE(QDir(win.dir()).mkdir(QStringLiteral("tavrel.ini")));
    form1& w = win.open();
    w.Command6_Click();
    ASSERT_EQ(win.dialogs.shown.size(), 1);
    EXPECT_EQ(win.dialogs.shown[0], QStringLiteral("Error: Unable to save settings.\n") + win.iniPath());
}

// Another program stored the emulator's name in an 8-bit code page: the box shows it readably, and
// saving the defaults unchanged writes the file back byte for byte.
TEST(SaveDefaults, EightBitExeNameIsShownAndSavedBackUnchanged)
{
    test::Window win;
    const QByteArray file =
        settingsFile("no", "0", "1", "no", "no", "no", "no", "x").replace("1=x\r\n", "1=neorag\xE9.exe\r\n");
    win.writeIni(file);
    form1& w = win.open();
    EXPECT_EQ(w.Text3->text(), QStringLiteral("neorag\u00e9.exe"));
    w.Command6_Click();
    EXPECT_EQ(win.iniBytes(), file);
}
