#include "paths/Paths.h"
#include "settings/Options.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavrel;

TEST(Paths, JoinAddsOneSlash)
{
    EXPECT_EQ(joinPath(QStringLiteral("/"), QStringLiteral("MSLUG.ZIP")), QStringLiteral("/MSLUG.ZIP"));
    EXPECT_EQ(joinPath(QStringLiteral("/roms"), QStringLiteral("a.zip")), QStringLiteral("/roms/a.zip"));
    EXPECT_EQ(joinPath(QStringLiteral("/roms/"), QString()), QStringLiteral("/roms/"));
    EXPECT_EQ(settingsPath(QStringLiteral("/opt/tavrel")), QStringLiteral("/opt/tavrel/tavrel.ini"));
    EXPECT_EQ(settingsPath(QStringLiteral("/")), QStringLiteral("/tavrel.ini"));
}

TEST(Paths, ShortPathIsTheOneStableName)
{
    QTemporaryDir tmp;
    const QString root = QDir(tmp.path()).canonicalPath();
    QDir(root).mkpath(QStringLiteral("Games/My Roms"));
    QFile f(root + QStringLiteral("/Games/My Roms/Puzzle [!].ZIP"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    ASSERT_TRUE(QFile::link(root + QStringLiteral("/Games"), root + QStringLiteral("/link")));
    const QString file = root + QStringLiteral("/Games/My Roms/Puzzle [!].ZIP");

    EXPECT_EQ(ShortPath(file), file);
    EXPECT_EQ(ShortPath(root + QStringLiteral("/link/./My Roms/../My Roms//Puzzle [!].ZIP")), file);
    EXPECT_EQ(ShortPath(root + QStringLiteral("/link/My Roms")), root + QStringLiteral("/Games/My Roms"));
    EXPECT_EQ(ShortPath(root + QStringLiteral("/link/My Roms/")), root + QStringLiteral("/Games/My Roms/"));
    EXPECT_EQ(ShortPath(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(ShortPath(root + QStringLiteral("/Games/missing.zip")), QString());
    EXPECT_EQ(ShortPath(QString()), QString());
    // Letter case is the file system's; callers lower-case it themselves.
    EXPECT_EQ(ShortPath(root + QStringLiteral("/games")), QString());

    // A linked file keeps its own name; its directories are resolved. A link
    // to nothing names nothing.
    ASSERT_TRUE(QFile::link(QStringLiteral("Puzzle [!].ZIP"), root + QStringLiteral("/Games/My Roms/alias.zip")));
    ASSERT_TRUE(QFile::link(QStringLiteral("gone.zip"), root + QStringLiteral("/Games/dangling.zip")));
    EXPECT_EQ(ShortPath(root + QStringLiteral("/link/My Roms/alias.zip")), root + QStringLiteral("/Games/My Roms/alias.zip"));
    EXPECT_EQ(ShortPath(root + QStringLiteral("/Games/dangling.zip")), QString());
}
