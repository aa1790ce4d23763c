#include <QApplication>
#include <gtest/gtest.h>

// Widget tests on a screen scaled to 200 %, as on a HiDPI desktop.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
