// Hostile and very large picture files: each must load or fail within a
// second and 400 MB. The memory figure is the growth of the process's peak,
// so run these alone (--benchmark_filter=Pictures) to read it.
#include "platform/Pictures.h"

#include "../tests/pictures/PictureCorpus.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>

namespace {

struct Cost {
    double seconds = 0;
    double megabytes = 0;   // growth of the process's peak resident memory
};

Cost costOfLoad(const QString& path)
{
    rusage before{}, after{};
    ::getrusage(RUSAGE_SELF, &before);
    QElapsedTimer timer;
    timer.start();
    benchmark::DoNotOptimize(tavrel::loadPicture(path, QSize(402, 274)));
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    ::getrusage(RUSAGE_SELF, &after);
    return {seconds, double(after.ru_maxrss - before.ru_maxrss) / 1024.0};
}

void measure(benchmark::State& state, const QList<tavrel::test::CorpusFile>& files)
{
    QTemporaryDir dir;
    QStringList paths;
    for (const tavrel::test::CorpusFile& file : files) {
        QFile out(dir.filePath(file.name));
        out.open(QIODevice::WriteOnly);
        out.write(file.bytes);
        paths << out.fileName();
    }
    Cost worst;
    for (auto _ : state) {
        for (const QString& path : paths) {
            const Cost cost = costOfLoad(path);
            if (paths.size() <= 3)   // few enough to name each
                state.counters[QFileInfo(path).completeBaseName().toStdString() + "_s"] = cost.seconds;
            worst.seconds = std::max(worst.seconds, cost.seconds);
            worst.megabytes = std::max(worst.megabytes, cost.megabytes);
        }
    }
    state.counters["worst_s"] = worst.seconds;
    state.counters["worst_MB"] = worst.megabytes;
    if (worst.seconds > 1.0 || worst.megabytes > 400)
        state.SkipWithError("a picture took more than 1 s or 400 MB");
}

void BM_LoadHostilePictures(benchmark::State& state)
{
    measure(state, tavrel::test::hostilePictures());
}
BENCHMARK(BM_LoadHostilePictures)->Iterations(1)->Unit(benchmark::kMillisecond);

// The largest files still accepted: a 49 MB 8-bit BMP, and a progressive
// JPEG at the size limit with the most scans allowed.
void BM_LoadLargestAcceptedPictures(benchmark::State& state)
{
    QByteArray pixels(7000 * 7000, '\1');
    measure(state, {{"big8.bmp", tavrel::test::bmp8(7000, 7000, 0, pixels)},
                    {"scans.jpg", tavrel::test::progressiveJpeg(6600, 6600, 199)}});
}
BENCHMARK(BM_LoadLargestAcceptedPictures)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
