// The shell program on its own: the data directory it is started in, the terminals it opens (stand-ins
// that parse their arguments as their manuals say, and the real ones that Debian installs here under
// Xvfb), and what it says when the emulator named in the settings is missing.
#include "launch/CommandLine.h"

#include "../app/WindowFixture.h"

#include <QStandardPaths>

using namespace tavrel;

namespace {

// Blanks and quotes in every directory the shell program meets.
class Console : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* dir : {"program dir 'x'", "data dir", "terminals"})
            ASSERT_TRUE(QDir(root.path()).mkpath(dir));
        ASSERT_TRUE(QFile::copy(TAVREL_SHELL_SOURCE, shell()));
        ASSERT_TRUE(QFile::copy(TAVREL_STANDIN, data() + "standin"));
        for (const QString& program : {shell(), data() + "standin"})
            ASSERT_TRUE(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
        writeScript("standin");
    }

    QString shell() const { return root.path() + "/program dir 'x'/TVRShell.pif"; }
    QString data() const { return root.path() + "/data dir/"; }
    QString terminals() const { return root.path() + "/terminals/"; }

    void writeScript(const QString& exeName)
    {
        ASSERT_TRUE(
            test::writeFile(data() + "temp.bat", launchScript(commandLine(exeName, quotedGameArgument(game), {}))));
    }

    QProcessEnvironment environment(const QString& display = {}, const QString& terminal = {}) const
    {
        QProcessEnvironment env;
        env.insert("PATH", terminals() + ":/usr/bin:/bin");
        env.insert("HOME", root.path());
        if (!display.isEmpty())
            env.insert("DISPLAY", display);
        if (!terminal.isEmpty())
            env.insert("TERMINAL", terminal);
        return env;
    }

    QByteArray run(QProcess& p, const QProcessEnvironment& env, const QString& sh = "sh", bool wait = true)
    {
        return test::runShell(p, shell(), data(), env, sh, wait);
    }
    QStringList received(int waitMs = 0) const { return test::received(data(), waitMs); }

    QTemporaryDir root;
    QString game = root.path() + "/roms/Metal Slug 'X'.zip";
};

} // namespace

TEST_F(Console, RunsTheScriptOfItsDirectoryOrExplainsAMissingEmulator)
{
    for (const char* sh : {"sh", "dash"}) {
        SCOPED_TRACE(sh);
        writeScript("standin");
        QProcess p;
        const QByteArray out = run(p, environment(), sh);
        // The emulator beside the data files is found on the PATH and runs in the data directory.
        EXPECT_EQ(received(), QStringList{game});
        EXPECT_TRUE(out.contains("Starting NeoRAGE... Loading ROMs.\n"));
        EXPECT_TRUE(out.endsWith("Press any key to continue . . . \n"));
        EXPECT_EQ(QDir(root.path() + "/program dir 'x'").entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                  QStringList{"TVRShell.pif"});

        writeScript("NeoRAGE.EXE");
        const QString missing = QString::fromUtf8(run(p, environment(), sh));
        EXPECT_TRUE(missing.contains("Error: The emulator \"NeoRAGE.EXE\" was not found.\n")) << missing.toStdString();
        EXPECT_TRUE(missing.contains("The \".EXE Name:\" box in the settings view names the emulator's command:"));
        EXPECT_TRUE(missing.contains("runs as it is, a DOS program (NeoRAGE.EXE) in DOSBox, a Windows program through Wine."));
        EXPECT_TRUE(missing.endsWith("Press any key to continue . . . \n"));
    }
    // A command of its own arguments is named by the command that is missing.
    writeScript("wine-missing NeoRAGE.EXE");
    QProcess p;
    EXPECT_TRUE(run(p, environment()).contains("Error: The emulator \"wine-missing\" was not found.\n"));
    // An emulator that runs and fails is not explained away.
    writeScript("false");
    EXPECT_FALSE(run(p, environment()).contains("Error:"));
}

TEST_F(Console, EachTerminalIsCalledTheWayItsManualSays)
{
    for (const char* name : {"x-terminal-emulator", "gnome-terminal", "konsole", "xfce4-terminal", "xterm", "kitty",
                                "alacritty", "foot", "wezterm", "tilix", "terminator", "lxterminal", "qterminal",
                                "mate-terminal"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(QFile::link(TAVREL_FAKE_TERMINAL, terminals() + QLatin1String(name)));
        QProcess p;
        run(p, environment(":99", name));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        EXPECT_EQ(received(), QStringList{game});
    }
}

// The terminals Debian installs here, for real, on a virtual display.
TEST_F(Console, RealTerminalsRunTheScript)
{
    if (QStandardPaths::findExecutable("Xvfb").isEmpty())
        GTEST_SKIP() << "Xvfb is not installed";
    QProcess xvfb;
    xvfb.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "800x600x24"});
    if (!xvfb.waitForReadyRead(10000))
        GTEST_SKIP() << "Xvfb could not start: " << xvfb.readAllStandardError().toStdString();
    const QString display = u':' + QString::fromLatin1(xvfb.readAllStandardOutput()).trimmed();

    int ran = 0;
    for (const char* name : {"xterm", "xfce4-terminal", "lxterminal"}) {
        SCOPED_TRACE(name);
        if (QStandardPaths::findExecutable(QLatin1String(name)).isEmpty())
            continue;
        QProcessEnvironment env = environment(display, name);
        env.insert("NO_AT_BRIDGE", "1");
        // Each its own configuration: nothing of the machine's user, no terminal server to hand over to.
        env.insert("XDG_CONFIG_HOME", root.path() + "/config");
        env.insert("XDG_RUNTIME_DIR", root.path());
        QProcess p;
        run(p, env, "sh", false);
        EXPECT_EQ(received(30000), QStringList{game}) << p.readAllStandardError().toStdString();
        // It waits at "Press any key": closing the terminal ends it.
        p.kill();
        p.waitForFinished(5000);
        ++ran;
    }
    xvfb.kill();
    xvfb.waitForFinished(5000);
    if (ran == 0)
        GTEST_SKIP() << "no terminal is installed";
}
