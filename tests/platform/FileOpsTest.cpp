#include "platform/FileOps.h"

#include <QFile>
#include <QTemporaryDir>

#include <functional>

#include <gtest/gtest.h>

using namespace tavrel;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size()) << qPrintable(f.errorString());
}

} // namespace

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
        put(a, "game A");
        put(b, "game B");
        const FileResult refused = rename("a.zip", "b.zip");
        EXPECT_FALSE(refused.ok);
        EXPECT_FALSE(refused.reason.isEmpty());
        EXPECT_EQ(bytesOf(a), "game A");
        EXPECT_EQ(bytesOf(b), "game B");

        ASSERT_TRUE(QFile::remove(b));
        EXPECT_TRUE(rename("a.zip", "b.zip").ok);
        EXPECT_FALSE(QFile::exists(a));
        EXPECT_EQ(bytesOf(b), "game A");
        QFile::remove(b);

        // A file that is not there: an error, and no reservation left behind.
        EXPECT_FALSE(rename("a.zip", "b.zip").ok);
        EXPECT_FALSE(QFile::exists(b));
    }
}
