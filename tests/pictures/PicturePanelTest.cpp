#include "../app/WindowFixture.h"

using namespace tavrel;

namespace {

const QString kBadSlot = "Error: Either this is an invalid image, or\nthe file is not there. Use a JPG, BMP, or GIF.";
const QString kBadFile = "Error: Unable to load picture.";

// The panel open for MSLUG.ZIP, whose first picture is stored and whose third is gone, on the folder of pictures.
class PicturePanel : public test::WindowOnTree {
protected:
    void SetUp() override
    {
        files({"roms/MSLUG.ZIP", "roms/other.zip"});
        tree.picture("pics/title.BMP", "BMP", Qt::red);
        tree.picture("pics/play.jpg", "JPG", Qt::blue);
        tree.picture("pics/anim.GIF", "GIF", Qt::green);
        tree.picture("pics/shot.png", "PNG", Qt::white);
        tree.file("pics/fake.Jpg", "no picture in here");
        game = tree.gamePath("roms/mslug.zip");
        openOnRoms(QStringLiteral("[%1]\r\ngamename=Metal Slug\r\npicture=%2\r\npicture3=%3\r\n[keep]\r\nx=1\r\n")
                       .arg(game, tree.path("pics/title.BMP"), tree.path("pics/gone.jpg")));
        test::selectFile(w().File1, "MSLUG.ZIP");
        menus().mnuloadpicselect->trigger();
        ASSERT_TRUE(w().Dir2->setPath(tree.path("pics")));
    }

    // The slot whose frame shows: 0 for none, -1 for more than one.
    int chosenSlot() const
    {
        int chosen = 0;
        for (int i = 1; i <= 5; ++i)
            if (win.w->findChild<QWidget*>(QStringLiteral("Shape%1").arg(i))->isVisible())
                chosen = chosen ? -1 : i;
        return chosen;
    }
    QColor preview() const
    {
        const QPixmap p = win.w->Image5->pixmap();
        return p.isNull() ? QColor() : p.toImage().pixelColor(p.width() / 2, p.height() / 2);
    }
    void click(const QString& name, Qt::KeyboardModifiers modifiers = {}) { test::clickFile(w().File2, name, modifiers); }

    QString game;
};

} // namespace

TEST_F(PicturePanel, StoreWritesTheChosenSlotAndFinishedSelectingShowsIt)
{
    const QByteArray before = win.iniBytes();
    test::selectFile(w().File2, "anim.GIF");
    QTest::mouseClick(w().Label14, Qt::LeftButton);  // the preview now shows slot 5, the file stays selected
    QTest::mouseClick(w().Command14, Qt::LeftButton);
    const QString gif = tree.path("pics/anim.GIF");
    EXPECT_EQ(win.dialogs.shown.last(), QStringLiteral("Picture 5 for %1 stored.").arg(game));
    // Only the one key is added; nothing else in the file moves.
    QByteArray expected = before;
    expected.insert(expected.indexOf("[keep]"), QStringLiteral("picture5=%1\r\n").arg(gif).toUtf8());
    EXPECT_EQ(win.iniBytes(), expected);
    EXPECT_TRUE(w().currentpic5.isEmpty());  // caught up only by Finished Selecting

    test::selectFile(w().File2, "play.jpg");
    QTest::mouseClick(w().Label10, Qt::LeftButton);
    w().Command14_Click();
    menus().mnupic4->trigger();

    QTest::mouseClick(w().Command9, Qt::LeftButton);
    EXPECT_FALSE(w().imageframe->isVisible());
    EXPECT_EQ(w().text1->text(), game);
    EXPECT_EQ(w().currentpic5, gif);
    EXPECT_TRUE(menus().mnupic1->isChecked());
    EXPECT_GT(w().Image1->pixmap().toImage().pixelColor(5, 5).blue(), 200);
}

TEST_F(PicturePanel, StoreNeedsASelectedFileAndRemoveEmptiesAllFiveKeys)
{
    ASSERT_TRUE(w().Dir2->setPath(tree.path("roms")));
    const QByteArray before = win.iniBytes();
    w().Command14_Click();
    EXPECT_TRUE(win.iniBytes() == before && win.dialogs.shown.isEmpty());

    QTest::mouseClick(w().Command15, Qt::LeftButton);
    EXPECT_EQ(win.dialogs.shown,
              QStringList{QStringLiteral("Picture references for %1 removed!\nYou do not have to hit 'Store' to save this.").arg(game)});
    EXPECT_EQ(win.iniBytes(), QStringLiteral("[%1]\r\ngamename=Metal Slug\r\npicture=\r\npicture3=\r\npicture2=\r\n"
                                             "picture4=\r\npicture5=\r\n[keep]\r\nx=1\r\n").arg(game).toUtf8());
    EXPECT_FALSE(w().currentpic1.isEmpty());

    // Finished Selecting for a directory reloads the directory's record.
    w().Dir1_Change();
    menus().mnuloadpicselect->trigger();
    w().Command9_Click();
    EXPECT_EQ(w().text1->text(), tree.gamePath("roms"));
    EXPECT_EQ(w().File1->selectedRow(), -1);
}

TEST_F(PicturePanel, AFailedLoadOrWriteSaysSoWhileTheOldPictureIsStillShown)
{
    // What each image held at the moment each message appeared.
    QList<bool> previewHeld, mainHeld;
    win.dialogs.onMessage = [&](const QString&) {
        previewHeld << !w().Image5->pixmap().isNull();
        mainHeld << !w().Image1->pixmap().isNull();
    };
    QTest::mouseClick(w().Label12, Qt::LeftButton);  // slot 3: its file is gone
    EXPECT_EQ(win.dialogs.shown, QStringList{kBadSlot});
    EXPECT_FALSE(preview().isValid());

    click("play.jpg");
    click("fake.Jpg");
    EXPECT_EQ(win.dialogs.shown.last(), kBadFile);
    EXPECT_FALSE(preview().isValid());
    EXPECT_EQ(previewHeld, (QList<bool>{true, true}));

    // The same in the main window's image.
    menus().mnupic3->trigger();
    EXPECT_EQ(win.dialogs.shown.size(), 3);
    EXPECT_EQ(mainHeld.value(2), true);
    EXPECT_TRUE(w().Image1->pixmap().isNull() && menus().mnupic3->isChecked());

    // A directory where the settings file belongs cannot be written: each command that writes says so.
    test::selectFile(w().File2, "play.jpg");
    QFile::remove(win.iniPath());
    QDir().mkdir(win.iniPath());
    w().Command14_Click();
    w().Command15_Click();
    w().Command6_Click();
    EXPECT_EQ(win.dialogs.shown.mid(3), (QStringList{"Error: Unable to store the picture.", "Error: Unable to remove the pictures.",
                                                     "Error: Unable to save settings.\n" + win.iniPath()}));
}

// The panel opens on slot 1 over the picture files; a click on the selected file previews it again;
// closing and reopening the panel keeps the user's place.
TEST_F(PicturePanel, BrowsesPicturesAndKeepsTheUsersPlace)
{
    EXPECT_EQ(chosenSlot(), 1);
    EXPECT_EQ(preview(), QColor(Qt::red));
    EXPECT_EQ(test::listedFiles(w().File2), (QStringList{"anim.GIF", "fake.Jpg", "play.jpg", "title.BMP"}));
    click("play.jpg");
    EXPECT_GT(preview().blue(), 200);
    // A digit chooses its slot and previews its stored picture: none here, and nothing said.
    QTest::mouseClick(w().Label13, Qt::LeftButton);
    EXPECT_EQ(chosenSlot(), 4);
    EXPECT_TRUE(!preview().isValid() && win.dialogs.shown.isEmpty());
    click("play.jpg");
    EXPECT_GT(preview().blue(), 200);

    QTest::mouseClick(w().Command9, Qt::LeftButton);
    menus().mnuloadpicselect->trigger();
    EXPECT_TRUE(w().Dir2->path() == tree.path("pics") && w().File2->fileName() == "play.jpg");
    EXPECT_EQ(preview(), QColor(Qt::red));  // slot 1 chosen again, its picture shown
    QTest::mouseClick(w().Command14, Qt::LeftButton);
    EXPECT_EQ(win.dialogs.shown, QStringList{QStringLiteral("Picture 1 for %1 stored.").arg(game)});
    EXPECT_TRUE(win.iniBytes().contains(QStringLiteral("picture=%1\r\n").arg(tree.path("pics/play.jpg")).toUtf8()));

    // New files are seen; a selected file that has gone is no longer selected.
    tree.picture("pics/new.bmp", "BMP", Qt::yellow);
    menus().mnuloadpicselect->trigger();
    EXPECT_TRUE(w().File2->count() == 5 && w().File2->fileName() == "play.jpg");
    QFile::remove(tree.path("pics/play.jpg"));
    menus().mnuloadpicselect->trigger();
    EXPECT_EQ(w().File2->selectedRow(), -1);

    // The list's own refresh command still leaves nothing selected.
    click("anim.GIF");
    menus().refreshpic->trigger();
    EXPECT_EQ(w().File2->selectedRow(), -1);
}
