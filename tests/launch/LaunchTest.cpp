#include "../app/WindowFixture.h"

#include <csignal>
#include <sys/resource.h>

using namespace tavrel;

namespace {

const QString kHostile = "Metal Slug 'X' $(touch pwned); rm -rf ~.zip";

// Writes beyond 16 bytes fail, as on a full disk (EFBIG; the signal that would end the test is ignored).
struct FullDisk {
    rlimit saved{};
    FullDisk()
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit small{16, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FullDisk() { setrlimit(RLIMIT_FSIZE, &saved); }
};

// The shell program and the stand-in emulator in the program directory, named as the emulator to run.
class Launch : public test::WindowOnTree {
protected:
    void SetUp() override
    {
        files({"roms/MSLUG.ZIP", "roms/a b;c`d`.zip", "home/canary"});
        tree.file("roms/" + kHostile);
        ASSERT_TRUE(QFile::copy(TAVREL_SHELL_SOURCE, win.dir() + "TVRShell.pif") && QFile::copy(TAVREL_STANDIN, win.dir() + "standin"));
        QFile::setPermissions(win.dir() + "standin", QFile::ReadOwner | QFile::ExeOwner);
        openOnRoms();
        w().Text3->setText("standin");
    }

    void select(const QString& name) { test::selectFile(w().File1, name); }
    QByteArray script() const { return test::readFile(win.dir() + "temp.bat"); }
    // Runs the shell program without a terminal; returns the arguments the stand-in emulator received.
    QStringList runShell(const QString& sh = "sh")
    {
        QProcess p;
        QProcessEnvironment env;
        env.insert("PATH", "/usr/bin:/bin");
        env.insert("HOME", tree.path("home"));
        test::runShell(p, win.dir() + "TVRShell.pif", win.dir(), env, sh);
        return test::received(win.dir());
    }
};

} // namespace

TEST_F(Launch, ScriptHoldsTheCommandLineAndTheShellIsStarted)
{
    select("MSLUG.ZIP");
    w().Command1_Click();
    EXPECT_EQ(script(), QStringLiteral("echo off\r\ncls\r\necho Starting NeoRAGE... Loading ROMs.\r\n"
                                       "standin %1      \r\nPause\r\n").arg(tree.path("roms/MSLUG.ZIP")).toUtf8());
    EXPECT_EQ(win.desktop.started, QStringList{win.dir() + "TVRShell.pif"});
    EXPECT_EQ(win.desktop.startedIn, QStringList{win.dir()});
    EXPECT_TRUE(win.dialogs.shown.isEmpty());

    // Options not saved still shape the launch; a second launch replaces the script.
    w().halfscan->setChecked(true);
    w().video3->setChecked(true);
    w().Dir1_Change();
    w().Command1_Click();
    EXPECT_TRUE(script().contains(QStringLiteral("standin %1 -s50    -modex   \r\nPause").arg(tree.path("roms")).toUtf8()));

    // A folder named like an archive is launched in archive form.
    tree.dir("roms/rom.zip");
    ASSERT_TRUE(w().Dir1->setPath(tree.path("roms/rom.zip")));
    w().Command1_Click();
    EXPECT_TRUE(script().contains(QStringLiteral("\r\nstandin %1/ -s50    -modex   \r\n").arg(tree.path("roms/rom.zip")).toUtf8()));
}

TEST_F(Launch, TheEmulatorReceivesExactlyTheSelectedFile)
{
    for (const QString& name : {QStringLiteral("MSLUG.ZIP"), kHostile, QStringLiteral("a b;c`d`.zip")}) {
        SCOPED_TRACE(name.toStdString());
        select(name);
        w().skip->setChecked(true);
        w().Command1_Click();
        EXPECT_EQ(runShell(), (QStringList{tree.path("roms/" + name), "-noanalyse"}));
    }
    for (const QString& pwned : {tree.path("roms/pwned"), win.dir() + "pwned", tree.path("pwned")})
        EXPECT_FALSE(QFile::exists(pwned)) << pwned.toStdString();
    EXPECT_TRUE(QFile::exists(tree.path("home/canary")));

    // A directory is launched as itself; dash runs the shell program too.
    w().Dir1_Change();
    w().frm4->setChecked(true);
    w().Command1_Click();
    EXPECT_EQ(runShell("dash"), (QStringList{tree.path("roms"), "-f4", "-noanalyse"}));
}

TEST_F(Launch, NothingToLaunchNowhereToWriteOrALineBreakStartsNothing)
{
    w().text1->clear();
    w().Command1_Click();
    tree.file("roms/two\nlines.zip");
    w().File1->refresh();
    select("two\nlines.zip");
    w().Command1_Click();
    EXPECT_EQ(win.dialogs.shown, QStringList{"Error: This game's path cannot be launched."});
    // An archive gone since it was chosen is not replaced by its folder; none of the three wrote a script.
    select("MSLUG.ZIP");
    QFile::remove(tree.path("roms/MSLUG.ZIP"));
    w().Command1_Click();
    EXPECT_EQ(win.dialogs.shown.last(),
              "Error: " + tree.gamePath("roms/mslug.zip") + " is no longer there. Choose the game again.");
    EXPECT_FALSE(QFile::exists(win.dir() + "temp.bat"));

    // On a full disk the previous script stays whole and nothing starts.
    select("a b;c`d`.zip");
    w().Command1_Click();
    const QByteArray previous = script();
    select(kHostile);
    {
        const FullDisk full;
        w().Command1_Click();
    }
    EXPECT_EQ(script(), previous);
    EXPECT_EQ(win.dialogs.shown.last(), "Error: Unable to write the launch script.\n" + win.dir() + "temp.bat");

    QFile::remove(win.dir() + "temp.bat");
    QDir().mkdir(win.dir() + "temp.bat");
    win.dialogs.shown.clear();
    w().Command1_Click();
    EXPECT_EQ(win.dialogs.shown, QStringList{"Error: Unable to write the launch script.\n" + win.dir() + "temp.bat"});
    EXPECT_EQ(win.desktop.started.size(), 1);
}

TEST_F(Launch, AMissingShellProgramIsReportedOnceAfterTheScriptIsWritten)
{
    win.desktop.startSucceeds = false;
    select("MSLUG.ZIP");
    w().Command1_Click();
    EXPECT_FALSE(script().isEmpty());
    EXPECT_EQ(win.dialogs.shown,
              QStringList{"Error. Perhaps you tried running Tavrel from a directory without all the appropriate files? "
                          "Reinstall Tavrel."});

    QtDesktop desktop;   // the real one reports a shell program that is missing or cannot run
    EXPECT_FALSE(desktop.startDetached(win.dir() + "missing.pif", win.dir()));
    tree.file("plain.pif", "#!/bin/sh\n");
    EXPECT_FALSE(desktop.startDetached(tree.path("plain.pif"), win.dir()));
}

// Installed, the script goes to the per-user data directory, made by this write, and the shell starts there.
TEST(LaunchInstalled, TheScriptGoesToTheDataDirectoryAndTheShellStartsThere)
{
    test::Tree tree;
    tree.file("roms/MSLUG.ZIP");
    test::Window win;
    const QString data = tree.path("home/.config/tavrel/");
    const QString shell = tree.path("usr/libexec/tavrel/TVRShell.pif");
    form1 w(ProgramFiles{data, shell}, Platform{win.dialogs, win.desktop, win.volumes});
    w.Form_Load();
    ASSERT_TRUE(w.Dir1->setPath(tree.path("roms")));
    test::selectFile(w.File1, "MSLUG.ZIP");
    w.Command1_Click();
    EXPECT_TRUE(win.dialogs.shown.isEmpty()) << win.dialogs.shown.join(u'|').toStdString();
    EXPECT_EQ(win.desktop.started, QStringList{shell});
    EXPECT_EQ(win.desktop.startedIn, QStringList{data});
    EXPECT_EQ(QDir(data).entryList(QDir::Files), QStringList{"temp.bat"});
}
