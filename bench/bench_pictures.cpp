// Hostile and very large picture files: each must load or fail within a
// second and 400 MB. The memory figure is the whole process's peak during
// each load.
#include "platform/PictureBounds.h"
#include "platform/Pictures.h"

#include "../tests/pictures/PictureCorpus.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <unistd.h>
#include <cmath>
#include <functional>

namespace {

struct Cost {
    bool loaded = false;
    double seconds = 0;
    double megabytes = 0;   // the process's peak resident memory during the load
};

// The process's resident memory in MB.
double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    statm.open(QIODevice::ReadOnly);
    return statm.readAll().split(' ').value(1).toDouble() * double(::sysconf(_SC_PAGESIZE)) / (1 << 20);
}

// The peak is sampled every millisecond: the kernel's own high-water mark is not kept up to date
// while a process maps and unmaps large buffers.
Cost costOfLoad(const QString& path)
{
    std::atomic<bool> done = false;
    double peak = residentMegabytes();
    std::thread sampler([&] {
        while (!done) {
            peak = std::max(peak, residentMegabytes());
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    QElapsedTimer timer;
    timer.start();
    const bool loaded = tavrel::loadPicture(path, QSize(402, 274)).ok;
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    done = true;
    sampler.join();
    return {loaded, seconds, peak};
}

// Every file must load (mustLoad) or every file must fail.
void measure(benchmark::State& state, const QList<tavrel::test::CorpusFile>& files, bool mustLoad)
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
            if (cost.loaded != mustLoad)
                state.SkipWithError((path + (mustLoad ? " failed" : " loaded")).toStdString().c_str());
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
    measure(state, tavrel::test::hostilePictures(), false);
}
BENCHMARK(BM_LoadHostilePictures)->Iterations(1)->Unit(benchmark::kMillisecond);

// The largest files still accepted, each alone: an 8-bit BMP that the
// decoder's 128 MB allocation limit just takes; progressive
// JPEGs at the size limit with the most scans their work allows, and one
// with the most entropy-coded data; the most
// marker segments of the longest kind; the largest PNGs, plain and interlaced;
// a GIF at the decoder's allocation limit; a PNG of texts that inflate to
// 800 MB.
const std::pair<const char*, std::function<QByteArray()>> kLargest[] = {
    {"big8.bmp", [] { return tavrel::test::bmp8(5792, 5792, 0, QByteArray(5792 * 5792, '\1')); }},
    {"grey-scans.jpg", [] { return tavrel::test::progressiveJpeg(6600, 6600, int(tavrel::kMaxJpegBlockScans / (825 * 825)) - 1); }},
    {"colour-scans.jpg",
     [] { return tavrel::test::progressiveJpeg(5176, 5176, int(tavrel::kMaxJpegBlockScans / (3 * 647 * 647)) - 1, 3); }},
    {"dense.jpg",
     [] {   // noise at the best quality: the most entropy-coded data a progressive file may hold
         QImage noise(3300, 3300, QImage::Format_RGB32);
         for (int y = 0; y < noise.height(); ++y)
             for (int x = 0; x < noise.width(); ++x)
                 noise.setPixel(x, y, QRandomGenerator::global()->generate());
         QByteArray bytes;
         QBuffer buffer(&bytes);
         buffer.open(QIODevice::WriteOnly);
         QImageWriter writer(&buffer, "jpeg");
         writer.setQuality(100);
         writer.setProgressiveScanWrite(true);
         writer.write(noise);
         return bytes;
     }},
    {"segments.jpg",
     [] {
         const int half = tavrel::kMaxJpegMarkerSegments / 2;
         return tavrel::test::withSegments(tavrel::test::withSegments(tavrel::test::progressiveJpeg(16, 16, 0), 0xfe, half, 65533),
                                           0xe2, half, 65533);
     }},
    {"plain.png", [] { const int side = int(std::sqrt(double(tavrel::kMaxPngPixels))); return tavrel::test::blackPng(side, side, false); }},
    {"interlaced.png",
     [] { const int side = int(std::sqrt(double(tavrel::kMaxInterlacedPngPixels))); return tavrel::test::blackPng(side, side, true); }},
    {"screen.gif", [] { return tavrel::test::gif(5792, 5792, 5792, 5792); }},
    {"texts.png",
     [] {
         for (const tavrel::test::CorpusFile& file : tavrel::test::validPictures())
             if (file.name == "texts.png")
                 return file.bytes;
         return QByteArray();
     }},
};

const bool kLargestRegistered = [] {
    for (const auto& [name, make] : kLargest)
        benchmark::RegisterBenchmark((std::string("BM_LoadLargestAccepted/") + name).c_str(),
                                     [name = name, make = make](benchmark::State& state) {
                                         measure(state, {{QString::fromUtf8(name), make()}}, true);
                                     })
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace
