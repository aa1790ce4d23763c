// A DOS emulator's launch: making DOSBox's drive of a folder of 50,000 long-named archives, and the time
// from pressing Launch to the DOS program running in real DOSBox (headless).
#include "app/Form1.h"
#include "FixedVolumes.h"
#include "ScriptedDialogs.h"
#include "platform/Desktop.h"
#include "platform/DosDrive.h"
#include "platform/DirList.h"
#include "platform/FileList.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <csignal>

namespace {

// Made in memory where the system has it, as in a desktop session's runtime folder; the second argument
// says whether each run finds the links of an earlier one for the same folder.
void BM_DosDriveOfAFullFolder(benchmark::State& state)
{
    QTemporaryDir tmp;
    const QString folder = tmp.filePath(QStringLiteral("roms"));
    QDir().mkpath(folder);
    for (int i = 0; i < int(state.range(0)); ++i)
        QFile(folder + QStringLiteral("/Game Number %1 (World).zip").arg(i)).open(QIODevice::WriteOnly);
    QTemporaryDir memory(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/tavrel-bench-XXXXXX") : QString());
    const QString stage = memory.filePath(QStringLiteral("stage"));
    const QString game = QStringLiteral("Game Number 7 (World).zip");
    tavrel::stageDosDrives(stage, tmp.path(), tmp.path(), folder, game);
    for (auto _ : state) {
        if (state.range(1) == 0)
            QFile::remove(stage + QStringLiteral("/d.made"));
        const tavrel::DosDrives drives = tavrel::stageDosDrives(stage, tmp.path(), tmp.path(), folder, game);
        if (!drives.error.isEmpty())
            state.SkipWithError(qPrintable(drives.error));
    }
}
BENCHMARK(BM_DosDriveOfAFullFolder)->Args({50000, 0})->Args({50000, 1})->Iterations(5)->Unit(benchmark::kMillisecond);

#ifdef TAVREL_BENCH_DOS_PROBE
// The launch button of a real window starts the real shell program, which starts DOSBox through a
// DOSBOX wrapper that notes its process, so that each run's DOSBox can be ended after the program ran.
void BM_LaunchToDosProgramRunning(benchmark::State& state)
{
    if (QStandardPaths::findExecutable(QStringLiteral("dosbox")).isEmpty()) {
        state.SkipWithError("DOSBox is not installed");
        return;
    }
    QTemporaryDir tmp;
    const QString dir = tmp.path() + u'/';
    QDir().mkpath(dir + QStringLiteral("roms"));
    QFile(dir + QStringLiteral("roms/MSLUG.ZIP")).open(QIODevice::WriteOnly);
    QFile::copy(QStringLiteral(TAVREL_BENCH_DOS_PROBE), dir + QStringLiteral("NEORAGE.EXE"));
    QFile::copy(QStringLiteral(TAVREL_SHELL_SOURCE), dir + QStringLiteral("TVRShell.pif"));
    QFile wrapper(dir + QStringLiteral("dosbox-noted"));
    wrapper.open(QIODevice::WriteOnly);
    wrapper.write("#!/bin/sh\necho $$ >\"$0.pid\"\nexec dosbox \"$@\"\n");
    wrapper.close();
    wrapper.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    for (const char* name : {"SDL_VIDEODRIVER", "SDL_AUDIODRIVER"})
        qputenv(name, "dummy");
    qputenv("HOME", tmp.path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", tmp.path().toUtf8());
    qputenv("DOSBOX", wrapper.fileName().toUtf8());

    tavrel::ScriptedDialogs dialogs;
    tavrel::QtDesktop desktop;
    tavrel::FixedVolumes volumes;
    tavrel::form1 w(tavrel::ProgramFiles{dir, dir + QStringLiteral("TVRShell.pif")},
                    tavrel::Platform{dialogs, desktop, volumes});
    w.Form_Load();
    w.Dir1->setPath(dir + QStringLiteral("roms"));
    w.File1->selectRow(0);
    w.Text3->setText(QStringLiteral("NeoRAGE.EXE"));
    const QString out = dir + QStringLiteral("OUT.TXT");
    for (auto _ : state) {
        QFile::remove(out);
        QFile::remove(wrapper.fileName() + QStringLiteral(".pid"));
        QElapsedTimer t;
        t.start();
        w.Command1_Click();
        while (QFileInfo(out).size() == 0 && t.elapsed() < 30000)
            QThread::usleep(2000);
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
        QFile pid(wrapper.fileName() + QStringLiteral(".pid"));
        if (const int dosbox = pid.open(QIODevice::ReadOnly) ? pid.readAll().trimmed().toInt() : 0; dosbox > 0)
            ::kill(pid_t(dosbox), SIGKILL);
        if (QFileInfo(out).size() == 0)
            state.SkipWithError("the DOS program did not run");
    }
    for (const char* name : {"SDL_VIDEODRIVER", "SDL_AUDIODRIVER", "DOSBOX", "XDG_RUNTIME_DIR"})
        qunsetenv(name);
}
BENCHMARK(BM_LaunchToDosProgramRunning)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
#endif

} // namespace
