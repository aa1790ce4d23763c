// The shell program on its own: its data directory, the terminals it opens, a missing emulator.
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
        for (const auto& [name, value] : {std::pair {"PATH", terminals() + ":/usr/bin:/bin"}, {"HOME", root.path()},
                                          {"DISPLAY", display}, {"TERMINAL", terminal}, {"TERMINAL_LOG", root.path() + "/tried"}})
            if (!value.isEmpty())
                env.insert(name, value);
        return env;
    }
    // The terminals the shell program called since the last look, in order.
    QStringList tried() const
    {
        const QStringList names = QString::fromUtf8(test::readFile(root.path() + "/tried")).split(u'\n', Qt::SkipEmptyParts);
        QFile::remove(root.path() + "/tried");
        return names;
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
        EXPECT_EQ(received(), QStringList{game});
        EXPECT_TRUE(out.contains("Starting NeoRAGE... Loading ROMs.\n"));
        EXPECT_TRUE(out.endsWith("Press any key to continue . . . \n"));
        EXPECT_EQ(QDir(root.path() + "/program dir 'x'").entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                  QStringList{"TVRShell.pif"});

        writeScript("NeoRAGE.EXE");
        const QString missing = QString::fromUtf8(run(p, environment(), sh));
        EXPECT_TRUE(missing.contains("Error: The emulator \"NeoRAGE.EXE\" was not found.\n")) << missing.toStdString();
        EXPECT_TRUE(missing.endsWith("Press any key to continue . . . \n"));
    }
    writeScript("wine-missing NeoRAGE.EXE");
    QProcess p;
    EXPECT_TRUE(run(p, environment()).contains("Error: The emulator \"wine-missing\" was not found.\n"));
    // A blank name would leave the (runnable) game first on the line: it does not run.
    ASSERT_TRUE(QDir().mkpath(root.path() + "/roms") && QFile::copy(TAVREL_STANDIN, game));
    ASSERT_TRUE(QFile::setPermissions(game, QFile::ReadOwner | QFile::ExeOwner));
    writeScript("   ");
    EXPECT_TRUE(run(p, environment()).contains("Error: \".EXE Name:\" names no emulator: it is empty or starts with a blank.\n"));
    EXPECT_FALSE(QFile::exists(data() + "received.txt"));
    // An emulator that runs and fails is not explained away.
    writeScript("false");
    EXPECT_FALSE(run(p, environment()).contains("Error:"));
}

TEST_F(Console, EachTerminalIsCalledTheWayItsManualSays)
{
    const QStringList names{"x-terminal-emulator", "gnome-terminal", "konsole", "xfce4-terminal", "xterm", "kitty",
                            "alacritty", "foot", "wezterm", "tilix", "terminator", "lxterminal", "qterminal",
                            "mate-terminal", "unknown-terminal"};
    for (const QString& name : names) {
        ASSERT_TRUE(QFile::copy(TAVREL_FAKE_TERMINAL, terminals() + name));
        ASSERT_TRUE(QFile::setPermissions(terminals() + name, QFile::ReadOwner | QFile::ExeOwner));
    }
    QProcessEnvironment env = environment(":99");
    env.insert("WAYLAND_DISPLAY", "wayland-99");
    for (const QString& name : names.mid(0, names.size() - 1)) {
        SCOPED_TRACE(name.toStdString());
        env.insert("TERMINAL", name);
        QProcess p;
        run(p, env);
        EXPECT_EQ(received(), QStringList{game}) << p.readAllStandardError().toStdString();
        EXPECT_EQ(tried(), QStringList{name});
    }
    // x-terminal-emulator, a link, is called as the terminal it names.
    env.remove("TERMINAL");
    for (const QString& name : QStringList{"lxterminal", "tilix", "qterminal", "wezterm", "gnome-terminal"}) {
        SCOPED_TRACE(name.toStdString());
        QFile::remove(terminals() + "x-terminal-emulator");
        ASSERT_TRUE(QFile::link(terminals() + name, terminals() + "x-terminal-emulator"));
        QProcess p;
        run(p, env);
        EXPECT_EQ(received(), QStringList{game});
        EXPECT_EQ(tried(), QStringList{name});
    }
    // One that fails at once gives way to the next; an X11-only one is not tried on Wayland alone.
    env.insert("TERMINAL", "unknown-terminal");
    QProcess p;
    run(p, env);
    EXPECT_EQ(tried(), (QStringList{"unknown-terminal", "gnome-terminal"}));
    env.insert("TERMINAL", "xterm");
    env.remove("DISPLAY");
    run(p, env);
    EXPECT_EQ(tried(), QStringList{"gnome-terminal"});
    EXPECT_EQ(received(), QStringList{game});
}

// The terminals installed here, for real, on Xvfb; and on a headless weston, where xterm gives way.
TEST_F(Console, RealTerminalsRunTheScript)
{
    if (QStandardPaths::findExecutable("Xvfb").isEmpty())
        GTEST_SKIP() << "Xvfb is not installed";
    QProcess xvfb;
    xvfb.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "800x600x24"});
    if (!xvfb.waitForReadyRead(10000))
        GTEST_SKIP() << "Xvfb could not start: " << xvfb.readAllStandardError().toStdString();
    const QString display = u':' + QString::fromLatin1(xvfb.readAllStandardOutput()).trimmed();

    const auto runsTheScript = [&](QProcessEnvironment env) {
        env.insert("NO_AT_BRIDGE", "1");
        env.insert("XDG_CONFIG_HOME", root.path() + "/config");   // nothing of the user's, no terminal server
        env.insert("XDG_RUNTIME_DIR", root.path());
        QProcess p;
        run(p, env, "sh", false);
        EXPECT_EQ(received(30000), QStringList{game}) << p.readAllStandardError().toStdString();
        p.kill();   // it waits at "Press any key"
        p.waitForFinished(5000);
    };
    int ran = 0;
    for (const char* name : {"xterm", "xfce4-terminal", "lxterminal"}) {
        SCOPED_TRACE(name);
        if (QStandardPaths::findExecutable(QLatin1String(name)).isEmpty())
            continue;
        runsTheScript(environment(display, name));
        ++ran;
    }
    xvfb.kill();
    xvfb.waitForFinished(5000);
    if (!QStandardPaths::findExecutable("weston").isEmpty() && ran > 1) {
        SCOPED_TRACE("Wayland alone");
        QProcess weston;
        QProcessEnvironment env = environment({}, "xterm");
        env.insert("XDG_RUNTIME_DIR", root.path());
        weston.setProcessEnvironment(env);
        weston.start("weston", {"--backend=headless-backend.so", "--socket=wayland-console", "--idle-time=0"});
        for (int i = 0; i < 100 && !QFile::exists(root.path() + "/wayland-console"); ++i)
            QThread::msleep(100);
        env.insert("WAYLAND_DISPLAY", "wayland-console");
        runsTheScript(env);
        weston.kill();
        weston.waitForFinished(5000);
    }
    if (ran == 0)
        GTEST_SKIP() << "no terminal is installed";
}
