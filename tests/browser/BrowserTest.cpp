#include "../app/TreeFixture.h"
#include "../app/WindowFixture.h"

#include "app/Controls.h"
#include "platform/DirList.h"
#include "platform/DriveList.h"
#include "platform/FileList.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace tavrel;

namespace {

class Browser : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.file(QStringLiteral("roms/MSLUG.ZIP"));
        tree.file(QStringLiteral("roms/b.zip"));
        tree.file(QStringLiteral("roms/c.Zip"));
        tree.file(QStringLiteral("roms/Puzzle Bobble [!].zip"));
        tree.file(QStringLiteral("roms/readme.txt"));
        tree.dir(QStringLiteral("roms/folder.zip"));
        tree.dir(QStringLiteral("empty"));
        tree.file(QStringLiteral("other/x.zip"));
        QFile::link(tree.path(QStringLiteral("other")), tree.path(QStringLiteral("roms/linked")));
        tree.picture(QStringLiteral("pics/title.png"), "PNG", Qt::red);
        tree.picture(QStringLiteral("pics/play.jpg"), "JPG", Qt::blue);
        tree.file(QStringLiteral("pics/broken.gif"), "not a picture");

        const QString mslug = tree.gamePath(QStringLiteral("roms/mslug.zip"));
        win.writeIni(QStringLiteral("[%1]\r\ngamename=Metal Slug\r\npicture=%2\r\npicture2=%3\r\n"
                                    "[%4]\r\ngamename=My ROM folder\r\n"
                                    "[%5]\r\ngamename=Bobble\r\npicture=%6\r\n")
                         .arg(mslug, tree.path(QStringLiteral("pics/title.png")),
                              tree.path(QStringLiteral("pics/play.jpg")), tree.gamePath(QStringLiteral("roms")),
                              tree.gamePath(QStringLiteral("roms/puzzle bobble [!].zip")),
                              tree.path(QStringLiteral("pics/gone.png")))
                         .toUtf8());
        win.open().show();
    }

    form1& w() { return *win.w; }
    QStringList listed() const { return test::listedFiles(win.w->File1); }
    void select(const QString& name)
    {
        const int row = int(listed().indexOf(name));
        ASSERT_GE(row, 0) << name.toStdString();
        const QRect r = w().File1->visualRect(w().File1->model()->index(row, 0));
        QTest::mouseClick(w().File1->viewport(), Qt::LeftButton, {}, r.center());
    }
    bool showsPicture() const { return !win.w->Image1->pixmap().isNull(); }

    test::Tree tree;
    test::Window win;
};

} // namespace

TEST_F(Browser, StartUpEndsWithTheStartingDirectoryAsCurrentItem)
{
    EXPECT_EQ(w().text1->text(), QDir::currentPath().toLower());
    EXPECT_EQ(w().text1->toolTip(), w().text1->text());
}

TEST_F(Browser, DirectoryChangeListsArchivesAndLoadsTheDirectorysRecord)
{
    ASSERT_TRUE(w().Dir1->setPath(tree.path(QStringLiteral("roms"))));
    EXPECT_EQ(listed(), (QStringList{"b.zip", "c.Zip", "MSLUG.ZIP", "Puzzle Bobble [!].zip"}));
    EXPECT_EQ(w().File1->selectedRow(), -1);
    EXPECT_EQ(w().text1->text(), tree.gamePath(QStringLiteral("roms")));
    EXPECT_EQ(w().text1->toolTip(), w().text1->text());
    EXPECT_EQ(w().Text2->text(), QStringLiteral("My ROM folder"));
    EXPECT_EQ(w().Text2->toolTip(), QStringLiteral("My ROM folder"));
    EXPECT_FALSE(showsPicture());

    // Through a link the same folder has the same game path, so the same record.
    ASSERT_TRUE(w().Dir1->setPath(tree.path(QStringLiteral("roms/linked"))));
    EXPECT_EQ(w().text1->text(), tree.gamePath(QStringLiteral("other")));
    EXPECT_EQ(listed(), QStringList{"x.zip"});
    ASSERT_TRUE(w().Dir1->setPath(tree.path(QStringLiteral("empty"))));
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_TRUE(w().Text2->text().isEmpty());
    ASSERT_TRUE(w().Dir1->setPath(QStringLiteral("/")));
    EXPECT_EQ(w().text1->text(), QStringLiteral("/"));
    EXPECT_TRUE(win.dialogs.shown.isEmpty());
}

TEST_F(Browser, SelectingAnArchiveShowsItsRecordAndPictureOne)
{
    ASSERT_TRUE(w().Dir1->setPath(tree.path(QStringLiteral("roms"))));
    select(QStringLiteral("MSLUG.ZIP"));
    EXPECT_EQ(w().text1->text(), tree.gamePath(QStringLiteral("roms/mslug.zip")));
    EXPECT_EQ(w().text1->toolTip(), w().text1->text());
    EXPECT_EQ(w().Text2->text(), QStringLiteral("Metal Slug"));
    EXPECT_EQ(w().Text2->toolTip(), QStringLiteral("Metal Slug"));
    EXPECT_EQ(w().currentpic1, tree.path(QStringLiteral("pics/title.png")));
    EXPECT_EQ(w().currentpic2, tree.path(QStringLiteral("pics/play.jpg")));
    EXPECT_TRUE(w().currentpic3.isEmpty() && w().currentpic4.isEmpty() && w().currentpic5.isEmpty());
    ASSERT_TRUE(showsPicture());
    EXPECT_EQ(w().Image1->pixmap().toImage().pixelColor(5, 5), QColor(Qt::red));

    // A record that does not exist empties everything, with picture 1 marked.
    QTest::keyClick(w().File1, Qt::Key_Down);
    EXPECT_EQ(w().text1->text(), tree.gamePath(QStringLiteral("roms/puzzle bobble [!].zip")));
    EXPECT_EQ(w().Text2->text(), QStringLiteral("Bobble"));
    // Its picture 1 is gone: the message comes once and the image is empty.
    EXPECT_EQ(win.dialogs.shown,
              QStringList{"Error: Either this is an invalid image, or\nthe file is not there. Use a JPG, BMP, or GIF."});
    EXPECT_FALSE(showsPicture());
    select(QStringLiteral("b.zip"));
    EXPECT_TRUE(w().Text2->text().isEmpty());
    EXPECT_TRUE(w().currentpic1.isEmpty() && w().currentpic2.isEmpty());
    EXPECT_FALSE(showsPicture());
    EXPECT_TRUE(w().menus()->mnupic1->isChecked());
    EXPECT_EQ(win.dialogs.shown.size(), 1);
}

TEST_F(Browser, PictureMenuShowsEachPictureWithItsMark)
{
    ASSERT_TRUE(w().Dir1->setPath(tree.path(QStringLiteral("roms"))));
    select(QStringLiteral("MSLUG.ZIP"));
    const Menus& m = *w().menus();
    QTest::mouseClick(w().Image1, Qt::LeftButton);
    EXPECT_TRUE(m.picmenu->isVisible());
    m.picmenu->hide();

    m.mnupic2->trigger();
    EXPECT_EQ(w().Image1->pixmap().toImage().pixelColor(5, 5).blue() > 200, true);
    m.mnupic2->trigger();
    EXPECT_TRUE(m.mnupic2->isChecked());
    m.mnupic3->trigger();  // no third picture: empty, marked, silent
    EXPECT_FALSE(showsPicture());
    EXPECT_TRUE(m.mnupic3->isChecked());
    EXPECT_FALSE(m.mnupic1->isChecked() || m.mnupic2->isChecked() || m.mnupic4->isChecked());
    EXPECT_TRUE(win.dialogs.shown.isEmpty());

    m.mnupic4->trigger();
    select(QStringLiteral("c.Zip"));
    EXPECT_TRUE(m.mnupic1->isChecked());
    EXPECT_FALSE(m.mnupic4->isChecked());
}

TEST_F(Browser, SavingANameStoresItAndReloadsTheRecord)
{
    ASSERT_TRUE(w().Dir1->setPath(tree.path(QStringLiteral("roms"))));
    select(QStringLiteral("c.Zip"));
    w().menus()->mnupic3->trigger();
    w().Text2->setText(QStringLiteral("Cadillacs"));
    EXPECT_EQ(w().Text2->toolTip(), QStringLiteral("Cadillacs"));
    QTest::mouseClick(w().Command2, Qt::LeftButton);
    EXPECT_TRUE(win.iniBytes().endsWith(
        QStringLiteral("[%1]\r\ngamename=Cadillacs\r\n").arg(tree.gamePath(QStringLiteral("roms/c.zip"))).toUtf8()));
    EXPECT_EQ(w().text1->text(), tree.gamePath(QStringLiteral("roms/c.zip")));
    EXPECT_EQ(w().Text2->text(), QStringLiteral("Cadillacs"));
    EXPECT_TRUE(w().menus()->mnupic1->isChecked());

    // The directory is the current item after a directory change: its own record takes the name.
    ASSERT_TRUE(w().Dir1->setPath(tree.path(QStringLiteral("empty"))));
    w().Text2->setText(QStringLiteral("Nothing here"));
    w().Command2_Click();
    EXPECT_EQ(w().text1->text(), tree.gamePath(QStringLiteral("empty")));
    EXPECT_EQ(w().Text2->text(), QStringLiteral("Nothing here"));

    // A folder whose name ends in "zip" takes the archive road first, then comes back.
    ASSERT_TRUE(w().Dir1->setPath(tree.path(QStringLiteral("roms/folder.zip"))));
    w().Text2->setText(QStringLiteral("Zip folder"));
    w().Command2_Click();
    EXPECT_EQ(w().text1->text(), tree.gamePath(QStringLiteral("roms/folder.zip")));
    EXPECT_EQ(w().Text2->text(), QStringLiteral("Zip folder"));

    // With no game path the name goes under the empty section; the reload makes the directory current.
    w().text1->setText(QString());
    w().Text2->setText(QStringLiteral("Nameless"));
    w().Command2_Click();
    EXPECT_EQ(w().text1->text(), tree.gamePath(QStringLiteral("roms/folder.zip")));
    EXPECT_TRUE(win.iniBytes().endsWith("[]\r\ngamename=Nameless\r\n"));

    // A name longer than a read can carry comes back cut to 254 characters.
    const QString longName(300, QLatin1Char('n'));
    w().Text2->setText(longName);
    w().Command2_Click();
    EXPECT_EQ(w().Text2->text(), longName.left(254));
    EXPECT_TRUE(win.dialogs.shown.isEmpty());
}

TEST_F(Browser, ANameThatCannotBeSavedStaysTypedWithAMessage)
{
    ASSERT_TRUE(w().Dir1->setPath(tree.path(QStringLiteral("roms"))));
    select(QStringLiteral("MSLUG.ZIP"));
    QFile::remove(win.iniPath());
    QDir().mkdir(win.iniPath());  // a directory where the file belongs cannot be written
    w().Text2->setText(QStringLiteral("Metal Slug X"));
    w().Command2_Click();
    EXPECT_EQ(win.dialogs.shown, QStringList{"Error: Unable to save this game's name."});
    EXPECT_EQ(w().Text2->text(), QStringLiteral("Metal Slug X"));
    EXPECT_EQ(w().text1->text(), tree.gamePath(QStringLiteral("roms/mslug.zip")));
}

TEST_F(Browser, ALineBreakInANameGivesAnEmptyRecordThatCannotBeWritten)
{
    tree.file(QStringLiteral("odd/two\nlines.zip"));
    const QByteArray before = win.iniBytes();
    ASSERT_TRUE(w().Dir1->setPath(tree.path(QStringLiteral("odd"))));
    select(QStringLiteral("two\nlines.zip"));
    EXPECT_TRUE(w().text1->text().endsWith(QStringLiteral("two\nlines.zip")));
    EXPECT_TRUE(w().Text2->text().isEmpty());
    w().Text2->setText(QStringLiteral("Two Lines"));
    w().Command2_Click();
    EXPECT_EQ(win.dialogs.shown, QStringList{"Error: Unable to save this game's name."});
    EXPECT_EQ(win.iniBytes(), before);
}

TEST_F(Browser, PickingADriveMovesTheListsOnceOrRefusesAnUnreadableOne)
{
    const QString stick = tree.path(QStringLiteral("roms"));
    win.volumes.table = {{QStringLiteral("/"), {}, QStringLiteral("ext4")},
                         {stick, QStringLiteral("STICK"), QStringLiteral("vfat")},
                         {QStringLiteral("/gone-drive"), {}, QStringLiteral("vfat")}};
    w().Drive1->refresh();
    const QString start = w().Dir1->path();
    QSignalSpy dirChanges(w().Dir1, &DirList::pathChanged);

    w().Drive1->setDrive(stick);
    EXPECT_EQ(dirChanges.count(), 1);
    EXPECT_EQ(w().Dir1->path(), stick);
    EXPECT_EQ(w().File1->path(), stick);
    EXPECT_EQ(w().File1->count(), 4);
    EXPECT_EQ(w().text1->text(), tree.gamePath(QStringLiteral("roms")));

    w().Drive1->setDrive(QStringLiteral("/gone-drive"));
    EXPECT_EQ(win.dialogs.shown, QStringList{"Drive /gone-drive cannot be read."});
    EXPECT_EQ(w().Drive1->drive(), stick);
    EXPECT_EQ(w().Dir1->path(), stick);
    EXPECT_EQ(dirChanges.count(), 1);

    // Back on the first drive, the list returns to the directory last shown there.
    w().Drive1->setDrive(QStringLiteral("/"));
    EXPECT_EQ(w().Dir1->path(), start);
}

TEST_F(Browser, ALinkedArchiveKeepsItsListedNameFromSelectionToLaunch)
{
    tree.file(QStringLiteral("data/game.bin"));
    ASSERT_TRUE(QFile::link(QStringLiteral("../data/game.bin"), tree.path(QStringLiteral("roms/link.zip"))));
    ASSERT_TRUE(w().Dir1->setPath(tree.path(QStringLiteral("roms"))));
    select(QStringLiteral("link.zip"));
    EXPECT_EQ(w().text1->text(), tree.gamePath(QStringLiteral("roms/link.zip")));

    QTest::mouseClick(w().Command1, Qt::LeftButton);
    QFile script(win.dir() + QStringLiteral("temp.bat"));
    ASSERT_TRUE(script.open(QIODevice::ReadOnly));
    EXPECT_TRUE(script.readAll().contains(
        QStringLiteral("\r\nNeoRAGE.EXE %1      \r\n").arg(tree.path(QStringLiteral("roms/link.zip"))).toUtf8()));
    EXPECT_EQ(win.desktop.started.size(), 1);

    w().Text2->setText(QStringLiteral("Linked"));
    QTest::mouseClick(w().Command2, Qt::LeftButton);
    EXPECT_EQ(w().text1->text(), tree.gamePath(QStringLiteral("roms/link.zip")));
    EXPECT_EQ(w().Text2->text(), QStringLiteral("Linked"));
    EXPECT_TRUE(win.iniBytes().endsWith(
        QStringLiteral("[%1]\r\ngamename=Linked\r\n").arg(tree.gamePath(QStringLiteral("roms/link.zip"))).toUtf8()));

    // A linked directory is still known by where it really is.
    ASSERT_TRUE(w().Dir1->setPath(tree.path(QStringLiteral("roms/linked"))));
    EXPECT_EQ(w().text1->text(), tree.gamePath(QStringLiteral("other")));
}

TEST_F(Browser, DriveListsFollowTheDirectoryTheUserOpens)
{
    tree.dir(QStringLiteral("stick/roms"));
    const QString stick = tree.path(QStringLiteral("stick"));
    win.volumes.table = {{QStringLiteral("/"), {}, QStringLiteral("ext4")},
                         {stick, QStringLiteral("STICK"), QStringLiteral("vfat")}};
    w().imageframe->show();
    const struct {
        DriveList* drives;
        DirList* dirs;
    } pairs[] = {{w().Drive1, w().Dir1}, {w().Drive2, w().Dir2}};
    for (const auto& p : pairs) {
        SCOPED_TRACE(p.drives->objectName().toStdString());
        p.drives->refresh();
        ASSERT_TRUE(p.dirs->setPath(tree.root));
        ASSERT_EQ(p.drives->drive(), QStringLiteral("/"));
        QSignalSpy driveChanges(p.drives, &DriveList::driveChanged);

        int row = 0;
        while (row < p.dirs->count() && p.dirs->itemPath(row) != stick)
            ++row;
        ASSERT_LT(row, p.dirs->count());
        const QRect r = p.dirs->visualRect(p.dirs->model()->index(row, 0));
        QTest::mouseDClick(p.dirs->viewport(), Qt::LeftButton, {}, r.center());
        ASSERT_EQ(p.dirs->path(), stick);
        EXPECT_EQ(p.drives->drive(), stick);
        EXPECT_EQ(p.drives->currentData().toString(), stick);

        // Down into the volume and back out of it with the keys.
        p.dirs->setFocus();
        QTest::keyClick(p.dirs, Qt::Key_Down);
        QTest::keyClick(p.dirs, Qt::Key_Return);
        ASSERT_EQ(p.dirs->path(), tree.path(QStringLiteral("stick/roms")));
        EXPECT_EQ(p.drives->drive(), stick);
        QTest::keyClick(p.dirs, Qt::Key_Up);
        QTest::keyClick(p.dirs, Qt::Key_Up);
        QTest::keyClick(p.dirs, Qt::Key_Return);
        ASSERT_EQ(p.dirs->path(), tree.root);
        EXPECT_EQ(p.drives->drive(), QStringLiteral("/"));
        EXPECT_EQ(p.drives->currentData().toString(), QStringLiteral("/"));
        EXPECT_EQ(driveChanges.count(), 0);
    }
    EXPECT_TRUE(win.dialogs.shown.isEmpty());
}
