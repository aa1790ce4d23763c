// Tavrel under a real X window manager (openbox on Xvfb), driven by XTest pointer events as a user's mouse.
#include <QPoint>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include "../QtPrinters.h"

// Pressing on the title strip or the bare background and moving drags the window; letting go ends the
// drag, so the pointer moves on alone.
TEST(Openbox, ADragEndsWithTheButton)
{
    for (const char* tool : {"Xvfb", "openbox", "xdotool"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            GTEST_SKIP() << tool << " is not installed";
    QTemporaryDir home;
    QProcess xvfb, openbox, tavrel;   // each killed as it goes, the program first
    xvfb.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1280x1024x24"});
    ASSERT_TRUE(xvfb.waitForReadyRead(10000)) << xvfb.readAllStandardError().toStdString();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", u':' + QString::fromLatin1(xvfb.readAllStandardOutput()).trimmed());
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.path());
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.remove("WAYLAND_DISPLAY");
    const auto xdotool = [&](const QStringList& args) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start("xdotool", args);
        p.waitForFinished(20000);
        return QString::fromLatin1(p.readAllStandardOutput()).trimmed();
    };
    for (QProcess* p : {&openbox, &tavrel}) {
        p->setProcessEnvironment(env);
        p->setWorkingDirectory(home.path());
    }
    openbox.start("openbox", {"--sm-disable"});
    // openbox manages the screen once it answers for the current desktop.
    for (int i = 0; i < 100 && xdotool({"get_desktop"}).isEmpty(); ++i)
        QThread::msleep(100);
    tavrel.start(TAVREL_EXE, {});
    const QString window = xdotool({"search", "--sync", "--onlyvisible", "--name", "^Tavrel$"}).section(u'\n', 0, 0);
    const auto position = [&] {
        QThread::msleep(300);   // the move reaches the server
        const QString shell = xdotool({"getwindowgeometry", "--shell", window});
        const auto at = [&](const char* key) {
            return QRegularExpression(QLatin1String(key) + "=(\\d+)").match(shell).captured(1).toInt();
        };
        return QPoint(at("X"), at("Y"));
    };
    const auto pointerTo = [&](QPoint at) {
        xdotool({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())});
    };

    for (const QPoint grip : {QPoint(300, 10), QPoint(5, 470)}) {
        SCOPED_TRACE(grip.x());
        const QPoint start = position();
        pointerTo(start + grip);
        xdotool({"mousedown", "1"});
        pointerTo(start + grip + QPoint(1, 1));
        pointerTo(start + grip + QPoint(61, 41));
        xdotool({"mouseup", "1"});
        const QPoint dropped = position();
        EXPECT_EQ(dropped - start, QPoint(60, 40));
        pointerTo(start + grip + QPoint(161, 141));
        EXPECT_EQ(position(), dropped);
    }
}
