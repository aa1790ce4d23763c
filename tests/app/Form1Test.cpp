#include "WindowFixture.h"

#include <QApplication>
#include <QScrollBar>

using namespace tavrel;

namespace {

struct Placement {
    const char* name;
    int x, y, width, height;
};

// Where people and tools expect each control, by the container it sits in.
const std::pair<const char*, std::vector<Placement>> kPlacements[] = {
    {"form1", {{"Image2", 0, 0, 640, 28}, {"Image6", 8, 0, 25, 25}, {"Command7", 592, 5, 16, 18},
            {"Command8", 616, 5, 16, 18}, {"Command3", 40, 48, 161, 57}, {"Command4", 216, 48, 161, 57},
            {"Drive1", 24, 136, 369, 31}, {"Dir1", 24, 176, 177, 281}, {"File1", 208, 176, 185, 282},
            {"Label3", 424, 216, 88, 61}, {"Text2", 413, 272, 213, 28}, {"Command2", 528, 216, 73, 41},
            {"Label1", 424, 328, 88, 61}, {"text1", 413, 384, 213, 24}, {"Command1", 528, 328, 73, 41},
            {"Image1", 416, 48, 201, 137}, {"Image3", 408, 72, 210, 43}, {"Label6", 568, 112, 65, 33},
            {"Frame1", 8, 136, 193, 201}, {"Frame2", 216, 136, 193, 201}, {"Frame3", 424, 136, 193, 201},
            {"Frame4", 88, 352, 537, 105}, {"Command6", 19, 392, 57, 41}, {"aboutframe", 8, 32, 625, 441},
            {"imageframe", 8, 32, 625, 441}}},
    {"Frame1", {{"noscan", 32, 35, 129, 23}, {"scanlines", 32, 67, 129, 23}, {"quarterscan", 32, 99, 145, 23},
            {"halfscan", 32, 131, 145, 23}, {"doublepixel", 32, 163, 145, 23}}},
    {"Frame2", {{"frm0", 32, 35, 129, 23}, {"frm1", 32, 67, 129, 23}, {"frm2", 32, 99, 145, 23},
            {"frm3", 32, 131, 153, 23}, {"frm4", 32, 163, 145, 23}}},
    {"Frame3", {{"video1", 48, 40, 105, 20}, {"video2", 48, 72, 97, 20}, {"video3", 48, 104, 121, 20},
            {"vsync", 48, 152, 113, 25}}},
    {"Frame4", {{"joycheck", 40, 32, 185, 25}, {"skip", 224, 32, 161, 25}, {"piccheck", 392, 32, 137, 25},
            {"Label9", 104, 67, 104, 27}, {"Text3", 248, 64, 193, 33}}},
    {"aboutframe", {{"Image4", 16, 48, 593, 155}, {"Label5", 16, 256, 600, 29}, {"Label8", 212, 288, 207, 29},
            {"Label7", 16, 320, 599, 29}, {"Label2", 51, 352, 529, 29}}},
    {"imageframe", {{"Drive2", 16, 72, 321, 31}, {"Dir2", 16, 120, 153, 256}, {"File2", 184, 120, 153, 255},
            {"Image5", 360, 104, 241, 193}, {"Label10", 357, 45, 25, 33}, {"Label11", 413, 45, 25, 33},
            {"Label12", 469, 45, 25, 33}, {"Label13", 525, 45, 25, 33}, {"Label14", 581, 45, 25, 33},
            {"Shape1", 344, 40, 49, 49}, {"Shape5", 568, 40, 49, 49}, {"Command14", 360, 312, 76, 47},
            {"Command15", 448, 312, 156, 47}, {"Command9", 360, 368, 244, 47}}},
};

} // namespace

TEST(Form1, AsCreatedControlsSitWhereTheyBelongInTheBrowserViewAndTabOrder)
{
    test::Window win;
    form1& w = win.open(false);
    for (const auto& [container, controls] : kPlacements)
        for (const Placement& p : controls) {
            SCOPED_TRACE(p.name);
            auto* c = w.findChild<QWidget*>(QLatin1String(p.name));
            ASSERT_NE(c, nullptr);
            EXPECT_EQ(c->parentWidget()->objectName(), QLatin1String(container));
            EXPECT_EQ(c->geometry(), QRect(p.x, p.y, p.width, p.height));
        }

    w.show();
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    for (QWidget* hidden : std::initializer_list<QWidget*>{w.Frame1, w.Frame2, w.Frame3, w.Frame4, w.Command6, w.Image1,
                                                           w.Label6, w.aboutframe, w.imageframe, w.Shape1, w.Shape2,
                                                           w.Shape3, w.Shape4, w.Shape5})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    for (QWidget* shown : std::initializer_list<QWidget*>{w.Drive1, w.Dir1, w.File1, w.Text2, w.text1, w.Command1,
                                                          w.Command2, w.Image3, w.Image2, w.Command3, w.Command4})
        EXPECT_TRUE(shown->isVisible()) << shown->objectName().toStdString();
    EXPECT_EQ(w.Command3->backColour(), QColor(128, 128, 128));
    EXPECT_EQ(w.Command4->backColour(), QColor(Qt::black));

    const QList<QWidget*> order{w.Command3, w.Command4, w.Image1, w.Image3, w.noscan, w.scanlines, w.quarterscan,
                                w.halfscan, w.doublepixel, w.frm0, w.frm1, w.frm2, w.frm3, w.frm4, w.video1,
                                w.video2, w.video3, w.vsync, w.joycheck, w.skip, w.Command1, w.Dir1, w.File1,
                                w.Drive1, w.Command6, w.Command8, w.Command7, w.piccheck, w.Command2, w.Text2,
                                w.Drive2, w.Command9, w.File2, w.Dir2, w.Text3, w.Label10, w.Label11, w.Label12,
                                w.Label13, w.Label14, w.Command14, w.Command15, w.Image4, w.Label2};
    QWidget* at = w.Command3;
    for (int i = 1; i < order.size(); ++i) {
        do
            at = at->nextInFocusChain();
        while (!order.contains(at));
        EXPECT_EQ(at, order[i]) << "after " << order[i - 1]->objectName().toStdString();
    }
}

// The view buttons switch views and keep what the user set; Tab visits the selected button of each option group.
TEST(Form1, TabButtonsSwitchViewsAndTabVisitsTheSelectedOptions)
{
    test::Window win;
    win.writeIni("[Scanlines]\r\n1=50\r\n[Frameskip]\r\n1=2\r\n[Video]\r\n1=3\r\n");
    form1& w = win.open();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.Text2->setText("typed, not saved");

    QTest::mouseClick(w.Command4, Qt::LeftButton);
    EXPECT_TRUE(w.Frame1->isVisible() && w.Frame4->isVisible() && w.Command6->isVisible() && w.vsync->isVisible()
                && w.Image3->isVisible());
    EXPECT_FALSE(w.Dir1->isVisible() || w.File1->isVisible() || w.Drive1->isVisible() || w.Text2->isVisible()
                 || w.text1->isVisible() || w.Command1->isVisible() || w.Command2->isVisible());
    EXPECT_EQ(w.Command3->backColour(), QColor(64, 64, 64));
    EXPECT_EQ(w.Command4->backColour(), QColor(128, 128, 128));
    // Each key press moves the focus to the widget given with it.
    auto walk = [](std::initializer_list<std::pair<int, QWidget*>> steps) {
        for (const auto& [key, to] : steps) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
            EXPECT_EQ(QApplication::focusWidget(), to) << to->objectName().toStdString();
        }
    };
    const int tab = Qt::Key_Tab, back = Qt::Key_Backtab;
    // As restored from the file.
    w.Command4->setFocus();
    walk({{tab, w.Image3}, {tab, w.halfscan}, {tab, w.frm2}, {tab, w.video3}, {tab, w.vsync}, {back, w.video3}, {back, w.frm2},
          {back, w.halfscan}, {Qt::Key_Space, w.halfscan}});
    EXPECT_TRUE(w.halfscan->isChecked());
    // Chosen with the arrow keys.
    walk({{Qt::Key_Down, w.doublepixel}, {tab, w.frm2}, {back, w.doublepixel}});
    // Chosen with the mouse.
    QTest::mouseClick(w.frm4, Qt::LeftButton);
    walk({{back, w.doublepixel}, {tab, w.frm4}, {tab, w.video3}});

    QTest::mouseClick(w.Command3, Qt::LeftButton);
    EXPECT_FALSE(w.Frame1->isVisible() || w.Command6->isVisible() || w.Image1->isVisible());
    EXPECT_TRUE(w.Dir1->isVisible() && w.Text2->isVisible() && w.Image3->isVisible());
    EXPECT_EQ(w.Command3->backColour(), QColor(128, 128, 128));
    EXPECT_EQ(w.Command4->backColour(), QColor(64, 64, 64));
    EXPECT_EQ(w.Text2->text(), "typed, not saved");
    EXPECT_TRUE(w.frm4->isChecked() && w.doublepixel->isChecked());

    // Only the exact text "yes" shows the game's picture instead of the logo, and only in the browser view.
    for (const char* value : {"Yes", "no", "yes"}) {
        w.usepics = QLatin1String(value);
        w.Command3_Click();
        EXPECT_EQ(w.Image1->isVisible(), w.usepics == "yes") << value;
        EXPECT_EQ(w.Image3->isVisible(), w.usepics != "yes") << value;
    }
    w.Command4_Click();
    EXPECT_TRUE(w.Image3->isVisible() && !w.Image1->isVisible());
}

// The window moves only by a left drag on the background or title strip and keeps its size; the about
// panel covers the view buttons, links to the web and closes on a left click; minimize, exit and closing
// do what they say.
TEST(Form1, ShownWindowMovesAboutPanelMinimizeExitAndClose)
{
    test::Window win;
    form1& w = win.open();
    w.show();
    const QPoint bare(5, 470);
    ASSERT_EQ(w.childAt(bare), nullptr);
    auto drag = [&](QWidget* target, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent move(QEvent::MouseMove, at, target->mapToGlobal(at), Qt::NoButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        return win.desktop.moves;
    };
    drag(&w, bare, Qt::RightButton);
    drag(&w, bare, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(drag(&w, bare, Qt::NoButton), 0);
    EXPECT_EQ(drag(&w, bare, Qt::LeftButton), 1);
    EXPECT_EQ(drag(w.Image2, QPoint(300, 10), Qt::LeftButton), 2);
    EXPECT_EQ(drag(w.Label3, QPoint(5, 5), Qt::LeftButton), 2);   // over a label the mouse does not move it

    QTest::mouseClick(w.Image3, Qt::LeftButton);
    EXPECT_NE(w.childAt(w.Command3->geometry().center()), w.Command3);
    QTest::mouseClick(w.Label2, Qt::LeftButton);
    EXPECT_EQ(win.desktop.openedUrls, QStringList{w.Label2->text()});
    QTest::mouseClick(w.Image4, Qt::RightButton);
    EXPECT_TRUE(w.aboutframe->isVisible());
    QTest::mouseClick(w.Image4, Qt::LeftButton);
    EXPECT_FALSE(w.aboutframe->isVisible());
    w.resize(800, 600);
    EXPECT_EQ(w.size(), QSize(640, 480));
    QTest::mouseClick(w.Command7, Qt::LeftButton);
    EXPECT_EQ(win.desktop.minimizes, 1);
    QTest::mouseClick(w.Command8, Qt::LeftButton);
    EXPECT_EQ(win.desktop.exits, 1);
    w.close();
    EXPECT_EQ(win.desktop.exits, 2);
    EXPECT_TRUE(win.dialogs.shown.isEmpty());
}

TEST(Form1, ListScrollBarsAreDarkLikeTheLists)
{
    test::Tree tree;
    test::Window win;
    for (int i = 0; i < 40; ++i) {
        tree.file(QStringLiteral("many/game%1.zip").arg(i));
        tree.file(QStringLiteral("many/shot%1.bmp").arg(i));
        tree.dir(QStringLiteral("many/folder%1").arg(i));
        win.volumes.table.append({QStringLiteral("/media/stick%1").arg(i), {}, "vfat"});
    }
    form1& w = win.open();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(w.Dir1->setPath(tree.path("many")));
    ASSERT_TRUE(w.Dir2->setPath(tree.path("many")));
    QApplication::processEvents();   // the lists lay their rows out

    // Mean lightness of what a shown scroll bar shows, 0 black to 1 white.
    auto brightness = [](QScrollBar* bar) {
        const QImage mean = bar->grab().toImage().scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return bar->isVisible() ? QColor(mean.pixel(0, 0)).lightnessF() : 1.0;
    };
    for (QAbstractScrollArea* list : std::initializer_list<QAbstractScrollArea*>{w.Dir1, w.File1, w.Dir2, w.File2}) {
        w.imageframe->setVisible(list == w.Dir2 || list == w.File2);
        EXPECT_LT(brightness(list->verticalScrollBar()), 0.3) << list->objectName().toStdString();
    }
    for (DriveList* list : {w.Drive1, w.Drive2}) {
        w.imageframe->setVisible(list == w.Drive2);
        list->refresh();
        list->showPopup();
        QApplication::processEvents();
        EXPECT_LT(brightness(list->view()->verticalScrollBar()), 0.3) << list->objectName().toStdString();
        list->hidePopup();
    }
}

// A name cut short in a list can be read whole in its tooltip, and both folder lists keep room for the
// names of folders twelve deep.
TEST(Form1, ListsShowWholeNamesTwelveFoldersDown)
{
    test::Tree tree;
    const QString deep = "roms/b/c/d/e/f/g/h/i/j/k/twelfth";   // and "thirteenth" below it
    tree.file(deep + "/Metal Slug 2 - Super Vehicle-001 II (Japan, rev 2).zip");
    tree.picture(deep + "/a title picture with a long name.bmp", "BMP", Qt::red);
    tree.dir(deep + "/thirteenth");
    test::Window win;
    form1& w = win.open();
    w.imageframe->show();
    w.show();
    for (const auto& [dirs, files] : {std::pair{w.Dir1, w.File1}, std::pair{w.Dir2, w.File2}}) {
        SCOPED_TRACE(dirs->objectName().toStdString());
        ASSERT_TRUE(dirs->setPath(tree.path(deep)));
        files->setPath(dirs->path());
        // Each row from "roms" down fits whole (the temporary folder above may have a long name of its own).
        for (int row = dirs->pathRow() - 11; row < dirs->count(); ++row)
            EXPECT_LE(dirs->sizeHintForIndex(dirs->model()->index(row, 0)).width(), dirs->viewport()->width())
                << dirs->itemPath(row).toStdString();
        const QModelIndex file = files->model()->index(0, 0);
        EXPECT_EQ(file.data(Qt::ToolTipRole), file.data());
        EXPECT_EQ(dirs->model()->index(dirs->pathRow(), 0).data(Qt::ToolTipRole), tree.path(deep));
    }
}
