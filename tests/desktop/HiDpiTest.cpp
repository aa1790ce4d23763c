#include "../app/WindowFixture.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <cmath>

using namespace tavrel;

namespace {

// Moves the window to the screen of the given ratio.
void showAt(form1& w, qreal ratio)
{
    for (QScreen* s : QGuiApplication::screens()) {
        if (s->devicePixelRatio() == ratio) {
            w.windowHandle()->setScreen(s);
            w.show();
            ASSERT_EQ(w.devicePixelRatioF(), ratio);
            return;
        }
    }
    FAIL() << "no screen at ratio " << ratio;
}

// A picture made for the ratio: as many device pixels as it covers (give or take the rounding of a
// shrunk one), marked with the ratio; at ratios 1 and 2 the very drawing made for it.
void expectMadeFor(const QPixmap& p, QSize logical, qreal ratio, const char* picture)
{
    SCOPED_TRACE(picture);
    ASSERT_FALSE(p.isNull());
    EXPECT_EQ(p.devicePixelRatio(), ratio);
    EXPECT_LE(std::abs(p.width() - std::lround(logical.width() * ratio)), 1) << p.width();
    EXPECT_LE(std::abs(p.height() - std::lround(logical.height() * ratio)), 1) << p.height();
    if (ratio == 1 || ratio == 2) {
        const QString file = QStringLiteral(":/%1%2.png").arg(QLatin1String(picture), QLatin1String(ratio == 2 ? "@2x" : ""));
        // Compared as a pixmap holds them, so see-through edges round alike.
        const auto format = QImage::Format_ARGB32_Premultiplied;
        EXPECT_TRUE(p.toImage().convertToFormat(format) == QImage(file).convertToFormat(format)) << file.toStdString();
    }
}

} // namespace

TEST(HiDpi, EveryPictureIsDrawnForTheScreensRatio)
{
    test::Window win;
    form1& w = win.open(false);
    w.winId();
    // The bottom left corner: bare background with the frame's amber cap, whose fine detail a blown-up
    // picture would lose.
    const QRect corner(0, 456, 24, 24);
    ASSERT_EQ(w.childAt(corner.center()), nullptr);
    // The same window moves through the screens: its pictures follow it.
    for (qreal ratio : {1.0, 2.0, 1.5, 1.0}) {
        SCOPED_TRACE(ratio);
        showAt(w, ratio);
        expectMadeFor(w.Image2->pixmap(), {640, 27}, ratio, "titlestrip");
        expectMadeFor(w.Image3->pixmap(), {210, 43}, ratio, "logo");
        expectMadeFor(w.Image4->pixmap(), {577, 134}, ratio, "banner");
        const std::pair<QPushButton*, const char*> buttons[] = {
            {w.Command1, "launch"}, {w.Command2, "savename"}, {w.Command3, "browse"}, {w.Command4, "settings"},
            {w.Command6, "savesettings"}, {w.Command7, "minimize"}, {w.Command8, "exit"}};
        for (const auto& [b, picture] : buttons)
            expectMadeFor(b->icon().pixmap(b->iconSize(), ratio), b->iconSize(), ratio, picture);
        expectMadeFor(w.Command1->cursor().pixmap(), {32, 32}, ratio, "pointer");
        expectMadeFor(w.Image1->cursor().pixmap(), {32, 32}, ratio, "pointer");
        expectMadeFor(w.Command8->cursor().pixmap(), {32, 32}, ratio, "pointer-window");
        // The hot spot stays on the fingertip, in logical pixels.
        EXPECT_EQ(w.Command1->cursor().hotSpot(), QPoint(11, 1));
        if (ratio != 1.5) {
            const QRect device(corner.topLeft() * ratio, corner.size() * ratio);
            const QImage art(QString::fromLatin1(ratio == 2 ? ":/background@2x.png" : ":/background.png"));
            EXPECT_EQ(w.grab().toImage().convertToFormat(QImage::Format_RGB32).copy(device),
                      art.convertToFormat(QImage::Format_RGB32).copy(device));
        }
    }
    // The desktop picks the window icon in its own pixels.
    QList<QSize> sizes = w.windowIcon().availableSizes();
    for (QSize side : {QSize(16, 16), QSize(32, 32), QSize(64, 64)})
        EXPECT_GT(sizes.removeAll(side), 0) << side.width();
    EXPECT_TRUE(sizes.isEmpty());
}

// A game's picture is decoded at the device pixels it covers and shown at its logical size, in the main
// window and in the preview.
TEST(HiDpi, PicturesAreDecodedAtTheDevicePixelsTheyCover)
{
    test::Tree tree;
    tree.picture("pics/shot.png", "PNG", Qt::white, QSize(1600, 1200));
    test::Window win;
    form1& w = win.open();
    w.winId();
    showAt(w, 2.0);

    const auto expectDense = [](const QLabel* shown) {
        EXPECT_EQ(shown->pixmap().devicePixelRatio(), 2.0);
        EXPECT_EQ(shown->pixmap().size(), shown->contentsRect().size() * 2) << shown->objectName().toStdString();
    };
    w.currentpic1 = tree.path("pics/shot.png");
    w.menus()->mnupic1->trigger();
    expectDense(w.Image1);
    w.menus()->mnuloadpicselect->trigger();
    ASSERT_TRUE(w.Dir2->setPath(tree.path("pics")));
    w.File2->selectRow(0);
    expectDense(w.Image5);
}

TEST(HiDpi, DriveBoxBorderRunsUnderItsArrow)
{
    test::Window win;
    form1& w = win.open(false);
    w.winId();
    for (qreal ratio : {1.0, 1.5, 2.0}) {
        SCOPED_TRACE(ratio);
        showAt(w, ratio);
        const QImage box = w.Drive1->grab().toImage();
        // The two lowest rows of pixels (where the border lies at 150 %), left of the text and under the arrow.
        for (int y = box.height() - 2; y < box.height(); ++y)
            EXPECT_EQ(box.pixelColor(2, y), box.pixelColor(box.width() - 8, y)) << y;
    }
}
