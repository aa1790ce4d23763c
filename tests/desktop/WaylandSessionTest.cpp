// Tavrel as a native Wayland client, in a headless weston of its own.
#include "../support/TestFiles.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

namespace {

// The desktop behind the window: one colour the artwork never uses, no panel.
constexpr QRgb kDesktop = 0xff00ff00;

// Polls until ready() holds or the time is up.
bool waitFor(const std::function<bool()>& ready, int ms)
{
    for (QDeadlineTimer deadline(ms); !ready(); QThread::msleep(100))
        if (deadline.hasExpired())
            return false;
    return true;
}

// Where the screen differs from the bare desktop.
QRect shownArea(const QImage& screen)
{
    QRect area = screen.isNull() ? QRect(0, 0, 1, 1) : QRect();
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x)
            if (screen.pixel(x, y) != kDesktop)
                area |= QRect(x, y, 1, 1);
    return area;
}

struct Session {
    QTemporaryDir runtime;
    QProcess weston;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString socket = "tavrel-test";

    ~Session()
    {
        weston.terminate();
        weston.waitForFinished(5000);
    }

    // Starts the compositor; the reason it could not, or the empty text.
    QString start()
    {
        for (const QString tool : {"weston", "weston-screenshooter"})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                return tool + " is not installed";
        // Wayland wants its runtime directory private to the user.
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString ini = runtime.filePath("weston.ini");
        if (!tavrel::test::writeFile(ini, "[shell]\npanel-position=none\nbackground-color=0xff00ff00\n"))
            return "cannot write weston.ini";

        env.insert("XDG_RUNTIME_DIR", runtime.path());
        env.insert("WAYLAND_DISPLAY", socket);
        env.remove("DISPLAY");
        weston.setProcessEnvironment(env);
        weston.setWorkingDirectory(runtime.path());
        weston.setProcessChannelMode(QProcess::MergedChannels);
        // --debug offers the screenshot protocol.
        weston.start("weston", {"--backend=headless-backend.so", "--use-pixman", "--width=800", "--height=600",
                                "--idle-time=0", "--socket=" + socket, "--config=" + ini, "--debug"});
        // Up once it shows its desktop: the shell's background drawn.
        const auto running = [&] { return weston.state() == QProcess::Running; };
        const bool up = weston.waitForStarted(5000) && waitFor([&] {
            return !running() || (QFile::exists(runtime.filePath(socket)) && shownArea(screenshot()).isEmpty());
        }, 10000) && running();
        return up ? QString() : "weston did not start: " + QString::fromLocal8Bit(weston.readAll());
    }

    // The whole output, as weston-screenshooter saves it.
    QImage screenshot()
    {
        QDir dir(runtime.path());
        const QStringList pattern{"wayland-screenshot*.png"};
        for (const QString& old : dir.entryList(pattern))
            dir.remove(old);
        QProcess shooter;
        shooter.setProcessEnvironment(env);
        shooter.setWorkingDirectory(runtime.path());
        shooter.start("weston-screenshooter", {});
        if (!shooter.waitForFinished(10000) || shooter.exitCode() != 0 || dir.entryList(pattern).isEmpty())
            return {};
        return QImage(dir.filePath(dir.entryList(pattern).first())).convertToFormat(QImage::Format_RGB32);
    }
};

} // namespace

TEST(WaylandSession, ShowsTheFixedFramelessWindowAndEndsWhenTerminated)
{
    Session session;
    if (const QString why = session.start(); !why.isEmpty())
        GTEST_SKIP() << "No Wayland compositor to test with: " << why.toStdString();

    QTemporaryDir home;
    QProcessEnvironment env = session.env;
    env.insert("QT_QPA_PLATFORM", "wayland");
    env.insert("HOME", home.path());
    QProcess tavrel;
    tavrel.setProcessEnvironment(env);
    tavrel.setProcessChannelMode(QProcess::MergedChannels);
    tavrel.setWorkingDirectory(home.path());
    tavrel.start(TAVREL_EXE, {});
    ASSERT_TRUE(tavrel.waitForStarted(5000));

    // The window appears where the compositor puts it, at exactly its size, with no frame of the
    // compositor's around it.
    QImage screen;
    QRect area;
    const bool shown = waitFor([&] {
        screen = session.screenshot();
        area = shownArea(screen);
        return area.size() == QSize(640, 480) || tavrel.state() != QProcess::Running;
    }, 20000);
    ASSERT_EQ(tavrel.state(), QProcess::Running) << tavrel.readAll().toStdString();
    ASSERT_TRUE(shown) << "shown: " << area.width() << "x" << area.height();

    // It is Tavrel's own picture: a corner of its background, pixel for pixel.
    const QImage background = QImage(TAVREL_ASSETS "/background.png").convertToFormat(QImage::Format_RGB32);
    const QRect corner(0, 456, 24, 24);
    EXPECT_EQ(screen.copy(corner.translated(area.topLeft())), background.copy(corner));

    // A session ends its programs with SIGTERM: Tavrel has nothing to save or ask, so it ends at once,
    // by that signal and not by a fault of its own.
    tavrel.terminate();
    ASSERT_TRUE(tavrel.waitForFinished(5000));
    EXPECT_EQ(tavrel.exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(tavrel.exitCode(), SIGTERM) << tavrel.readAll().toStdString();
}
