#include "../app/WindowFixture.h"

#include <QSignalSpy>

using namespace tavrel;

namespace {

class Browser : public test::WindowOnTree {
protected:
    void SetUp() override
    {
        files({"roms/MSLUG.ZIP", "roms/b.zip", "roms/c.Zip", "roms/Puzzle Bobble [!].zip", "roms/readme.txt",
               "other/x.zip"});
        tree.dir("roms/folder.zip");
        tree.dir("empty");
        QFile::link(tree.path("other"), tree.path("roms/linked"));
        tree.picture("pics/title.png", "PNG", Qt::red);
        tree.picture("pics/play.jpg", "JPG", Qt::blue);
        openOnRoms(QStringLiteral("[%1]\r\ngamename=Metal Slug\r\npicture=%2\r\npicture2=%3\r\n"
                                  "[%4]\r\ngamename=My ROM folder\r\n[%5]\r\ngamename=Bobble\r\npicture=%6\r\n")
                       .arg(tree.gamePath("roms/mslug.zip"), tree.path("pics/title.png"), tree.path("pics/play.jpg"),
                            tree.gamePath("roms"), tree.gamePath("roms/puzzle bobble [!].zip"),
                            tree.path("pics/gone.png")));
    }

    QStringList listed() const { return test::listedFiles(win.w->File1); }
    void select(const QString& name) { test::clickFile(w().File1, name); }
    bool showsPicture() const { return !win.w->Image1->pixmap().isNull(); }
    QColor shown() const { return win.w->Image1->pixmap().toImage().pixelColor(5, 5); }
};

} // namespace

TEST_F(Browser, DirectoryChangeListsArchivesAndLoadsTheDirectorysRecord)
{
    EXPECT_EQ(listed(), (QStringList{"b.zip", "c.Zip", "MSLUG.ZIP", "Puzzle Bobble [!].zip"}));
    EXPECT_EQ(w().File1->selectedRow(), -1);
    EXPECT_EQ(w().text1->text(), tree.gamePath("roms"));
    EXPECT_EQ(w().Text2->text(), "My ROM folder");
    EXPECT_FALSE(showsPicture());

    // Through a link the same folder has the same game path, so the same record.
    ASSERT_TRUE(w().Dir1->setPath(tree.path("roms/linked")));
    EXPECT_EQ(w().text1->text(), tree.gamePath("other"));
    EXPECT_EQ(listed(), QStringList{"x.zip"});
    ASSERT_TRUE(w().Dir1->setPath(tree.path("empty")));
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_TRUE(w().Text2->text().isEmpty());
    ASSERT_TRUE(w().Dir1->setPath("/"));
    EXPECT_EQ(w().text1->text(), "/");
    EXPECT_TRUE(win.dialogs.shown.isEmpty());
}

TEST_F(Browser, SelectingAnArchiveShowsItsRecordAndPictureOneAndTheMenuTheOthers)
{
    select("MSLUG.ZIP");
    EXPECT_EQ(w().text1->text(), tree.gamePath("roms/mslug.zip"));
    EXPECT_EQ(w().Text2->text(), "Metal Slug");
    EXPECT_EQ(shown(), QColor(Qt::red));

    // The picture menu shows each picture with its mark; one not stored empties the image silently.
    const Menus& m = menus();
    QTest::mouseClick(w().Image1, Qt::LeftButton);
    EXPECT_TRUE(m.picmenu->isVisible());
    m.picmenu->hide();
    m.mnupic2->trigger();
    EXPECT_GT(shown().blue(), 200);
    m.mnupic2->trigger();
    EXPECT_TRUE(m.mnupic2->isChecked());
    m.mnupic4->trigger();
    EXPECT_FALSE(showsPicture());
    EXPECT_TRUE(m.mnupic4->isChecked() && !m.mnupic1->isChecked() && !m.mnupic2->isChecked() && !m.mnupic3->isChecked());

    // Its picture 1 is gone: the message comes once and the image is empty; the mark goes back to 1.
    QTest::keyClick(w().File1, Qt::Key_Down);
    EXPECT_EQ(w().Text2->text(), "Bobble");
    EXPECT_EQ(win.dialogs.shown,
              QStringList{"Error: Either this is an invalid image, or\nthe file is not there. Use a JPG, BMP, or GIF."});
    EXPECT_FALSE(showsPicture());
    EXPECT_TRUE(m.mnupic1->isChecked() && !m.mnupic4->isChecked());
    // A record that does not exist empties everything.
    select("b.zip");
    EXPECT_TRUE(w().Text2->text().isEmpty() && w().currentpic1.isEmpty() && w().currentpic2.isEmpty());
    EXPECT_FALSE(showsPicture());
    EXPECT_EQ(win.dialogs.shown.size(), 1);
}

TEST_F(Browser, SavingANameStoresItAndReloadsTheRecord)
{
    select("c.Zip");
    menus().mnupic3->trigger();
    w().Text2->setText("Cadillacs");
    EXPECT_EQ(w().Text2->toolTip(), "Cadillacs");
    QTest::mouseClick(w().Command2, Qt::LeftButton);
    EXPECT_TRUE(win.iniBytes().endsWith(QStringLiteral("[%1]\r\ngamename=Cadillacs\r\n").arg(tree.gamePath("roms/c.zip")).toUtf8()));
    EXPECT_EQ(w().text1->text() + w().Text2->text(), tree.gamePath("roms/c.zip") + "Cadillacs");
    EXPECT_TRUE(menus().mnupic1->isChecked());

    // The directory is the current item after a directory change: its own record takes the name. A folder
    // whose name ends in "zip" takes the archive road first, then comes back.
    for (const char* folder : {"empty", "roms/folder.zip"}) {
        ASSERT_TRUE(w().Dir1->setPath(tree.path(QLatin1String(folder))));
        w().Text2->setText(QLatin1String(folder) + " name");
        w().Command2_Click();
        EXPECT_EQ(w().text1->text() + w().Text2->text(), tree.gamePath(QLatin1String(folder)) + folder + " name");
    }

    // With no game path the name goes under the empty section; the reload makes the directory current.
    w().text1->setText(QString());
    w().Text2->setText("Nameless");
    w().Command2_Click();
    EXPECT_EQ(w().text1->text(), tree.gamePath("roms/folder.zip"));
    EXPECT_TRUE(win.iniBytes().endsWith("[]\r\ngamename=Nameless\r\n"));
    EXPECT_TRUE(win.dialogs.shown.isEmpty());
}

TEST_F(Browser, ANameThatCannotBeSavedStaysTypedWithAMessage)
{
    select("MSLUG.ZIP");
    QFile::remove(win.iniPath());
    QDir().mkdir(win.iniPath());  // a directory where the file belongs cannot be written
    w().Text2->setText("Metal Slug X");
    w().Command2_Click();
    EXPECT_EQ(w().text1->text() + w().Text2->text(), tree.gamePath("roms/mslug.zip") + "Metal Slug X");

    // A line break in the name gives an empty record that cannot be written either.
    QDir().rmdir(win.iniPath());
    tree.file("odd/two\nlines.zip");
    ASSERT_TRUE(w().Dir1->setPath(tree.path("odd")));
    select("two\nlines.zip");
    const QString path = w().text1->text();
    EXPECT_TRUE(path.endsWith("two\nlines.zip"));
    // Shown on one line, the break as a symbol; the game path itself keeps it.
    const QImage shown = w().text1->grab().toImage();
    w().text1->setText(QString(path).replace(u'\n', QChar(0x21B5)));
    EXPECT_EQ(w().text1->grab().toImage(), shown);
    w().text1->setText(path);
    w().Text2->setText("Two Lines");
    w().Command2_Click();
    EXPECT_EQ(win.dialogs.shown, QStringList(2, "Error: Unable to save this game's name."));
    EXPECT_FALSE(QFile::exists(win.iniPath()));
}

TEST_F(Browser, PickingADriveMovesTheListsOnceOrRefusesAnUnreadableOne)
{
    const QString stick = tree.path("roms");
    win.volumes.table = {{"/", {}, "ext4"}, {stick, "STICK", "vfat"}, {"/gone-drive", {}, "vfat"}};
    ASSERT_TRUE(w().Dir1->setPath(tree.path("empty")));
    w().Drive1->refresh();
    QSignalSpy dirChanges(w().Dir1, &DirList::pathChanged);

    w().Drive1->setDrive(stick);
    EXPECT_EQ(dirChanges.count(), 1);
    EXPECT_EQ(w().File1->path(), stick);
    EXPECT_EQ(w().text1->text(), tree.gamePath("roms"));

    w().Drive1->setDrive("/gone-drive");
    EXPECT_EQ(win.dialogs.shown, QStringList{"Drive /gone-drive cannot be read."});
    EXPECT_TRUE(w().Drive1->drive() == stick && dirChanges.count() == 1);

    // Back on the first drive, the list returns to the directory last shown there.
    w().Drive1->setDrive("/");
    EXPECT_EQ(w().Dir1->path(), tree.path("empty"));
}

TEST_F(Browser, ALinkedArchiveKeepsItsListedNameFromSelectionToLaunch)
{
    tree.file("data/game.bin");
    ASSERT_TRUE(QFile::link("../data/game.bin", tree.path("roms/link.zip")));
    w().File1->refresh();
    select("link.zip");
    const QString game = tree.gamePath("roms/link.zip");
    EXPECT_EQ(w().text1->text(), game);

    QTest::mouseClick(w().Command1, Qt::LeftButton);
    EXPECT_TRUE(test::readFile(win.dir() + "temp.bat")
                    .contains(QStringLiteral("\r\nNeoRAGE.EXE %1      \r\n").arg(tree.path("roms/link.zip")).toUtf8()));
    EXPECT_EQ(win.desktop.started.size(), 1);

    w().Text2->setText("Linked");
    QTest::mouseClick(w().Command2, Qt::LeftButton);
    EXPECT_EQ(w().text1->text(), game);
    EXPECT_TRUE(win.iniBytes().endsWith(QStringLiteral("[%1]\r\ngamename=Linked\r\n").arg(game).toUtf8()));
}

TEST_F(Browser, DriveListsFollowTheDirectoryTheUserOpens)
{
    tree.dir("stick/roms");
    const QString stick = tree.path("stick");
    win.volumes.table = {{"/", {}, "ext4"}, {stick, "STICK", "vfat"}};
    for (const auto& [drives, dirs] : {std::pair{w().Drive1, w().Dir1}, std::pair{w().Drive2, w().Dir2}}) {
        SCOPED_TRACE(drives->objectName().toStdString());
        w().imageframe->setVisible(drives == w().Drive2);
        drives->refresh();
        ASSERT_TRUE(dirs->setPath(tree.root));
        ASSERT_EQ(drives->drive(), "/");
        QSignalSpy driveChanges(drives, &DriveList::driveChanged);

        int row = dirs->pathRow() + 1;
        while (row < dirs->count() && dirs->itemPath(row) != stick)
            ++row;
        QTest::mouseDClick(dirs->viewport(), Qt::LeftButton, {}, dirs->visualRect(dirs->model()->index(row, 0)).center());
        ASSERT_EQ(dirs->path(), stick);
        EXPECT_TRUE(drives->drive() == stick && drives->currentData().toString() == stick);

        // Down into the volume and back out of it with the keys.
        dirs->setFocus();
        QTest::keyClick(dirs, Qt::Key_Down);
        QTest::keyClick(dirs, Qt::Key_Return);
        ASSERT_EQ(dirs->path(), tree.path("stick/roms"));
        EXPECT_EQ(drives->drive(), stick);
        QTest::keyClick(dirs, Qt::Key_Up);
        QTest::keyClick(dirs, Qt::Key_Up);
        QTest::keyClick(dirs, Qt::Key_Return);
        ASSERT_EQ(dirs->path(), tree.root);
        EXPECT_TRUE(drives->drive() == "/" && drives->currentData().toString() == "/" && driveChanges.count() == 0);
    }
    EXPECT_TRUE(win.dialogs.shown.isEmpty());
}
