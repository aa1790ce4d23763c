#include "../app/WindowFixture.h"

#include <unistd.h>

using namespace tavrel;

namespace {

// Both lists of files open, the settings file untouched by every command.
class FileCommands : public test::WindowOnTree {
protected:
    void SetUp() override
    {
        files({"roms/MSLUG.ZIP", "roms/b.zip"});
        tree.picture("pics/title.bmp", "BMP", Qt::red);
        openOnRoms("[Pictures]\r\n1=no\r\n[" + tree.gamePath("roms") + "]\r\ngamename=The folder\r\n");
        ASSERT_TRUE(w().Dir2->setPath(tree.path("pics")));
        ini = win.iniBytes();
    }
    void TearDown() override { EXPECT_EQ(win.iniBytes(), ini); }

    QStringList roms() const { return test::listedFiles(win.w->File1); }
    // Refuses or allows deleting the file: immutable for root (who may delete in a read-only folder).
    bool refuseDelete(const QString& file, bool refuse)
    {
        if (geteuid() == 0)
            return QProcess::execute("chattr", {refuse ? "+i" : "-i", file}) == 0;
        return QFile::setPermissions(QFileInfo(file).path(), QFile::ReadOwner | QFile::ExeOwner
                                                               | (refuse ? QFile::Permissions() : QFile::WriteOwner));
    }

    QByteArray ini;
};

} // namespace

TEST_F(FileCommands, DeleteAsksFirstAndRemovesOnlyOnYes)
{
    const QString mslug = tree.path("roms/MSLUG.ZIP");
    menus().mnudelzip_Click();  // nothing selected: nothing asked
    EXPECT_TRUE(win.dialogs.shown.isEmpty());

    test::selectFile(w().File1, "MSLUG.ZIP");
    win.dialogs.confirmAnswers = {false, true};
    menus().mnudelzip_Click();
    EXPECT_TRUE(QFile::exists(mslug));
    EXPECT_EQ(w().File1->fileName(), "MSLUG.ZIP");
    menus().mnudelzip->trigger();
    const QString ask = QStringLiteral("Do you want to delete \"%1\"?").arg(mslug);
    EXPECT_EQ(win.dialogs.shown, (QStringList{ask, QStringLiteral("Delete of \"%1\" aborted.").arg(mslug), ask}));
    EXPECT_FALSE(QFile::exists(mslug));
    EXPECT_EQ(roms(), QStringList{"b.zip"});

    // The picture family works the same way on its own lists.
    test::selectFile(w().File2, "title.bmp");
    win.dialogs.confirmAnswers = {true};
    menus().mnudelbmp_Click();
    EXPECT_FALSE(QFile::exists(tree.path("pics/title.bmp")));
    EXPECT_EQ(w().File2->count(), 0);
    EXPECT_EQ(roms(), QStringList{"b.zip"});
}

TEST_F(FileCommands, RenameTakesTheTypedNameInTheSameDirectory)
{
    test::selectFile(w().File1, "MSLUG.ZIP");
    win.dialogs.inputAnswers = {"MSLUG.BAK"};
    menus().mnurenamezip->trigger();
    EXPECT_EQ(win.dialogs.shown, QStringList{"MSLUG.ZIP's new name?"});
    EXPECT_TRUE(QFile::exists(tree.path("roms/MSLUG.BAK")));
    EXPECT_EQ(roms(), QStringList{"b.zip"});  // only archives are listed

    // Cancel and an empty answer are the same; a taken or impossible name changes nothing.
    test::selectFile(w().File1, "b.zip");
    win.dialogs.shown.clear();
    win.dialogs.inputAnswers = {QString(), "MSLUG.BAK", "../b.zip", "..", " spaced .zip"};
    for (int i = 0; i < 5; ++i)
        menus().mnurenamezip_Click();
    EXPECT_EQ(win.dialogs.shown,
              (QStringList{"b.zip's new name?", "Rename Cancelled!", "b.zip's new name?",
                           "Error: A file named MSLUG.BAK already exists.", "b.zip's new name?",
                           "Error: ../b.zip is not a valid file name.", "b.zip's new name?",
                           "Error: .. is not a valid file name.", "b.zip's new name?"}));
    EXPECT_TRUE(QFile::exists(tree.path("roms/MSLUG.BAK")));
    // Taken exactly as typed: no trimming, no extension added.
    EXPECT_TRUE(QFile::exists(tree.path("roms/ spaced .zip")));

    test::selectFile(w().File2, "title.bmp");
    win.dialogs.inputAnswers = {"title2.BMP"};
    menus().renamebmp_Click();
    EXPECT_EQ(test::listedFiles(w().File2), QStringList{"title2.BMP"});
}

TEST_F(FileCommands, ARefusalByTheFileSystemIsReportedAndTheListShowsTheTruth)
{
    win.dialogs.confirmAnswers = {true};
    win.dialogs.inputAnswers = {"c.zip"};
    for (const auto& [file, command, verb] : {std::tuple {"MSLUG.ZIP", &Menus::mnudelzip_Click, "delete"},
                                              {"b.zip", &Menus::mnurenamezip_Click, "rename"}}) {
        test::selectFile(w().File1, file);
        QFile::remove(tree.path("roms/") + file);
        (menus().*command)();
        EXPECT_EQ(win.dialogs.shown.last(), QStringLiteral("Error: Unable to %1 \"%2\".\nNo such file or directory")
                                                .arg(QLatin1String(verb), tree.path("roms/") + file));
        EXPECT_FALSE(roms().contains(file));
    }
    // No archive is left selected, so the folder is the current game again.
    EXPECT_EQ(w().text1->text(), tree.gamePath("roms"));
}

TEST_F(FileCommands, EachRefreshRereadsItsOwnListsOnly)
{
    tree.file("roms/new.zip");
    tree.picture("pics/new.gif", "GIF", Qt::green);
    tree.dir("roms/sub");
    tree.dir("pics/sub");
    const auto counts = [&] { return QList<int> {w().Dir1->count(), w().Dir2->count(), w().File1->count(), w().File2->count()}; };
    const QList<int> before = counts();
    menus().mnudirrefresh->trigger();
    EXPECT_EQ(counts(), (QList<int> {before[0] + 1, before[1] + 1, 2, 1}));
    menus().mnurefresh1->trigger();
    EXPECT_EQ(counts(), (QList<int> {before[0] + 1, before[1] + 1, 3, 1}));
    menus().refreshpic->trigger();
    EXPECT_EQ(counts(), (QList<int> {before[0] + 1, before[1] + 1, 3, 2}));
    EXPECT_EQ(w().Dir1->path(), tree.path("roms"));
    EXPECT_TRUE(win.dialogs.shown.isEmpty());
}

// A file a command leaves selected stays the current game; when none is left, the folder and its record are.
TEST_F(FileCommands, WhatTheCommandsLeaveSelectedIsTheCurrentGame)
{
    const QString mslug = tree.path("roms/MSLUG.ZIP");
    test::selectFile(w().File1, "MSLUG.ZIP");
    if (!refuseDelete(mslug, true))
        GTEST_SKIP() << "cannot make a file that the file system refuses to delete";
    win.dialogs.confirmAnswers = {true, true};
    menus().mnudelzip_Click();
    ASSERT_TRUE(refuseDelete(mslug, false));
    EXPECT_EQ(w().text1->text(), tree.gamePath("roms/mslug.zip"));
    menus().mnudelzip_Click();   // chosen again, it asks again
    EXPECT_FALSE(QFile::exists(mslug));
    EXPECT_EQ(w().text1->text(), tree.gamePath("roms"));
    EXPECT_EQ(w().Text2->text(), "The folder");

    test::selectFile(w().File1, "b.zip");
    menus().mnurefresh1_Click();
    EXPECT_EQ(w().text1->text(), tree.gamePath("roms"));
}

// The folder swapped for a link while the question is up: the file asked about is the one changed.
TEST_F(FileCommands, AFolderSwappedWhileAskingDoesNotRedirectTheCommand)
{
    tree.file("elsewhere/MSLUG.ZIP", "other");
    tree.file("elsewhere/b.zip", "other");
    const QString roms = tree.path("roms"), moved = tree.path("moved");
    win.dialogs.onAsk = [&] { ASSERT_TRUE(QDir().rename(roms, moved) && QFile::link(tree.path("elsewhere"), roms)); };
    test::selectFile(w().File1, "MSLUG.ZIP");
    win.dialogs.confirmAnswers = {true};
    menus().mnudelzip_Click();
    EXPECT_FALSE(QFile::exists(tree.path("moved/MSLUG.ZIP")));

    ASSERT_TRUE(QFile::remove(roms) && QDir().rename(moved, roms));
    test::selectFile(w().File1, "b.zip");
    win.dialogs.inputAnswers = {"c.zip"};
    menus().mnurenamezip_Click();
    EXPECT_TRUE(QFile::exists(tree.path("moved/c.zip")));
    EXPECT_EQ(QDir(tree.path("elsewhere")).entryList(QDir::Files), (QStringList{"b.zip", "MSLUG.ZIP"}));
}
