// From exec to the window's first paint, offscreen: with 10,000 game records in the settings file, and
// started in a ROM folder of 100,000 files, which every list of the window shows from the first moment.
#include "RomFolder.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <ctime>

namespace {

long long monotonicNanoseconds()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

void BM_StartupToFirstPaint(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString probe = dir.filePath(QStringLiteral("tavrel"));
    QFile::copy(QStringLiteral(TAVREL_STARTUP_PROBE), probe);
    QFile::setPermissions(probe, QFile::permissions(probe) | QFileDevice::ExeUser);
    QFile ini(dir.filePath(QStringLiteral("tavrel.ini")));
    ini.open(QIODevice::WriteOnly);
    ini.write("[Pictures]\r\n1=yes\r\n[Frameskip]\r\n1=2\r\n[Video]\r\n1=1\r\n[Scanlines]\r\n1=25\r\n"
              "[Analyse]\r\n1=no\r\n[Vsync]\r\n1=yes\r\n[Joystick]\r\n1=no\r\n[EXEname]\r\n1=NeoRAGE.EXE\r\n");
    for (int i = 0; i < int(state.range(0)); ++i) {
        ini.write(QStringLiteral("[/home/player/roms/arcade/game number %1 (world).zip]\r\n"
                                 "gamename=Game Number %1 - The Arcade Classic\r\n"
                                 "picture=/home/player/pictures/titles/game number %1 title.png\r\n"
                                 "picture2=/home/player/pictures/play/game number %1 play.jpg\r\n"
                                 "picture3=\r\npicture4=\r\npicture5=\r\n")
                      .arg(i)
                      .toUtf8());
    }
    ini.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(state.range(1) ? romFolder() : dir.path());
        const long long start = monotonicNanoseconds();
        process.start(probe, {});
        process.waitForFinished(10000);
        const long long painted = process.readAllStandardOutput().trimmed().toLongLong();
        if (painted <= start) {
            state.SkipWithError("the probe did not paint");
            break;
        }
        state.SetIterationTime(double(painted - start) / 1e9);
    }
}
BENCHMARK(BM_StartupToFirstPaint)
    ->ArgNames({"records", "in_rom_folder"})
    ->Args({10000, 0})
    ->Args({0, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

} // namespace
