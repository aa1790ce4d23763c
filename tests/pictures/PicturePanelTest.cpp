#include "../app/TreeFixture.h"
#include "../app/WindowFixture.h"

#include "platform/DirList.h"
#include "platform/FileList.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

using namespace tavrel;

namespace {

const QString kBadSlot =
    QStringLiteral("Error: Either this is an invalid image, or\nthe file is not there. Use a JPG, BMP, or GIF.");

class PicturePanel : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.file(QStringLiteral("roms/MSLUG.ZIP"));
        tree.file(QStringLiteral("roms/other.zip"));
        tree.picture(QStringLiteral("pics/title.BMP"), "BMP", Qt::red);
        tree.picture(QStringLiteral("pics/play.jpg"), "JPG", Qt::blue);
        tree.picture(QStringLiteral("pics/anim.GIF"), "GIF", Qt::green);
        tree.picture(QStringLiteral("pics/shot.png"), "PNG", Qt::white);
        tree.file(QStringLiteral("pics/fake.Jpg"), "no picture in here");
        game = tree.gamePath(QStringLiteral("roms/mslug.zip"));
        win.writeIni(QStringLiteral("[%1]\r\ngamename=Metal Slug\r\npicture=%2\r\npicture3=%3\r\n[keep]\r\nx=1\r\n")
                         .arg(game, tree.path(QStringLiteral("pics/title.BMP")), tree.path(QStringLiteral("pics/gone.jpg")))
                         .toUtf8());
        win.open().show();
        ASSERT_TRUE(w().Dir1->setPath(tree.path(QStringLiteral("roms"))));
        test::selectFile(w().File1, QStringLiteral("MSLUG.ZIP"));
        w().menus()->mnuloadpicselect->trigger();
        ASSERT_TRUE(w().Dir2->setPath(tree.path(QStringLiteral("pics"))));
    }

    form1& w() { return *win.w; }
    int chosenSlot() const
    {
        int chosen = 0;
        const Shape* const shapes[] = {win.w->Shape1, win.w->Shape2, win.w->Shape3, win.w->Shape4, win.w->Shape5};
        for (int i = 0; i < 5; ++i) {
            if (shapes[i]->isVisible())
                chosen = chosen ? -1 : i + 1;
        }
        return chosen;
    }
    QColor preview() const
    {
        const QPixmap p = win.w->Image5->pixmap();
        return p.isNull() ? QColor() : p.toImage().pixelColor(p.width() / 2, p.height() / 2);
    }

    test::Tree tree;
    test::Window win;
    QString game;
};

} // namespace

TEST_F(PicturePanel, OpensOnSlotOneAndBrowsesPictureFiles)
{
    EXPECT_TRUE(w().imageframe->isVisible());
    EXPECT_EQ(chosenSlot(), 1);
    EXPECT_EQ(preview(), QColor(Qt::red));
    EXPECT_EQ(w().File2->count(), 4);  // BMP, JPG and GIF in any letter case; not PNG
    EXPECT_EQ(w().File2->item(0), QStringLiteral("anim.GIF"));

    // A digit chooses its slot and previews its stored picture.
    QTest::mouseClick(w().Label13, Qt::LeftButton);
    EXPECT_EQ(chosenSlot(), 4);
    EXPECT_FALSE(preview().isValid());
    EXPECT_TRUE(win.dialogs.shown.isEmpty());
    QTest::mouseClick(w().Label12, Qt::LeftButton);
    EXPECT_EQ(chosenSlot(), 3);
    EXPECT_EQ(win.dialogs.shown, QStringList{kBadSlot});
    EXPECT_FALSE(preview().isValid());

    // A picked file previews; one that holds no picture says so and leaves the preview empty.
    win.dialogs.shown.clear();
    test::selectFile(w().File2, QStringLiteral("play.jpg"));
    EXPECT_EQ(preview().blue() > 200, true);
    test::selectFile(w().File2, QStringLiteral("fake.Jpg"));
    EXPECT_EQ(win.dialogs.shown, QStringList{"Error: Unable to load picture."});
    EXPECT_FALSE(preview().isValid());
    // A header promising 60000 by 60000 pixels is refused, not allocated.
    QByteArray huge = QByteArray("BM") + QByteArray::fromHex("3600000000000000360000002800000060ea000060ea0000"
                                                          "010018000000000000000000000000000000000000000000");
    tree.file(QStringLiteral("pics/huge.bmp"), huge);
    w().File2->refresh();
    test::selectFile(w().File2, QStringLiteral("huge.bmp"));
    EXPECT_EQ(win.dialogs.shown.size(), 2);
    EXPECT_FALSE(preview().isValid());
    EXPECT_EQ(chosenSlot(), 3);
}

TEST_F(PicturePanel, StoreWritesTheChosenSlotAndFinishedSelectingShowsIt)
{
    const QByteArray before = win.iniBytes();
    test::selectFile(w().File2, QStringLiteral("anim.GIF"));
    QTest::mouseClick(w().Label13, Qt::LeftButton);  // the preview now shows slot 4, the file stays selected
    QTest::mouseClick(w().Command14, Qt::LeftButton);
    const QString gif = tree.path(QStringLiteral("pics/anim.GIF"));
    EXPECT_EQ(win.dialogs.shown.last(), QStringLiteral("Picture 4 for %1 stored.").arg(game));
    EXPECT_EQ(w().pictname, gif);
    // Only the one key is added; nothing else in the file moves.
    QByteArray expected = before;
    expected.insert(expected.indexOf("[keep]"), QStringLiteral("picture4=%1\r\n").arg(gif).toUtf8());
    EXPECT_EQ(win.iniBytes(), expected);
    EXPECT_TRUE(w().currentpic4.isEmpty());  // caught up only by Finished Selecting

    test::selectFile(w().File2, QStringLiteral("play.jpg"));
    QTest::mouseClick(w().Label10, Qt::LeftButton);
    w().Command14_Click();
    EXPECT_EQ(w().currentpic1, tree.path(QStringLiteral("pics/title.BMP")));
    w().menus()->mnupic4->trigger();

    QTest::mouseClick(w().Command9, Qt::LeftButton);
    EXPECT_FALSE(w().imageframe->isVisible());
    EXPECT_EQ(w().text1->text(), game);
    EXPECT_EQ(w().currentpic1, tree.path(QStringLiteral("pics/play.jpg")));
    EXPECT_EQ(w().currentpic4, gif);
    EXPECT_TRUE(w().menus()->mnupic1->isChecked());
    EXPECT_EQ(w().Image1->pixmap().toImage().pixelColor(5, 5).blue() > 200, true);

    // Every slot has its own key.
    w().menus()->mnuloadpicselect->trigger();
    test::selectFile(w().File2, QStringLiteral("anim.GIF"));
    ClickLabel* const digits[] = {w().Label11, w().Label12, w().Label14};
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(digits[i], Qt::LeftButton);
        w().Command14_Click();
    }
    EXPECT_TRUE(win.iniBytes().contains(QStringLiteral("picture3=%1\r\npicture4=%1\r\npicture2=%1\r\npicture5=%1\r\n")
                                            .arg(gif)
                                            .toUtf8()));
}

TEST_F(PicturePanel, StoreNeedsASelectedFileAndRemoveEmptiesAllFiveKeys)
{
    ASSERT_TRUE(w().Dir2->setPath(tree.path(QStringLiteral("roms"))));
    const QByteArray before = win.iniBytes();
    w().Command14_Click();
    EXPECT_EQ(win.iniBytes(), before);
    EXPECT_TRUE(win.dialogs.shown.isEmpty());

    QTest::mouseClick(w().Command15, Qt::LeftButton);
    EXPECT_EQ(win.dialogs.shown, QStringList{QStringLiteral("Picture references for %1 removed!\n"
                                                            "You do not have to hit 'Store' to save this.")
                                                 .arg(game)});
    EXPECT_EQ(win.iniBytes(), QStringLiteral("[%1]\r\ngamename=Metal Slug\r\npicture=\r\npicture3=\r\npicture2=\r\n"
                                             "picture4=\r\npicture5=\r\n[keep]\r\nx=1\r\n")
                                  .arg(game)
                                  .toUtf8());
    EXPECT_FALSE(w().currentpic1.isEmpty());

    // Finished Selecting for a directory reloads the directory's record.
    w().Dir1_Change();
    w().menus()->mnuloadpicselect->trigger();
    w().Command9_Click();
    EXPECT_EQ(w().text1->text(), tree.gamePath(QStringLiteral("roms")));
    EXPECT_EQ(w().File1->selectedRow(), -1);
}

TEST_F(PicturePanel, WritesThatFailSaySoAndStoreNothing)
{
    test::selectFile(w().File2, QStringLiteral("play.jpg"));
    QFile::remove(win.iniPath());
    QDir().mkdir(win.iniPath());
    w().Command14_Click();
    w().Command15_Click();
    EXPECT_EQ(win.dialogs.shown,
              (QStringList{"Error: Unable to store the picture.", "Error: Unable to remove the pictures."}));

    // A picture path holding a line break is refused the same way.
    QDir().rmdir(win.iniPath());
    tree.picture(QStringLiteral("pics/two\nlines.gif"), "GIF", Qt::green);
    w().File2->refresh();
    test::selectFile(w().File2, QStringLiteral("two\nlines.gif"));
    win.dialogs.shown.clear();
    w().Command14_Click();
    EXPECT_EQ(win.dialogs.shown, QStringList{"Error: Unable to store the picture."});
    EXPECT_FALSE(QFile::exists(win.iniPath()));
}

namespace {

// Clicks a listed file with the mouse, as the user does.
void clickFile(FileList* list, const QString& name, Qt::KeyboardModifiers modifiers = {})
{
    const int row = int(test::listedFiles(list).indexOf(name));
    ASSERT_GE(row, 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                      list->visualRect(list->model()->index(row, 0)).center());
}

} // namespace

TEST_F(PicturePanel, AFailedLoadSaysSoWhileTheOldPictureIsStillShown)
{
    // What each image held at the moment each message appeared.
    QList<bool> previewHeld, mainHeld;
    win.dialogs.onMessage = [&](const QString&) {
        previewHeld << !w().Image5->pixmap().isNull();
        mainHeld << !w().Image1->pixmap().isNull();
    };
    ASSERT_EQ(preview(), QColor(Qt::red));
    QTest::mouseClick(w().Label12, Qt::LeftButton);  // slot 3: its file is gone
    EXPECT_EQ(win.dialogs.shown, QStringList{kBadSlot});
    EXPECT_FALSE(preview().isValid());

    clickFile(w().File2, QStringLiteral("play.jpg"));
    ASSERT_TRUE(preview().isValid());
    clickFile(w().File2, QStringLiteral("fake.Jpg"));
    EXPECT_EQ(win.dialogs.shown.last(), QStringLiteral("Error: Unable to load picture."));
    EXPECT_FALSE(preview().isValid());
    EXPECT_EQ(previewHeld, (QList<bool>{true, true}));

    // The same in the main window's image.
    ASSERT_FALSE(w().Image1->pixmap().isNull());
    w().menus()->mnupic3->trigger();
    EXPECT_EQ(win.dialogs.shown.size(), 3);
    EXPECT_EQ(mainHeld.value(2), true);
    EXPECT_TRUE(w().Image1->pixmap().isNull());
    EXPECT_TRUE(w().menus()->mnupic3->isChecked());

    // No picture stored: cleared at once, nothing said.
    w().menus()->mnupic1->trigger();
    ASSERT_FALSE(w().Image1->pixmap().isNull());
    w().menus()->mnupic2->trigger();
    EXPECT_TRUE(w().Image1->pixmap().isNull());
    clickFile(w().File2, QStringLiteral("play.jpg"));
    QTest::mouseClick(w().Label11, Qt::LeftButton);
    EXPECT_FALSE(preview().isValid());
    EXPECT_EQ(win.dialogs.shown.size(), 3);
}

TEST_F(PicturePanel, ClickingTheSelectedFileAgainPreviewsItAgain)
{
    clickFile(w().File2, QStringLiteral("play.jpg"));
    ASSERT_GT(preview().blue(), 200);
    QTest::mouseClick(w().Label13, Qt::LeftButton);  // slot 4 is empty: the preview goes
    ASSERT_FALSE(preview().isValid());
    clickFile(w().File2, QStringLiteral("play.jpg"));
    EXPECT_GT(preview().blue(), 200);
    EXPECT_EQ(w().File2->fileName(), QStringLiteral("play.jpg"));

    // A file that cannot be shown says so at every click.
    clickFile(w().File2, QStringLiteral("fake.Jpg"));
    clickFile(w().File2, QStringLiteral("fake.Jpg"));
    EXPECT_EQ(win.dialogs.shown, QStringList(2, QStringLiteral("Error: Unable to load picture.")));
    // Keys that leave the selection where it is preview nothing.
    QTest::keyClick(w().File2, Qt::Key_Space);
    EXPECT_EQ(win.dialogs.shown.size(), 2);
}

TEST_F(PicturePanel, ReopeningKeepsTheUsersFolderAndFile)
{
    clickFile(w().File2, QStringLiteral("play.jpg"));
    const QString pics = w().Dir2->path();
    QTest::mouseClick(w().Command9, Qt::LeftButton);
    w().menus()->mnuloadpicselect->trigger();
    EXPECT_EQ(w().Dir2->path(), pics);
    EXPECT_EQ(w().File2->fileName(), QStringLiteral("play.jpg"));
    EXPECT_EQ(preview(), QColor(Qt::red));  // slot 1 chosen again, its picture shown
    QTest::mouseClick(w().Command14, Qt::LeftButton);
    EXPECT_EQ(win.dialogs.shown, QStringList{QStringLiteral("Picture 1 for %1 stored.").arg(game)});
    EXPECT_TRUE(win.iniBytes().contains(QStringLiteral("picture=%1\r\n").arg(tree.path("pics/play.jpg")).toUtf8()));

    // New files are seen; a selected file that has gone is no longer selected.
    tree.picture(QStringLiteral("pics/new.bmp"), "BMP", Qt::yellow);
    w().menus()->mnuloadpicselect->trigger();
    EXPECT_EQ(w().File2->count(), 5);
    EXPECT_EQ(w().File2->fileName(), QStringLiteral("play.jpg"));
    QFile::remove(tree.path(QStringLiteral("pics/play.jpg")));
    w().menus()->mnuloadpicselect->trigger();
    EXPECT_EQ(w().File2->selectedRow(), -1);

    // The list's own refresh command still leaves nothing selected.
    clickFile(w().File2, QStringLiteral("anim.GIF"));
    w().menus()->refreshpic->trigger();
    EXPECT_EQ(w().File2->selectedRow(), -1);
}

TEST_F(PicturePanel, CtrlClickCannotUnselectTheChosenFiles)
{
    clickFile(w().File2, QStringLiteral("play.jpg"));
    clickFile(w().File2, QStringLiteral("play.jpg"), Qt::ControlModifier);
    EXPECT_EQ(w().File2->fileName(), QStringLiteral("play.jpg"));

    QTest::mouseClick(w().Command9, Qt::LeftButton);
    clickFile(w().File1, QStringLiteral("other.zip"));
    const QString archive = tree.gamePath(QStringLiteral("roms/other.zip"));
    ASSERT_EQ(w().text1->text(), archive);
    clickFile(w().File1, QStringLiteral("other.zip"), Qt::ControlModifier);
    QTest::keyClick(w().File1, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(w().File1->fileName(), QStringLiteral("other.zip"));
    EXPECT_EQ(w().text1->text(), archive);
}
