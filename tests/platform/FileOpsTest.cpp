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
    const Folder folder(dir.path());
    using Rename = std::function<FileResult(const QByteArray&, const QByteArray&)>;
    const Rename ways[] = {
        [&](const QByteArray& f, const QByteArray& t) { return renameWithoutReplacing(folder, f, t); },
        [&](const QByteArray& f, const QByteArray& t) {
            bool unsupported = false;
            return detail::renameByLink(folder.fd(), f, t, unsupported);
        },
        [&](const QByteArray& f, const QByteArray& t) { return detail::renameByReservation(folder.fd(), f, t); },
    };
    for (const Rename& rename : ways) {
        ASSERT_TRUE(writeFile(a, "game A"));
        ASSERT_TRUE(writeFile(b, "game B"));
        const FileResult refused = rename("a.zip", "b.zip");
        EXPECT_FALSE(refused.ok);
        EXPECT_FALSE(refused.reason.isEmpty());
        EXPECT_EQ(readFile(a), "game A");
        EXPECT_EQ(readFile(b), "game B");

        ASSERT_TRUE(QFile::remove(b));
        EXPECT_TRUE(rename("a.zip", "b.zip").ok);
        EXPECT_FALSE(QFile::exists(a));
        EXPECT_EQ(readFile(b), "game A");
        QFile::remove(b);

        // A file that is not there: an error, and no reservation left behind.
        EXPECT_FALSE(rename("a.zip", "b.zip").ok);
        EXPECT_FALSE(QFile::exists(b));
    }
}
