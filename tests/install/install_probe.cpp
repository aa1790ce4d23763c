// Tavrel's window, built where the program lies exactly as the program builds it, then driven without
// a person: saves the settings, stores a name and a picture for a game and launches it with a stand-in
// emulator through the real shell program.
//   install_probe --prepare WORK   makes WORK/roms/GAME.ZIP and WORK/pics/shot.bmp
//   install_probe WORK STANDIN     the run; prints where the files went, status 0 when every step worked
#include "app/Application.h"
#include "app/Form1.h"
#include "menus/Menus.h"
#include "RecordingDesktop.h"
#include "ScriptedDialogs.h"
#include "platform/DirList.h"
#include "platform/FileList.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QThread>

#include <cstdio>

using namespace tavrel;

namespace {

int prepare(const QString& work)
{
    QImage shot(8, 8, QImage::Format_RGB32);
    shot.fill(Qt::red);
    QFile rom(work + QStringLiteral("/roms/GAME.ZIP"));
    return QDir().mkpath(work + QStringLiteral("/roms")) && QDir().mkpath(work + QStringLiteral("/pics"))
            && rom.open(QIODevice::WriteOnly) && rom.write("PK") == 2 && shot.save(work + QStringLiteral("/pics/shot.bmp"))
        ? 0 : 1;
}

// Each line goes out whole at once: the shell program started later writes to the same output.
void say(const char* what, const QString& text)
{
    std::printf("%s %s\n", what, qPrintable(text));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3)
        return std::fprintf(stderr, "usage: install_probe --prepare WORK | install_probe WORK STANDIN\n"), 2;
    if (args[1] == QStringLiteral("--prepare"))
        return prepare(args[2]);
    const QString work = args[1];

    const ProgramFiles files = programFiles();
    say("data", files.dataDirectory);
    say("shell", files.shellProgram);
    ScriptedDialogs dialogs;
    QtDesktop desktop;
    QtVolumes volumes;
    form1 w(files, Platform{dialogs, desktop, volumes});
    w.Form_Load();

    w.Text3->setText(args[2]);
    w.Command6_Click();
    w.Dir1->setPath(work + QStringLiteral("/roms"));
    w.File1->selectRow(0);
    w.Text2->setText(QStringLiteral("Probe Game"));
    w.Command2_Click();
    w.menus()->mnuloadpicselect_Click();
    w.Dir2->setPath(work + QStringLiteral("/pics"));
    w.File2->selectRow(0);
    w.Command14_Click();
    w.Command9_Click();
    w.Command1_Click();

    // The shell program runs detached: wait for the emulator's trace.
    QElapsedTimer timer;
    timer.start();
    const QString trace = files.dataDirectory + QStringLiteral("received.txt");
    while (!QFile::exists(trace) && timer.elapsed() < 20000)
        QThread::msleep(50);
    bool ok = QFile::exists(trace);
    if (!ok)
        say("error", QStringLiteral("the emulator did not run"));
    for (const QString& shown : dialogs.shown) {
        say("shown", shown);
        ok = ok && !shown.startsWith(QStringLiteral("Error"));
    }
    return ok ? 0 : 1;
}
