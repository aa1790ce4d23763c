// What the library alone does for the file list: the baselines that the
// hand-written directory scan is measured against.
#include "platform/DirScan.h"

#include "RomFolder.h"

#include <QCollator>
#include <QDir>
#include <QDirIterator>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

const QStringList kZipFilter{QStringLiteral("*.zip")};

// QDir does it all: filter, case-insensitive sort.
void BM_Baseline_QDirEntryList(benchmark::State& state)
{
    romFolder();
    QStringList shown;
    for (auto _ : state) {
        QDir dir(romFolder(), QString(), QDir::Name | QDir::IgnoreCase, QDir::Files);
        dir.setNameFilters(kZipFilter);
        shown = dir.entryList();
        benchmark::DoNotOptimize(shown);
    }
    state.counters["files"] = double(shown.size());
}

// QDirIterator, then a sort on a key computed once per name.
template <typename MakeKey, typename Less>
void listSortedByKey(benchmark::State& state, MakeKey makeKey, Less less)
{
    romFolder();
    QStringList shown;
    for (auto _ : state) {
        std::vector<std::pair<decltype(makeKey(QString())), QString>> keyed;
        QDirIterator it(romFolder(), kZipFilter, QDir::Files);
        while (it.hasNext()) {
            it.next();
            QString name = it.fileName();
            keyed.emplace_back(makeKey(name), std::move(name));
        }
        std::sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) { return less(a.first, b.first); });
        shown.clear();
        shown.reserve(qsizetype(keyed.size()));
        for (auto& k : keyed)
            shown.append(std::move(k.second));
        benchmark::DoNotOptimize(shown);
    }
    state.counters["files"] = double(shown.size());
}

// The key: the name case-folded.
void BM_Baseline_QDirIteratorFoldedKey(benchmark::State& state)
{
    listSortedByKey(
        state, [](const QString& name) { return name.toCaseFolded(); },
        [](const QString& a, const QString& b) { return a < b; });
}

// The key: QCollator's sort key (locale-aware order).
void BM_Baseline_QDirIteratorCollatorKey(benchmark::State& state)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    listSortedByKey(
        state, [&](const QString& name) { return collator.sortKey(name); },
        [](const QCollatorSortKey& a, const QCollatorSortKey& b) { return a.compare(b) < 0; });
}

} // namespace

BENCHMARK(BM_Baseline_QDirEntryList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Baseline_QDirIteratorFoldedKey)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Baseline_QDirIteratorCollatorKey)->Unit(benchmark::kMillisecond);
