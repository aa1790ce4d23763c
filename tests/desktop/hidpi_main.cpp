#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Three offscreen screens side by side, at pixel ratios 1, 2 and 1.5, so that
// one window can be shown at each ratio in turn.
int main(int argc, char** argv)
{
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile f(config);
    if (!f.open(QIODevice::WriteOnly))
        return 1;
    f.write(R"({"screens": [
        {"name": "plain", "x": 0, "y": 0, "width": 1000, "height": 800, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
        {"name": "double", "x": 1000, "y": 0, "width": 1000, "height": 800, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 2},
        {"name": "half-again", "x": 2000, "y": 0, "width": 1000, "height": 800, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1.5}
    ]})");
    f.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
    qunsetenv("QT_SCALE_FACTOR");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
