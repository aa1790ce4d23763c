#include "platform/FileOps.h"

#include "TestFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

using namespace tavrel;

using test::readFile;
using test::writeFile;

// Every way of renaming, the atomic one and both fallbacks, moves the file when the
// name is free and leaves both files exactly as they were when it is taken.
TEST(FileOps, NoWayOfRenamingReplacesATakenName)
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.zip")), b = dir.filePath(QStringLiteral("b.zip"));
    using Rename = std::function<FileResult(const QString&, const QString&)>;
    const Rename ways[] = {
        renameWithoutReplacing,
        [](const QString& f, const QString& t) {
            bool unsupported = false;
            return detail::renameByLink(QFile::encodeName(f), QFile::encodeName(t), unsupported);
        },
        [](const QString& f, const QString& t) { return detail::renameByReservation(QFile::encodeName(f), QFile::encodeName(t)); },
    };
    for (const Rename& rename : ways) {
        ASSERT_TRUE(writeFile(a, "game A"));
        ASSERT_TRUE(writeFile(b, "game B"));
        const FileResult refused = rename(a, b);
        EXPECT_FALSE(refused.ok);
        EXPECT_FALSE(refused.reason.isEmpty());
        EXPECT_EQ(readFile(a), "game A");
        EXPECT_EQ(readFile(b), "game B");

        ASSERT_TRUE(QFile::remove(b));
        EXPECT_TRUE(rename(a, b).ok);
        EXPECT_FALSE(QFile::exists(a));
        EXPECT_EQ(readFile(b), "game A");
        QFile::remove(b);

        // A file that is not there: an error, and no reservation left behind.
        EXPECT_FALSE(rename(a, b).ok);
        EXPECT_FALSE(QFile::exists(b));
    }
}
