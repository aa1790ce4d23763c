// The shell program on its own: the data directory it is started in, the terminals
// it opens (stand-ins that parse their arguments as their manuals say, and the real
// ones that Debian installs here under Xvfb), and what it says when the emulator
// named in the settings is missing.
#include "launch/CommandLine.h"

#include "../QtPrinters.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

class Console : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("program dir 'x'")));
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("data dir")));
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("terminals")));
        ASSERT_TRUE(QFile::copy(QStringLiteral(TAVREL_SHELL_SOURCE), shell()));
        ASSERT_TRUE(QFile::setPermissions(shell(), QFile::ReadOwner | QFile::ExeOwner));
        ASSERT_TRUE(QFile::copy(QStringLiteral(TAVREL_STANDIN), data() + QStringLiteral("standin")));
        ASSERT_TRUE(QFile::setPermissions(data() + QStringLiteral("standin"), QFile::ReadOwner | QFile::ExeOwner));
        game = root.path() + QStringLiteral("/roms/Metal Slug 'X'.zip");
        writeScript(QStringLiteral("standin"));
    }

    QString shell() const { return root.path() + QStringLiteral("/program dir 'x'/TVRShell.pif"); }
    QString data() const { return root.path() + QStringLiteral("/data dir/"); }
    QString terminals() const { return root.path() + QStringLiteral("/terminals/"); }

    void writeScript(const QString& exeName)
    {
        QFile f(data() + QStringLiteral("temp.bat"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(tavrel::launchScript(tavrel::commandLine(exeName, tavrel::quotedGameArgument(game), {})));
    }

    QProcessEnvironment environment(const QString& display = {}, const QString& terminal = {}) const
    {
        QProcessEnvironment env;
        env.insert(QStringLiteral("PATH"), terminals() + QStringLiteral(":/usr/bin:/bin"));
        env.insert(QStringLiteral("HOME"), root.path());
        if (!display.isEmpty())
            env.insert(QStringLiteral("DISPLAY"), display);
        if (!terminal.isEmpty())
            env.insert(QStringLiteral("TERMINAL"), terminal);
        return env;
    }

    // Starts the shell program as Tavrel does: in the data directory, not waiting.
    void start(QProcess& p, const QProcessEnvironment& env, const QString& program = QStringLiteral("sh"))
    {
        QFile::remove(data() + QStringLiteral("received.txt"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(data());
        p.start(program, {shell()});
        ASSERT_TRUE(p.waitForStarted());
    }

    QStringList received(int waitMs = 0) const
    {
        QFile f(data() + QStringLiteral("received.txt"));
        QElapsedTimer t;
        t.start();
        while (!f.exists() && t.elapsed() < waitMs)
            QThread::msleep(50);
        if (!f.open(QIODevice::ReadOnly))
            return {QStringLiteral("<the emulator did not run>")};
        QStringList args = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        args.removeLast();
        return args;
    }

    QStringList programDirEntries() const
    {
        return QDir(root.path() + QStringLiteral("/program dir 'x'")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }

    QTemporaryDir root;
    QString game;
};

} // namespace

TEST_F(Console, RunsTheScriptOfTheDirectoryItIsStartedIn)
{
    for (const QString& sh : {QStringLiteral("sh"), QStringLiteral("dash")}) {
        QProcess p;
        start(p, environment(), sh);
        ASSERT_TRUE(p.waitForFinished(10000));
        const QByteArray out = p.readAllStandardOutput();
        // The emulator beside the data files is found on the PATH and runs in the data directory.
        EXPECT_EQ(received(), QStringList{game}) << sh.toStdString();
        EXPECT_TRUE(out.contains("Starting NeoRAGE... Loading ROMs.\n"));
        EXPECT_TRUE(out.endsWith("Press any key to continue . . . \n"));
        EXPECT_EQ(programDirEntries(), QStringList{QStringLiteral("TVRShell.pif")});
    }
}

TEST_F(Console, EachTerminalIsCalledTheWayItsManualSays)
{
    const QStringList names = {"x-terminal-emulator", "gnome-terminal", "konsole", "xfce4-terminal", "xterm",
                               "kitty", "alacritty", "foot", "wezterm", "tilix", "terminator", "lxterminal",
                               "qterminal", "mate-terminal"};
    for (const QString& name : names)
        ASSERT_TRUE(QFile::link(QStringLiteral(TAVREL_FAKE_TERMINAL), terminals() + name));
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        QProcess p;
        start(p, environment(QStringLiteral(":99"), name));
        ASSERT_TRUE(p.waitForFinished(10000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        EXPECT_EQ(received(), QStringList{game});
    }
}

TEST_F(Console, AMissingEmulatorIsExplainedInTheConsole)
{
    writeScript(QStringLiteral("NeoRAGE.EXE"));
    for (const QString& sh : {QStringLiteral("sh"), QStringLiteral("dash")}) {
        QProcess p;
        start(p, environment(), sh);
        ASSERT_TRUE(p.waitForFinished(10000));
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        EXPECT_TRUE(out.contains(QStringLiteral("Error: The emulator \"NeoRAGE.EXE\" was not found.\n"))) << out.toStdString();
        EXPECT_TRUE(out.contains(QStringLiteral("The \".EXE Name:\" box in the settings view names the emulator's command:")));
        EXPECT_TRUE(out.contains(QStringLiteral("wine NeoRAGE.EXE")));
        EXPECT_TRUE(out.endsWith(QStringLiteral("Press any key to continue . . . \n")));
    }
    // A command of its own arguments is named by the command that is missing.
    writeScript(QStringLiteral("wine-missing NeoRAGE.EXE"));
    QProcess p;
    start(p, environment());
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_TRUE(p.readAllStandardOutput().contains("Error: The emulator \"wine-missing\" was not found.\n"));
    // An emulator that runs and fails is not explained away.
    writeScript(QStringLiteral("false"));
    start(p, environment());
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_FALSE(p.readAllStandardOutput().contains("Error:"));
}

// The terminals Debian installs here, for real, on a virtual display.
TEST_F(Console, RealTerminalsRunTheScript)
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        GTEST_SKIP() << "Xvfb is not installed";
    QProcess xvfb;
    xvfb.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                                        QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                                        QStringLiteral("800x600x24")});
    if (!xvfb.waitForReadyRead(10000))
        GTEST_SKIP() << "Xvfb could not start: " << xvfb.readAllStandardError().toStdString();
    const QString display = QLatin1Char(':') + QString::fromLatin1(xvfb.readAllStandardOutput()).trimmed();

    int ran = 0;
    for (const QString& name : {QStringLiteral("xterm"), QStringLiteral("xfce4-terminal"), QStringLiteral("lxterminal")}) {
        SCOPED_TRACE(name.toStdString());
        if (QStandardPaths::findExecutable(name).isEmpty())
            continue;
        QProcessEnvironment env = environment(display, name);
        env.insert(QStringLiteral("NO_AT_BRIDGE"), QStringLiteral("1"));
        // Each its own configuration: nothing of the machine's user, no terminal server to hand over to.
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), root.path() + QStringLiteral("/config"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root.path());
        QProcess p;
        start(p, env);
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
