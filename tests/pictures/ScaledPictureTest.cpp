#include "../app/WindowFixture.h"

using namespace tavrel;

// A game's picture on a screen scaled to 200 %: decoded at the device pixels it covers and shown at its
// logical size, in the main window and in the preview.
TEST(ScaledPictures, AreDecodedAtTheDevicePixelsTheyCover)
{
    test::Tree tree;
    tree.picture("pics/shot.png", "PNG", Qt::white, QSize(1600, 1200));
    test::Window win;
    form1& w = win.open();
    w.show();
    ASSERT_EQ(w.devicePixelRatioF(), 2.0);

    w.currentpic1 = tree.path("pics/shot.png");
    w.menus()->mnupic1->trigger();
    const QPixmap main = w.Image1->pixmap();
    EXPECT_EQ(main.devicePixelRatio(), 2.0);
    EXPECT_EQ(main.size(), w.Image1->contentsRect().size() * 2);
    EXPECT_EQ(main.deviceIndependentSize().toSize(), w.Image1->contentsRect().size());

    w.menus()->mnuloadpicselect->trigger();
    ASSERT_TRUE(w.Dir2->setPath(tree.path("pics")));
    w.File2->selectRow(0);
    ASSERT_TRUE(win.dialogs.shown.isEmpty());
    const QPixmap preview = w.Image5->pixmap();
    EXPECT_EQ(preview.devicePixelRatio(), 2.0);
    EXPECT_EQ(preview.size(), w.Image5->contentsRect().size() * 2);
}
