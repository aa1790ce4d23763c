#include "WindowFixture.h"

#include "app/Application.h"

#include <array>

#include <sys/inotify.h>
#include <unistd.h>

using namespace tavrel;

namespace {

// The eight option sections as Save Settings writes them, holding the values given, byte for byte.
QByteArray settingsFile(std::array<const char*, 8> values)
{
    const char* const sections[] = {"Pictures", "Frameskip", "Video", "Scanlines", "Analyse", "Vsync", "Joystick", "EXEname"};
    QByteArray out;
    for (int i = 0; i < 8; ++i)
        out += QByteArray("[") + sections[i] + "]\r\n1=" + values[i] + "\r\n";
    return out;
}

} // namespace

// Without a settings file the controls stay as created (see the last case below), and nothing is written.
TEST(Startup, WithoutSettingsFileStartsInTheCurrentDirectory)
{
    test::Window win;
    form1& w = win.open();
    EXPECT_EQ(w.usepics, "no");
    EXPECT_FALSE(QFile::exists(win.iniPath()));
    EXPECT_TRUE(win.dialogs.shown.isEmpty());
    EXPECT_EQ(w.text1->text(), QDir::currentPath().toLower());
    EXPECT_EQ(w.text1->toolTip(), w.text1->text());
}

// Every list shows the starting folder from the first moment, from a single reading of it.
TEST(Startup, ReadsItsFolderOnce)
{
    test::Tree tree;
    tree.file("roms/a.zip");
    tree.picture("roms/a.bmp", "BMP", Qt::red);
    tree.dir("roms/sub");
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(tree.path("roms")));
    const int watch = inotify_init1(IN_NONBLOCK);
    ASSERT_GE(inotify_add_watch(watch, QFile::encodeName(tree.path("roms")).constData(), IN_OPEN | IN_CLOSE), 0);
    {
        test::Window files;
        Application app(ProgramFiles{files.dir(), files.dir() + "TVRShell.pif"});
        form1& w = app.window();
        EXPECT_EQ(test::listedFiles(w.File1) + test::listedFiles(w.File2), (QStringList{"a.zip", "a.bmp"}));
        EXPECT_EQ(w.Dir2->itemPath(w.Dir2->count() - 1), tree.path("roms/sub"));
    }
    QDir::setCurrent(before);
    // Each reading opens and closes the folder itself: events with no name.
    alignas(inotify_event) char events[8192];
    const ssize_t length = read(watch, events, sizeof events);
    close(watch);
    int opened = 0;
    for (const char* at = events; at < events + length;) {
        const auto* event = reinterpret_cast<const inotify_event*>(at);
        opened += (event->mask & IN_OPEN) && event->len == 0;
        at += sizeof(inotify_event) + event->len;
    }
    EXPECT_EQ(opened, 1);
}

// Each stored value selects its controls, and Save Settings writes a file it fully recognises back byte
// for byte (an emulator name in an 8-bit code page too). Only the user's click on the picture box counts:
// it turns the box over, and the stored value follows, an odd one too.
TEST(Startup, EachStoredValueSelectsItsControls)
{
    const struct {
        std::array<const char*, 8> file;   // pictures, frameskip, video, scanlines, analyse, vsync, joystick, exe
        const char *scanButton, *frameButton, *videoButton, *exeShown;
        bool ticked;   // vsync, joystick and skip
        bool savedAsRead = true;
    } cases[] = {
        {{"yes", "3", "2", "25", "yes", "yes", "yes", "neorage.exe"}, "quarterscan", "frm3", "video2", "neorage.exe", true},
        {{"no", "1", "3", "yes", "no", "no", "no", "neorag\xE9.exe"}, "scanlines", "frm1", "video3", "neorag\u00e9.exe", false},
        {{"no", "4", "1", "50", "no", "no", "no", "X"}, "halfscan", "frm4", "video1", "X", false},
        {{"no", "2", "2", "double", "no", "no", "no", "X"}, "doublepixel", "frm2", "video2", "X", false},
        // What it does not recognise leaves the controls as created; only an empty text becomes "no".
        {{"Yes", "5", "0", "100", "Yes", "YES", "1", ""}, "noscan", "frm0", "video1", "NeoRAGE.EXE", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file[3]);
        test::Window win;
        win.writeIni(settingsFile(c.file));
        form1& w = win.open();
        w.show();
        for (const char* name : {c.scanButton, c.frameButton, c.videoButton})
            EXPECT_TRUE(w.findChild<QRadioButton*>(QLatin1String(name))->isChecked()) << name;
        for (const QCheckBox* box : {w.vsync, w.joycheck, w.skip})
            EXPECT_EQ(box->isChecked(), c.ticked) << box->objectName().toStdString();
        EXPECT_EQ(w.Text3->text(), QString::fromUtf8(c.exeShown));
        const bool pictures = qstrcmp(c.file[0], "yes") == 0;
        EXPECT_TRUE(w.piccheck->isChecked() == pictures && w.Image1->isVisible() == pictures && w.Image3->isVisible() != pictures);
        EXPECT_EQ(w.usepics, QLatin1String(c.file[0]));
        w.Command6_Click();
        EXPECT_TRUE(!c.savedAsRead || win.iniBytes() == settingsFile(c.file));
        w.Command4_Click();
        QTest::mouseClick(w.piccheck, Qt::LeftButton);
        EXPECT_EQ(w.usepics, pictures ? "no" : "yes");
    }
}

TEST(SaveDefaults, WritesTheControlsAndTheNextStartRestoresThem)
{
    test::Window win;
    {
        form1& w = win.open();
        w.Command4_Click();
        for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{w.quarterscan, w.frm3, w.video2, w.vsync, w.skip})
            b->setChecked(true);
        QTest::mouseClick(w.piccheck, Qt::LeftButton);
        w.Text3->setText("NEORAGE.EXE");
        QTest::mouseClick(w.Command6, Qt::LeftButton);
        EXPECT_EQ(w.usepics, "yes");
    }
    const QByteArray saved = settingsFile({"yes", "3", "2", "25", "yes", "yes", "no", "NEORAGE.EXE"});
    ASSERT_EQ(win.dialogs.shown, QStringList{"Settings saved! They will be used as defaults from now on."});
    EXPECT_EQ(win.iniBytes(), saved);

    form1& w = win.open();
    EXPECT_TRUE(w.quarterscan->isChecked() && w.frm3->isChecked() && w.video2->isChecked() && w.vsync->isChecked()
                && w.skip->isChecked() && w.piccheck->isChecked() && !w.joycheck->isChecked());
    EXPECT_EQ(w.Text3->text(), "NEORAGE.EXE");
    // An empty name is saved empty; it comes back as the default (see the last start-up case).
    w.Text3->clear();
    w.Command6_Click();
    EXPECT_TRUE(win.iniBytes().endsWith("[EXEname]\r\n1=\r\n"));
}
