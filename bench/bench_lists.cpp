// The file list on a full ROM folder: 100,000 files, 90,000 of them archives.
#include "platform/DirList.h"
#include "platform/DirScan.h"
#include "platform/FileList.h"

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

constexpr int kFiles = 100000;
constexpr int kArchives = 90000;

const char* const kWords[] = {"puzzle", "bobble", "street", "fighter", "metal", "slug", "dragon", "ninja",
                              "galaxy", "raiders", "turbo", "strikers", "final", "knights", "round", "pang"};
const char* const kArchiveExt[] = {".zip", ".ZIP", ".Zip", ".7z"};
const char* const kOtherExt[] = {".png", ".txt", ".cfg", ".nv", ".dat"};

// Built once per run; names in mixed letter case as real sets have them.
class RomFolder {
public:
    RomFolder()
    {
        std::mt19937 rng(42);
        const QByteArray base = QFile::encodeName(dir_.path()) + '/';
        char name[160];
        for (int i = 0; i < kFiles; ++i) {
            const char* a = kWords[rng() % 16];
            const char* b = kWords[rng() % 16];
            const char* ext = i < kArchives ? kArchiveExt[rng() % 3] : kOtherExt[rng() % 5];
            std::snprintf(name, sizeof name, "%s%s %s %05d%s", base.constData(), a, b, i, ext);
            char* p = name + base.size();
            for (; *p && *p != '.'; ++p) {
                if (rng() % 3 == 0 && *p >= 'a' && *p <= 'z')
                    *p = char(*p - 'a' + 'A');
            }
            const int fd = ::open(name, O_CREAT | O_WRONLY, 0644);
            if (fd >= 0)
                ::close(fd);
        }
    }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

const QString& romFolder()
{
    static RomFolder folder;
    static const QString path = folder.path();
    return path;
}

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
    tavrel::DirList list;
    for (auto _ : state)
        list.setPath(romFolder());
}

} // namespace

BENCHMARK(BM_ReaddirOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanDirectory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FileListSetPathAndPaint)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DirListSetPath)->Unit(benchmark::kMillisecond);
