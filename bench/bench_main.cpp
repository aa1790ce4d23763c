// The benchmarks drive widgets, so they need an application object; no
// display is needed.
#include "Teardown.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <vector>

namespace {
std::vector<std::function<void()>>& kept()
{
    static std::vector<std::function<void()>> releases;
    return releases;
}
} // namespace

void releaseBeforeExit(std::function<void()> release)
{
    kept().push_back(std::move(release));
}

void releaseAll()
{
    while (!kept().empty()) {
        const std::function<void()> release = std::move(kept().back());
        kept().pop_back();
        release();
    }
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    releaseAll();
    return 0;
}
