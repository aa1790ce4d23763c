// Settings-file store at the sizes users reach: 1,000 to 100,000 game records of six keys each.
#include "settings/IniStore.h"

#include <QByteArrayView>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <map>
#include <random>
#include <sys/resource.h>
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

long minorFaults()
{
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// Building the parsed copy: the first read after the file changed (a new store has no copy yet).
// Touching fresh memory is much of its cost (on a virtual machine each page fault takes some 15 µs), so
// the page faults per build are counted too.
void BM_BuildParsedCopy(benchmark::State& state)
{
    const int records = int(state.range(0));
    const QString path = settingsFile(records, "read");
    const QString section = sectionOf(records / 2);
    const long faultsBefore = minorFaults();
    for (auto _ : state) {
        IniStore store(path);
        benchmark::DoNotOptimize(store.read(section, QStringLiteral("gamename")));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * QFile(path).size());
    state.counters["faults"] = double(minorFaults() - faultsBefore) / double(state.iterations());
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

// Building the header index (the part of the parsed copy that grows with the number of games) from
// bytes in memory, two ways: with the library (memchr and std::find_if over the bytes, QHash with its
// per-process seed) and with the hand-written pieces the store once had (a word-at-a-time scan for line
// ends, an unseeded hash and an open-addressed table). The store keeps a hand-written piece only where
// it is at least twice as fast here.
struct FoundHeader {
    qsizetype foldOffset;
    qsizetype foldLength;
};

inline bool isBreak(char c) { return c == '\r' || c == '\n'; }

const char* lineEndLibrary(const char* p, const char* end)
{
    return std::find_if(p, end, isBreak);
}

const char* lineEndWordAtATime(const char* p, const char* end)
{
    constexpr quint64 kOnes = 0x0101010101010101ull;
    constexpr quint64 kHighs = 0x8080808080808080ull;
    auto equal = [](quint64 w, unsigned char c) {
        const quint64 x = w ^ (kOnes * c);
        return (x - kOnes) & ~x & kHighs;
    };
    if constexpr (std::endian::native == std::endian::little) {
        for (; end - p >= 8; p += 8) {
            quint64 w;
            std::memcpy(&w, p, 8);
            if (const quint64 hit = equal(w, '\r') | equal(w, '\n'))
                return p + (std::countr_zero(hit) >> 3);
        }
    }
    return std::find_if(p, end, isBreak);
}

// Finds every header, folding its name (ASCII lowered) onto the end of folded.
template <const char* (*LineEnd)(const char*, const char*)>
std::vector<FoundHeader> scanHeaders(const QByteArray& bytes, QByteArray& folded)
{
    std::vector<FoundHeader> out;
    const char* p = bytes.constData();
    const char* const end = p + bytes.size();
    while (const char* open = static_cast<const char*>(std::memchr(p, '[', size_t(end - p)))) {
        const char* e = LineEnd(open + 1, end);
        if (open == bytes.constData() || isBreak(open[-1])) {
            const qsizetype close = QByteArrayView(open + 1, e).lastIndexOf(']');
            if (close >= 0) {
                const qsizetype at = folded.size();
                folded += QByteArrayView(open + 1, close);
                for (char* c = folded.data() + at; c != folded.data() + folded.size(); ++c)
                    *c = (*c >= 'A' && *c <= 'Z') ? char(*c + 32) : *c;
                out.push_back({at, close});
            }
        }
        p = e;
    }
    return out;
}

quint64 fixedHash(const char* p, size_t n)
{
    quint64 h = 0x9e3779b97f4a7c15ull ^ n;
    for (; n >= 8; p += 8, n -= 8) {
        quint64 w;
        std::memcpy(&w, p, 8);
        h = (h ^ w) * 0xff51afd7ed558ccdull;
        h ^= h >> 32;
    }
    quint64 w = 0;
    std::memcpy(&w, p, n);
    h = (h ^ w) * 0xc4ceb9fe1a85ec53ull;
    h ^= h >> 29;
    return h * 0xff51afd7ed558ccdull;
}

const QByteArray& recordBytes()
{
    static const QByteArray bytes = [] {
        QByteArray b;
        for (int i = 0; i < 100000; ++i)
            b += record(i);
        return b;
    }();
    return bytes;
}

// Times finding the headers of the 100,000 records with LineEnd and indexing them with index(headers,
// folded names).
template <const char* (*LineEnd)(const char*, const char*), class Index>
void timeHeaderIndex(benchmark::State& state, Index index)
{
    recordBytes();
    for (auto _ : state) {
        QByteArray folded;
        folded.reserve(recordBytes().size() / 8);
        index(scanHeaders<LineEnd>(recordBytes(), folded), folded);
    }
}

void BM_HeaderIndexLibrary(benchmark::State& state)
{
    timeHeaderIndex<lineEndLibrary>(state, [](const std::vector<FoundHeader>& headers, const QByteArray& folded) {
        QHash<quint64, int> table;
        table.reserve(qsizetype(headers.size()));
        for (size_t i = 0; i < headers.size(); ++i) {
            const char* name = folded.constData() + headers[i].foldOffset;
            table.insert(qHashBits(name, size_t(headers[i].foldLength), QHashSeed::globalSeed()), int(i));
        }
        benchmark::DoNotOptimize(table.size());
    });
}

void BM_HeaderIndexHandWritten(benchmark::State& state)
{
    timeHeaderIndex<lineEndWordAtATime>(state, [](const std::vector<FoundHeader>& headers, const QByteArray& folded) {
        // Linear probing; a slot holds the header's index + 1 (0: empty). First of a name wins.
        std::vector<quint32> cells(std::bit_ceil(headers.size() * 2));
        const size_t mask = cells.size() - 1;
        for (size_t i = 0; i < headers.size(); ++i) {
            const char* name = folded.constData() + headers[i].foldOffset;
            const size_t n = size_t(headers[i].foldLength);
            for (size_t s = fixedHash(name, n) & mask;; s = (s + 1) & mask) {
                if (!cells[s]) {
                    cells[s] = quint32(i + 1);
                    break;
                }
                const FoundHeader& o = headers[cells[s] - 1];
                if (size_t(o.foldLength) == n && std::memcmp(folded.constData() + o.foldOffset, name, n) == 0)
                    break;
            }
        }
        benchmark::DoNotOptimize(cells.data());
    });
}

} // namespace

BENCHMARK(BM_BuildParsedCopy)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadRecord)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteValue)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HeaderIndexLibrary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HeaderIndexHandWritten)->Unit(benchmark::kMillisecond);
