// Real DOSBox and Wine runs of probe emulators that write their arguments to OUT.TXT; and without them.
#include "launch/CommandLine.h"
#include "launch/DosNames.h"

#include "../app/WindowFixture.h"

#include <QStandardPaths>

#include <csignal>

using namespace tavrel;

namespace {

class ForeignLaunch : public test::WindowOnTree {
protected:
    void SetUp() override
    {
        qputenv("XDG_RUNTIME_DIR", tree.path("run").toUtf8());
        files({"run/.keep", "home/.keep"});
        QFile::setPermissions(tree.path("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        for (const auto& [file, bytes] : {std::pair {"MSLUG.ZIP", "mslug archive"}, {"NEOGEO.ZIP", "neogeo bios"},
                                          {"My Roms 'x' $HOME/Metal Slug X.zip", "metal slug x"},
                                          {"My Roms 'x' $HOME/Metal Slug 2.zip", "metal slug 2"}})
            tree.file("roms/" + QString::fromUtf8(file), bytes);
        ASSERT_TRUE(QFile::copy(TAVREL_SHELL_SOURCE, win.dir() + "TVRShell.pif"));
        openOnRoms();
    }
    void TearDown() override { qunsetenv("XDG_RUNTIME_DIR"); }

    void emulator(const QString& from, const QString& runner, const QString& name, const QString& typed)
    {
        if (from.isEmpty() || QStandardPaths::findExecutable(runner).isEmpty())
            GTEST_SKIP() << "the emulator, or what runs it, is not here";
        ASSERT_TRUE(QFile::copy(from, win.dir() + name));
        w().Text3->setText(typed);
    }
    QProcessEnvironment environment(const QString& path = "/usr/bin:/bin") const
    {
        QProcessEnvironment env;
        for (const auto& [name, value] : {std::pair{"PATH", path}, {"HOME", tree.path("home")},
                                          {"SDL_VIDEODRIVER", "dummy"}, {"SDL_AUDIODRIVER", "dummy"}})
            env.insert(name, value);
        return env;
    }
    // Runs the last launch's shell program until OUT.TXT is written (then ends DOSBox, which waits for a
    // key, through a wrapper that noted its process) or until it ends. Returns OUT.TXT.
    QByteArray run(QProcessEnvironment env, bool untilOut)
    {
        const QString pid = tree.path("dosbox-noted.pid");
        QFile::remove(pid);
        tree.file("dosbox-noted", "#!/bin/sh\necho $$ >\"$0.pid\"\nexec dosbox \"$@\"\n");
        QFile::setPermissions(tree.path("dosbox-noted"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (untilOut)
            env.insert("DOSBOX", tree.path("dosbox-noted"));
        const QString out = win.dir() + "OUT.TXT";
        QFile::remove(out);
        QProcess p;
        printed = test::runShell(p, win.dir() + "TVRShell.pif", win.dir(), env, "sh", !untilOut,
                                 win.desktop.startedWith.last());
        QElapsedTimer t;
        t.start();
        while (untilOut && QFileInfo(out).size() == 0 && p.state() == QProcess::Running && t.elapsed() < 60000)
            QThread::msleep(50);
        QThread::msleep(untilOut ? 300 : 0);
        if (const int dosbox = test::readFile(pid).trimmed().toInt(); untilOut && dosbox > 0) {
            ::kill(pid_t(dosbox), SIGKILL);
            EXPECT_TRUE(p.waitForFinished(5000));
        }
        printed += p.readAllStandardOutput();
        return test::readFile(out);
    }

    QByteArray printed;
};

} // namespace

TEST_F(ForeignLaunch, ADosEmulatorRunsInDosBoxWithDosPaths)
{
    // Named in another letter case than the file, with an argument of its own beside the game.
    emulator(TAVREL_DOS_PROBE, "dosbox", "NEORAGE.EXE", "NeoRAGE.EXE D:\\NEOGEO.ZIP");
    if (IsSkipped())
        return;
    test::selectFile(w().File1, "MSLUG.ZIP");
    w().Command1_Click();
    EXPECT_TRUE(test::readFile(win.dir() + "temp.bat").contains("\r\nNEORAGE.EXE D:\\NEOGEO.ZIP D:\\MSLUG.ZIP      \r\n"));
    // A file the emulator made beside the game lands in the game's folder, never over one there.
    tree.file("run/tavrel-dos/d/HISCORE.DAT", "scores");
    tree.file("run/tavrel-dos/d/NEOGEO.BAK", "new");
    tree.file("roms/NEOGEO.BAK", "old");
    EXPECT_EQ(run(environment(), true), " D:\\NEOGEO.ZIP D:\\MSLUG.ZIP\r\nneogeo bios");
    EXPECT_EQ(test::readFile(tree.path("roms/HISCORE.DAT")), "scores");
    EXPECT_EQ(test::readFile(tree.path("roms/NEOGEO.BAK")), "old");

    // A long name with blanks in a folder of blanks, quotes and "$", beside one of the same first letters.
    w().Text3->setText("neorage.exe");
    const QString folder = "My Roms 'x' $HOME";
    ASSERT_TRUE(w().Dir1->setPath(tree.path("roms/" + folder)));
    test::selectFile(w().File1, "Metal Slug X.zip");
    w().skip->setChecked(true);
    w().Command1_Click();
    const QString alias = dosNames({"Metal Slug X.zip", "Metal Slug 2.zip"})["Metal Slug X.zip"];
    EXPECT_EQ(run(environment(), true), " D:\\" + alias.toLatin1() + "      -noanalyse\r\nmetal slug x");

    // The directory form: the folder's own DOS path on the drive of its parent.
    w().Dir1_Change();
    w().Command1_Click();
    EXPECT_TRUE(run(environment(), true).startsWith(" D:\\" + dosAlias(folder).toLatin1() + "      -noanalyse\r\n"));
}

TEST_F(ForeignLaunch, AWindowsEmulatorRunsThroughWine)
{
    emulator(TAVREL_WIN_PROBE, "wine", "Emu.exe", "EMU.EXE");
    if (IsSkipped())
        return;
    ASSERT_TRUE(w().Dir1->setPath(tree.path("roms/My Roms 'x' $HOME")));
    test::selectFile(w().File1, "Metal Slug X.zip");
    w().frm2->setChecked(true);
    w().Command1_Click();
    QProcessEnvironment env = environment();   // a Wine of its own, without the questions of a first start
    for (const auto& [name, value] : {std::pair {"WINEPREFIX", tree.path("wine")}, {"WINEDEBUG", "-all"},
                                      {"WINEDLLOVERRIDES", "mscoree,mshtml="}})
        env.insert(name, value);
    const QString game = wineZPath(tree.path("roms/My Roms 'x' $HOME/Metal Slug X.zip"));
    EXPECT_EQ(run(env, false), game.toUtf8() + "\n-f2\nmetal slug x") << printed.toStdString();
    EXPECT_TRUE(printed.endsWith("Press any key to continue . . . \n"));
}

// From a search path without DOSBox or Wine, the console names what to install and waits for a key.
TEST_F(ForeignLaunch, MissingDosBoxOrWineIsNamed)
{
    const QString tools = tree.path("tools/");
    tree.dir("tools");
    for (const char* tool : {"sh", "dirname", "basename", "sed", "tr", "stty", "dd", "readlink"})
        QFile::link(QStandardPaths::findExecutable(QLatin1String(tool)), tools + QLatin1String(tool));
    auto pe = [](const char* machine) { return "MZ" + QByteArray(58, '\0') + QByteArray("@\0\0\0PE\0\0", 8) + QByteArray(machine, 2); };
    const struct { QByteArray bytes; const char* path; const char* lines; } cases[] = {
        {"MZ", "", "DOS program, and DOSBox is not installed.\nInstall the Debian package dosbox"},
        {pe("\x64\x86"), "", "Windows program, and Wine is not installed.\nInstall the Debian package wine"},
        {pe("\x4c\x01"), "/usr/bin:/bin", "32-bit part is not installed.\nAs root: dpkg --add-architecture i386"},
    };
    test::selectFile(w().File1, "MSLUG.ZIP");
    w().Text3->setText("NeoRAGE.EXE");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        if (*c.path && (QStandardPaths::findExecutable("wine").isEmpty() || QFile::exists("/usr/lib/wine/wine")))
            continue;  // the 32-bit hint needs a Wine without its 32-bit part
        test::writeFile(win.dir() + "NEORAGE.EXE", c.bytes);
        w().Command1_Click();
        run(environment(*c.path ? tools + u':' + QLatin1String(c.path) : tools), false);
        EXPECT_TRUE(printed.contains(c.lines) && printed.endsWith("Press any key to continue . . . \n"))
            << printed.toStdString();
    }
    // DOSBox's drives that cannot be made stop the launch with the system's words.
    tree.file("run2/tavrel-dos", "in the way");
    QFile::setPermissions(tree.path("run2"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", tree.path("run2").toUtf8());
    test::writeFile(win.dir() + "NEORAGE.EXE", "MZ");
    const int started = int(win.desktop.started.size());
    w().Command1_Click();
    ASSERT_EQ(win.dialogs.shown.size(), 1);
    EXPECT_TRUE(win.dialogs.shown[0].startsWith("Error: Unable to give DOSBox the game's folder.\n"));
    EXPECT_EQ(win.desktop.started.size(), started);
}
