// The file list on a full ROM folder: 100,000 files, 90,000 of them archives.
#include "platform/DirList.h"
#include "platform/DirScan.h"
#include "platform/Drives.h"
#include "platform/FileList.h"

#include "RomFolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <random>

namespace {

// What the kernel alone costs: the floor for everything below.
void BM_ReaddirOnly(benchmark::State& state)
{
    const QByteArray dir = QFile::encodeName(romFolder());
    for (auto _ : state) {
        DIR* d = ::opendir(dir.constData());
        int n = 0;
        while (::readdir(d))
            ++n;
        ::closedir(d);
        benchmark::DoNotOptimize(n);
    }
}

void BM_ScanDirectory(benchmark::State& state)
{
    const tavrel::FilePattern pattern(QStringLiteral("*.zip"));
    romFolder();
    tavrel::DirScanResult shown;   // replaced, not freed first, as the list does
    for (auto _ : state) {
        shown = tavrel::scanDirectory(romFolder(), pattern, tavrel::ScanFor::Files);
        benchmark::DoNotOptimize(shown);
    }
}

// The user-visible figure: pointing the list at the folder and painting it.
void BM_FileListSetPathAndPaint(benchmark::State& state)
{
    romFolder();   // built outside the timing
    tavrel::FileList list;
    list.setPattern(QStringLiteral("*.zip"));
    list.resize(400, 600);
    list.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        list.setPath(romFolder());
        list.repaint();
    }
    state.counters["files"] = double(list.count());
}

// The directory list skips the files but still walks the whole folder.
void BM_DirListSetPath(benchmark::State& state)
{
    romFolder();
    const tavrel::QtVolumes volumes;
    tavrel::Drives drives(volumes);
    tavrel::DirList list(drives);
    for (auto _ : state)
        list.setPath(romFolder());
}

} // namespace

BENCHMARK(BM_ReaddirOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanDirectory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FileListSetPathAndPaint)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DirListSetPath)->Unit(benchmark::kMillisecond);
