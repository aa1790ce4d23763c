#include "../app/TreeFixture.h"
#include "../app/WindowFixture.h"

#include "platform/DirList.h"
#include "platform/FileList.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace tavrel;

namespace {

class Launch : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.file(QStringLiteral("roms/MSLUG.ZIP"));
        tree.file(QStringLiteral("roms/Metal Slug 'X' $(touch pwned); rm -rf ~.zip"));
        tree.file(QStringLiteral("roms/a b;c`d`.zip"));
        tree.dir(QStringLiteral("home"));
        tree.file(QStringLiteral("home/canary"));
        QFile::copy(QStringLiteral(TAVREL_SHELL_SOURCE), win.dir() + QStringLiteral("TVRShell.pif"));
        QFile::copy(QStringLiteral(TAVREL_STANDIN), win.dir() + QStringLiteral("standin"));
        QFile::setPermissions(win.dir() + QStringLiteral("standin"), QFile::ReadOwner | QFile::ExeOwner);
        win.open();
        w().Text3->setText(QStringLiteral("standin"));
        ASSERT_TRUE(w().Dir1->setPath(tree.path(QStringLiteral("roms"))));
    }

    form1& w() { return *win.w; }
    void select(const QString& name) { test::selectFile(w().File1, name); }
    QByteArray script() const
    {
        QFile f(win.dir() + QStringLiteral("temp.bat"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Runs the shell program as Tavrel would start it, without a terminal, and
    // returns the arguments the stand-in emulator received.
    QStringList runShell(const QString& shell = QStringLiteral("sh"))
    {
        QFile::remove(win.dir() + QStringLiteral("received.txt"));
        QProcess p;
        QProcessEnvironment env;
        env.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
        env.insert(QStringLiteral("HOME"), tree.path(QStringLiteral("home")));
        p.setProcessEnvironment(env);
        // As Tavrel starts it: in the data directory.
        p.setWorkingDirectory(win.dir());
        p.start(shell, {win.dir() + QStringLiteral("TVRShell.pif")});
        EXPECT_TRUE(p.waitForFinished(10000));
        output = p.readAllStandardOutput();
        QFile f(win.dir() + QStringLiteral("received.txt"));
        if (!f.open(QIODevice::ReadOnly))
            return {QStringLiteral("<the emulator did not run>")};
        QStringList args = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        args.removeLast();
        return args;
    }

    test::Tree tree;
    test::Window win;
    QByteArray output;
};

} // namespace

TEST_F(Launch, ScriptHoldsTheCommandLineAndTheShellIsStarted)
{
    select(QStringLiteral("MSLUG.ZIP"));
    w().Command1_Click();
    EXPECT_EQ(script(), QStringLiteral("echo off\r\ncls\r\necho Starting NeoRAGE... Loading ROMs.\r\n"
                                       "standin %1      \r\nPause\r\n")
                            .arg(tree.path(QStringLiteral("roms/MSLUG.ZIP")))
                            .toUtf8());
    EXPECT_EQ(win.desktop.started, QStringList{win.dir() + QStringLiteral("TVRShell.pif")});
    EXPECT_EQ(win.desktop.startedIn, QStringList{win.dir()});
    EXPECT_TRUE(win.dialogs.shown.isEmpty());
    // The record keeps its lower-case name; the emulator gets the name on disk.
    EXPECT_EQ(w().text1->text(), tree.gamePath(QStringLiteral("roms/mslug.zip")));

    // Options not saved still shape the launch; a second launch replaces the script.
    w().halfscan->setChecked(true);
    w().video3->setChecked(true);
    w().Dir1_Change();
    w().Command1_Click();
    EXPECT_TRUE(script().contains(QStringLiteral("standin %1 -s50    -modex   \r\nPause")
                                      .arg(tree.path(QStringLiteral("roms")))
                                      .toUtf8()));
    EXPECT_EQ(win.desktop.started.size(), 2);
}

TEST_F(Launch, TheEmulatorReceivesExactlyTheSelectedFile)
{
    for (const QString& name : {QStringLiteral("MSLUG.ZIP"), QStringLiteral("Metal Slug 'X' $(touch pwned); rm -rf ~.zip"),
                                QStringLiteral("a b;c`d`.zip")}) {
        SCOPED_TRACE(name.toStdString());
        select(name);
        w().skip->setChecked(true);
        w().Command1_Click();
        EXPECT_EQ(runShell(), (QStringList{tree.path(QStringLiteral("roms/") + name), QStringLiteral("-noanalyse")}));
        EXPECT_TRUE(output.contains("Starting NeoRAGE... Loading ROMs.\n"));
        EXPECT_TRUE(output.contains("Press any key to continue . . . "));
    }
    // Nothing but the emulator ran.
    EXPECT_FALSE(QFile::exists(tree.path(QStringLiteral("roms/pwned"))));
    EXPECT_FALSE(QFile::exists(win.dir() + QStringLiteral("pwned")));
    EXPECT_FALSE(QFile::exists(tree.path(QStringLiteral("pwned"))));
    EXPECT_TRUE(QFile::exists(tree.path(QStringLiteral("home/canary"))));

    // A directory is launched as itself; dash runs the shell program too.
    w().Dir1_Change();
    w().frm4->setChecked(true);
    w().Command1_Click();
    EXPECT_EQ(runShell(QStringLiteral("dash")), (QStringList{tree.path(QStringLiteral("roms")), QStringLiteral("-f4"),
                                                              QStringLiteral("-noanalyse")}));
}

TEST_F(Launch, AFolderNamedLikeAnArchiveIsLaunchedInArchiveForm)
{
    tree.dir(QStringLiteral("roms/rom.zip"));
    ASSERT_TRUE(w().Dir1->setPath(tree.path(QStringLiteral("roms/rom.zip"))));
    w().Command1_Click();
    EXPECT_TRUE(script().contains(
        QStringLiteral("\r\nstandin %1/      \r\n").arg(tree.path(QStringLiteral("roms/rom.zip"))).toUtf8()));
}

TEST_F(Launch, NothingToLaunchOrNowhereToWriteStartsNothing)
{
    w().text1->clear();
    w().Command1_Click();
    EXPECT_FALSE(QFile::exists(win.dir() + QStringLiteral("temp.bat")));
    EXPECT_TRUE(win.desktop.started.isEmpty());
    EXPECT_TRUE(win.dialogs.shown.isEmpty());

    QDir().mkdir(win.dir() + QStringLiteral("temp.bat"));
    select(QStringLiteral("MSLUG.ZIP"));
    w().Command1_Click();
    EXPECT_EQ(win.dialogs.shown,
              QStringList{QStringLiteral("Error: Unable to write the launch script.\n") + win.dir() + QStringLiteral("temp.bat")});
    EXPECT_TRUE(win.desktop.started.isEmpty());
}

TEST_F(Launch, AMissingShellProgramIsReportedOnceAfterTheScriptIsWritten)
{
    win.desktop.startSucceeds = false;
    select(QStringLiteral("MSLUG.ZIP"));
    w().Command1_Click();
    EXPECT_FALSE(script().isEmpty());
    EXPECT_EQ(win.dialogs.shown, QStringList{"Error. Perhaps you tried running Tavrel from a directory without all the "
                                             "appropriate files? Reinstall Tavrel."});

    // The real desktop reports a shell program that is missing or cannot run.
    QtDesktop desktop;
    EXPECT_FALSE(desktop.startDetached(win.dir() + QStringLiteral("missing.pif"), win.dir()));
    tree.file(QStringLiteral("plain.pif"), "#!/bin/sh\n");
    EXPECT_FALSE(desktop.startDetached(tree.path(QStringLiteral("plain.pif")), win.dir()));
}

TEST_F(Launch, APathWithALineBreakCannotBeLaunched)
{
    tree.file(QStringLiteral("roms/two\nlines.zip"));
    w().File1->refresh();
    select(QStringLiteral("two\nlines.zip"));
    w().Command1_Click();
    EXPECT_EQ(win.dialogs.shown, QStringList{"Error: This game's path cannot be launched."});
    EXPECT_FALSE(QFile::exists(win.dir() + QStringLiteral("temp.bat")));
    EXPECT_TRUE(win.desktop.started.isEmpty());
}

// Installed, the script goes to the per-user data directory (made by this first write) and the shell
// program is started from where it lies, in that directory.
TEST(LaunchInstalled, TheScriptGoesToTheDataDirectoryAndTheShellStartsThere)
{
    test::Tree tree;
    tree.file(QStringLiteral("roms/MSLUG.ZIP"));
    ScriptedDialogs dialogs;
    RecordingDesktop desktop;
    const QString data = tree.path(QStringLiteral("home/.config/tavrel/"));
    const QString shell = tree.path(QStringLiteral("usr/libexec/tavrel/TVRShell.pif"));
    FixedVolumes volumes;
    form1 w(ProgramFiles{data, shell}, Platform{dialogs, desktop, volumes});
    w.Form_Load();
    ASSERT_TRUE(w.Dir1->setPath(tree.path(QStringLiteral("roms"))));
    test::selectFile(w.File1, QStringLiteral("MSLUG.ZIP"));
    w.Command1_Click();
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join(u'|').toStdString();
    EXPECT_TRUE(QFile::exists(data + QStringLiteral("temp.bat")));
    EXPECT_EQ(desktop.started, QStringList{shell});
    EXPECT_EQ(desktop.startedIn, QStringList{data});
    // Reading nothing made nothing: only the launch created the directory, and only the script is in it.
    EXPECT_EQ(QDir(data).entryList(QDir::Files), QStringList{QStringLiteral("temp.bat")});
}
