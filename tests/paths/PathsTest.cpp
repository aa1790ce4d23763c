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
    EXPECT_EQ(settingsPath(QStringLiteral("/")), QStringLiteral("/tavrel.ini"));
}

TEST(Paths, ShortPathIsTheOneStableName)
{
    QTemporaryDir tmp;
    const QString root = QDir(tmp.path()).canonicalPath();
    const auto at = [&](const char* path) { return root + QString::fromUtf8(path); };
    ASSERT_TRUE(QDir(root).mkpath(QStringLiteral("Games/My Roms")));
    QFile f(at("/Games/My Roms/Puzzle [!].ZIP"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile::link(at("/Games"), at("/link")));

    EXPECT_EQ(ShortPath(f.fileName()), f.fileName());
    EXPECT_EQ(ShortPath(at("/link/./My Roms/../My Roms//Puzzle [!].ZIP")), f.fileName());
    EXPECT_EQ(ShortPath(at("/link/My Roms")), at("/Games/My Roms"));
    EXPECT_EQ(ShortPath(at("/link/My Roms/")), at("/Games/My Roms/"));
    EXPECT_EQ(ShortPath(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(ShortPath(at("/Games/missing.zip")), QString());
    EXPECT_EQ(ShortPath(QString()), QString());
    // Letter case is the file system's; callers lower-case it themselves.
    EXPECT_EQ(ShortPath(at("/games")), QString());

    // A linked file keeps its own name; its directories are resolved. A link to nothing names nothing.
    ASSERT_TRUE(QFile::link(QStringLiteral("Puzzle [!].ZIP"), at("/Games/My Roms/alias.zip")));
    ASSERT_TRUE(QFile::link(QStringLiteral("gone.zip"), at("/Games/dangling.zip")));
    EXPECT_EQ(ShortPath(at("/link/My Roms/alias.zip")), at("/Games/My Roms/alias.zip"));
    EXPECT_EQ(ShortPath(at("/Games/dangling.zip")), QString());
}
