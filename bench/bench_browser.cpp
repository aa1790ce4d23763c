// The ROM browser on a full folder with a full settings file: what a user waits for
// when opening the folder and when walking through its games.
#include "app/Form1.h"
#include "paths/Paths.h"
#include "RecordingDesktop.h"
#include "ScriptedDialogs.h"
#include "platform/DirList.h"
#include "platform/FileList.h"
#include "platform/Pictures.h"
#include "platform/Volumes.h"

#include "RomFolder.h"
#include "Teardown.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// 100,000 records of six keys: one per archive of the folder, the rest for games elsewhere.
struct Browser {
    QTemporaryDir programDir;
    tavrel::ScriptedDialogs dialogs;
    tavrel::RecordingDesktop desktop;
    tavrel::QtVolumes volumes;
    std::unique_ptr<tavrel::form1> window;

    Browser()
    {
        const QString folder = QDir(romFolder()).canonicalPath().toLower();
        QFile ini(programDir.filePath(QStringLiteral("tavrel.ini")));
        ini.open(QIODevice::WriteOnly);
        const QStringList names = QDir(romFolder()).entryList(QDir::Files);
        int records = 0;
        auto record = [&](const QString& section) {
            ini.write(QStringLiteral("[%1]\r\ngamename=%2\r\npicture=\r\npicture2=\r\npicture3=\r\npicture4=\r\n"
                                     "picture5=\r\n")
                          .arg(section, QStringLiteral("Game %1").arg(records++))
                          .toUtf8());
        };
        for (const QString& name : names) {
            if (name.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive))
                record(tavrel::joinPath(folder, name.toLower()));
        }
        while (records < 100000)
            record(QStringLiteral("/elsewhere/roms/game %1.zip").arg(records));
        ini.close();

        const QString dir = programDir.path() + QLatin1Char('/');
        window = std::make_unique<tavrel::form1>(tavrel::ProgramFiles{dir, dir + QStringLiteral("TVRShell.pif")},
                                                 tavrel::Platform{dialogs, desktop, volumes});
        window->Form_Load();
        window->show();
        window->Dir1->setPath(romFolder());
    }
};

Browser& browser()
{
    static std::unique_ptr<Browser> b;
    if (!b) {
        b = std::make_unique<Browser>();
        releaseBeforeExit([] { b.reset(); });
    }
    return *b;
}

void BM_Dir1ChangeOnAFullFolderAndPaint(benchmark::State& state)
{
    tavrel::form1& w = *browser().window;
    for (auto _ : state) {
        w.Dir1_Change();
        w.File1->repaint();
    }
    state.counters["archives"] = w.File1->count();
}
BENCHMARK(BM_Dir1ChangeOnAFullFolderAndPaint)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_SelectAGameWithAFullSettingsFile(benchmark::State& state)
{
    tavrel::form1& w = *browser().window;
    int row = 0;
    for (auto _ : state) {
        w.File1->selectRow(row);  // File1_Click: game path, six reads, picture 1 requested
        row = (row + 7919) % w.File1->count();
    }
    if (w.Text2->text().isEmpty())
        state.SkipWithError("no record was found");
}
BENCHMARK(BM_SelectAGameWithAFullSettingsFile)->Unit(benchmark::kMicrosecond);

// A 4000 by 3000 screenshot decoded for Image1 (201 by 137) at a device pixel
// ratio of 1 and 2, and whole (ratio 0).
void BM_LoadPicture(benchmark::State& state)
{
    static QTemporaryDir dir;
    static const QString path = [] {
        QImage big(4000, 3000, QImage::Format_RGB32);
        for (int y = 0; y < big.height(); ++y) {
            for (int x = 0; x < big.width(); ++x)
                big.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
        }
        const QString p = dir.filePath(QStringLiteral("shot.jpg"));
        big.save(p, "JPG", 90);
        return p;
    }();
    const QSize shown = tavrel::decodeSizeFor(QSize(201, 137), qreal(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(tavrel::loadPicture(path, shown));
}
BENCHMARK(BM_LoadPicture)->Arg(1)->Arg(2)->Arg(0)->ArgNames({"ratio"})->Unit(benchmark::kMillisecond);

} // namespace
