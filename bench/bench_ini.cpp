// Settings-file store at the sizes users reach: 1,000 to 100,000 game records of six keys each.
#include "settings/IniStore.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <random>
#include <vector>

using tavrel::IniStore;

namespace {

const char* const kWords[] = {"super", "puzzle", "fighter", "turbo", "street", "dragon", "space", "galaxy",
                              "raiders", "ninja", "metal", "slug", "bubble", "bobble", "tetris", "pang",
                              "strikers", "final", "knights", "round"};
constexpr int kWordCount = int(sizeof(kWords) / sizeof(kWords[0]));
const char* const kKeys[] = {"gamename", "picture", "picture2", "picture3", "picture4", "picture5"};
const char* const kKinds[] = {"snap", "title", "flyer", "cabinet", "marquee"};

QByteArray gameName(int i)
{
    return QByteArray(kWords[i % kWordCount]) + ' ' + kWords[(i / kWordCount) % kWordCount] + ' '
        + kWords[(i / 7) % kWordCount] + ' ' + QByteArray::number(i);
}

QString sectionOf(int i)
{
    return QString::fromUtf8("/home/user/roms/" + gameName(i) + ".zip");
}

// One record, about 440 bytes:
//   [/home/user/roms/super puzzle fighter 12345.zip]
//   gamename=Super Puzzle Fighter 12345 (World, rev 2)
//   picture=/home/user/roms/pictures/snap/super puzzle fighter 12345.png   ... picture5
QByteArray record(int i)
{
    const QByteArray name = gameName(i);
    QByteArray r = "[/home/user/roms/" + name + ".zip]\r\n";
    QByteArray title = name;
    title[0] = char(title[0] - 32);
    r += "gamename=" + title + " (World, rev " + QByteArray::number(i % 4) + ")\r\n";
    for (int k = 0; k < 5; ++k)
        r += QByteArray(kKeys[k + 1]) + "=/home/user/roms/pictures/" + kKinds[k] + '/' + name + ".png\r\n";
    return r;
}

QTemporaryDir& workDir()
{
    static QTemporaryDir dir;
    return dir;
}

// Generated once per size and kind ("read" files are never written, "write" files are).
QString settingsFile(int records, const char* kind)
{
    static std::map<std::pair<int, std::string>, QString> made;
    const auto key = std::make_pair(records, std::string(kind));
    auto it = made.find(key);
    if (it != made.end())
        return it->second;
    const QString path = workDir().filePath(QStringLiteral("%1-%2.ini").arg(QLatin1String(kind)).arg(records));
    QByteArray bytes;
    bytes.reserve(qsizetype(records) * 460);
    for (int i = 0; i < records; ++i)
        bytes += record(i);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        std::abort();
    f.close();
    made.emplace(key, path);
    return path;
}

// Building the parsed copy: the first read after the file changed (a new store has no copy yet).
void BM_BuildParsedCopy(benchmark::State& state)
{
    const int records = int(state.range(0));
    const QString path = settingsFile(records, "read");
    const QString section = sectionOf(records / 2);
    for (auto _ : state) {
        IniStore store(path);
        benchmark::DoNotOptimize(store.read(section, QStringLiteral("gamename")));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * QFile(path).size());
}

// Selecting a game: its six values, the file unchanged since the last read.
void BM_ReadRecord(benchmark::State& state)
{
    const int records = int(state.range(0));
    const QString path = settingsFile(records, "read");
    std::vector<QString> sections;
    sections.reserve(size_t(records));
    for (int i = 0; i < records; ++i)
        sections.push_back(sectionOf(i));
    const std::vector<QString> keys(std::begin(kKeys), std::end(kKeys));
    IniStore store(path);
    if (store.read(sections[0], keys[0]).isEmpty())
        std::abort();
    std::mt19937 rng(42);
    for (auto _ : state) {
        const QString& section = sections[rng() % unsigned(records)];
        for (const QString& key : keys)
            benchmark::DoNotOptimize(store.read(section, key));
    }
}

// Writing one value of a random record, flushed to disk (values change length, so offsets shift).
void BM_WriteValue(benchmark::State& state)
{
    const int records = int(state.range(0));
    const QString path = settingsFile(records, "write");
    IniStore store(path);
    store.read(QStringLiteral("warm"), QStringLiteral("up"));
    // Shared by every run of this benchmark, so no write repeats a value already there (a no-op).
    static std::mt19937 rng(7);
    static int n = 0;
    for (auto _ : state) {
        const int r = int(rng() % unsigned(records));
        const QString value = QStringLiteral("/home/user/roms/pictures/flyer/edited %1.png").arg(++n * 37);
        if (!store.write(sectionOf(r), QStringLiteral("picture3"), value))
            state.SkipWithError("write failed");
    }
}

} // namespace

BENCHMARK(BM_BuildParsedCopy)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadRecord)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteValue)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->UseRealTime();
