#include "../app/TreeFixture.h"
#include "../app/WindowFixture.h"

#include "platform/DirList.h"
#include "platform/FileList.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace tavrel;

namespace {

class FileCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.file(QStringLiteral("roms/MSLUG.ZIP"));
        tree.file(QStringLiteral("roms/b.zip"));
        tree.picture(QStringLiteral("pics/title.bmp"), "BMP", Qt::red);
        win.writeIni("[Pictures]\r\n1=no\r\n");
        win.open();
        ASSERT_TRUE(w().Dir1->setPath(tree.path(QStringLiteral("roms"))));
        ASSERT_TRUE(w().Dir2->setPath(tree.path(QStringLiteral("pics"))));
        ini = win.iniBytes();
    }
    void TearDown() override { EXPECT_EQ(win.iniBytes(), ini); }

    form1& w() { return *win.w; }
    Menus& m() { return *win.w->menus(); }

    test::Tree tree;
    test::Window win;
    QByteArray ini;
};

} // namespace

TEST_F(FileCommands, DeleteAsksFirstAndRemovesOnlyOnYes)
{
    const QString mslug = tree.path(QStringLiteral("roms/MSLUG.ZIP"));
    m().mnudelzip_Click();  // nothing selected: nothing asked
    EXPECT_TRUE(win.dialogs.shown.isEmpty());

    test::selectFile(w().File1, QStringLiteral("MSLUG.ZIP"));
    win.dialogs.confirmAnswers = {false};
    m().mnudelzip_Click();
    EXPECT_EQ(win.dialogs.shown, (QStringList{QStringLiteral("Do you want to delete \"%1\"?").arg(mslug),
                                              QStringLiteral("Delete of \"%1\" aborted.").arg(mslug)}));
    EXPECT_TRUE(QFile::exists(mslug));
    EXPECT_EQ(w().File1->fileName(), QStringLiteral("MSLUG.ZIP"));

    win.dialogs.shown.clear();
    win.dialogs.confirmAnswers = {true};
    m().mnudelzip->trigger();
    EXPECT_EQ(win.dialogs.shown, QStringList{QStringLiteral("Do you want to delete \"%1\"?").arg(mslug)});
    EXPECT_FALSE(QFile::exists(mslug));
    EXPECT_EQ(test::listedFiles(w().File1), QStringList{"b.zip"});

    // The picture family works the same way on its own lists.
    win.dialogs.shown.clear();
    test::selectFile(w().File2, QStringLiteral("title.bmp"));
    win.dialogs.confirmAnswers = {true};
    m().mnudelbmp_Click();
    EXPECT_FALSE(QFile::exists(tree.path(QStringLiteral("pics/title.bmp"))));
    EXPECT_EQ(w().File2->count(), 0);
    EXPECT_EQ(test::listedFiles(w().File1), QStringList{"b.zip"});
}

TEST_F(FileCommands, RenameTakesTheTypedNameInTheSameDirectory)
{
    test::selectFile(w().File1, QStringLiteral("MSLUG.ZIP"));
    win.dialogs.inputAnswers = {QStringLiteral("MSLUG.BAK")};
    m().mnurenamezip->trigger();
    EXPECT_EQ(win.dialogs.shown, QStringList{"MSLUG.ZIP's new name?"});
    EXPECT_TRUE(QFile::exists(tree.path(QStringLiteral("roms/MSLUG.BAK"))));
    EXPECT_EQ(test::listedFiles(w().File1), QStringList{"b.zip"});  // only archives are listed

    // Cancel and an empty answer are the same; a taken or impossible name changes nothing.
    test::selectFile(w().File1, QStringLiteral("b.zip"));
    win.dialogs.shown.clear();
    win.dialogs.inputAnswers = {QString(), QStringLiteral("MSLUG.BAK"), QStringLiteral("../b.zip"),
                                QStringLiteral(".."), QStringLiteral(" spaced .zip")};
    for (int i = 0; i < 5; ++i)
        m().mnurenamezip_Click();
    EXPECT_EQ(win.dialogs.shown,
              (QStringList{"b.zip's new name?", "Rename Cancelled!", "b.zip's new name?",
                           "Error: A file named MSLUG.BAK already exists.", "b.zip's new name?",
                           "Error: ../b.zip is not a valid file name.", "b.zip's new name?",
                           "Error: .. is not a valid file name.", "b.zip's new name?"}));
    EXPECT_TRUE(QFile::exists(tree.path(QStringLiteral("roms/MSLUG.BAK"))));
    // Taken exactly as typed: no trimming, no extension added.
    EXPECT_TRUE(QFile::exists(tree.path(QStringLiteral("roms/ spaced .zip"))));

    test::selectFile(w().File2, QStringLiteral("title.bmp"));
    win.dialogs.inputAnswers = {QStringLiteral("title2.BMP")};
    m().renamebmp_Click();
    EXPECT_EQ(test::listedFiles(w().File2), QStringList{"title2.BMP"});
}

TEST_F(FileCommands, ARefusalByTheFileSystemIsReportedAndTheListShowsTheTruth)
{
    test::selectFile(w().File1, QStringLiteral("MSLUG.ZIP"));
    QFile::remove(tree.path(QStringLiteral("roms/MSLUG.ZIP")));
    win.dialogs.confirmAnswers = {true};
    m().mnudelzip_Click();
    ASSERT_EQ(win.dialogs.shown.size(), 2);
    EXPECT_EQ(win.dialogs.shown[1], QStringLiteral("Error: Unable to delete \"%1\".\nNo such file or directory")
                                        .arg(tree.path(QStringLiteral("roms/MSLUG.ZIP"))));
    EXPECT_EQ(test::listedFiles(w().File1), QStringList{"b.zip"});

    test::selectFile(w().File1, QStringLiteral("b.zip"));
    QFile::remove(tree.path(QStringLiteral("roms/b.zip")));
    win.dialogs.shown.clear();
    win.dialogs.inputAnswers = {QStringLiteral("c.zip")};
    m().mnurenamezip_Click();
    EXPECT_EQ(win.dialogs.shown.last(), QStringLiteral("Error: Unable to rename \"%1\".\nNo such file or directory")
                                            .arg(tree.path(QStringLiteral("roms/b.zip"))));
    EXPECT_EQ(w().File1->count(), 0);
}

TEST_F(FileCommands, EachRefreshRereadsItsOwnListsOnly)
{
    tree.file(QStringLiteral("roms/new.zip"));
    tree.picture(QStringLiteral("pics/new.gif"), "GIF", Qt::green);
    tree.dir(QStringLiteral("roms/sub"));
    tree.dir(QStringLiteral("pics/sub"));
    const int dir1Rows = w().Dir1->count();
    const int dir2Rows = w().Dir2->count();

    m().mnudirrefresh->trigger();
    EXPECT_EQ(w().Dir1->count(), dir1Rows + 1);
    EXPECT_EQ(w().Dir2->count(), dir2Rows + 1);
    EXPECT_EQ(w().File1->count(), 2);
    EXPECT_EQ(w().File2->count(), 1);

    m().mnurefresh1->trigger();
    EXPECT_EQ(w().File1->count(), 3);
    EXPECT_EQ(w().File2->count(), 1);
    m().refreshpic->trigger();
    EXPECT_EQ(w().File2->count(), 2);
    EXPECT_EQ(w().Dir1->path(), tree.path(QStringLiteral("roms")));
    EXPECT_TRUE(win.dialogs.shown.isEmpty());
}
